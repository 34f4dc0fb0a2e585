"""Benchmark (not a test): time from a Screen capture trigger to the grab and
to the new image window, and the peak memory of kestrel.exe, at 1024x768 and
1920x1080. Uses the same environment as the scenarios (KESTREL_EXE,
KESTREL_DRIVER, KESTREL_E2E_OUT, KESTREL_WINE_TEMPLATE); from a configured
win32 build:

    KESTREL_EXE=build/win32/kestrel.exe KESTREL_DRIVER=build/win32/kestrel-driver.exe \\
        /usr/bin/python3 tests/e2e/bench_capture.py [CAPTURES]

grab_ms is the time until the trigger message returns (the capture routine
runs inside it, notification flash included); window_ms until the "Screen
Capture" window exists, is visible and its first paint has been handled.
Peak memory is the Linux resident-set high-water mark (VmHWM) of the Wine
process running kestrel.exe."""

import statistics
import sys

import e2e

SETTINGS = {"Mode": "1,0,0"}  # defaults otherwise, but no splash box


def peak_memory_kib(s):
    peaks = []
    for pid in s.kestrel_linux_pids():
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    peaks.append(int(line.split()[1]))
    return max(peaks) if peaks else None


def bench(width, height, captures):
    with e2e.Scenario(f"bench_{width}x{height}", width, height, SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        idle_kib = peak_memory_kib(s)
        grabs, windows = [], []
        for _ in range(captures):
            out = s.driver("time-capture", s.frame, 1, "Screen Capture", 30000)
            values = dict(line.split() for line in out.splitlines())
            grabs.append(float(values["grab_ms"]))
            windows.append(float(values["window_ms"]))
        peak_kib = peak_memory_kib(s)
        return {
            "size": f"{width}x{height}",
            "grab_ms": statistics.median(grabs),
            "window_ms": statistics.median(windows),
            "window_ms_max": max(windows),
            "idle_mib": (idle_kib or 0) / 1024,
            "peak_mib": (peak_kib or 0) / 1024,
        }


def main(argv):
    captures = int(argv[1]) if len(argv) > 1 else 5
    print(f"{'screen':>10} {'grab ms':>9} {'window ms':>10} {'worst ms':>9} {'idle MiB':>9} "
          f"{'peak MiB':>9}   ({captures} captures, medians)")
    for width, height in ((1024, 768), (1920, 1080)):
        r = bench(width, height, captures)
        print(f"{r['size']:>10} {r['grab_ms']:9.1f} {r['window_ms']:10.1f} {r['window_ms_max']:9.1f} "
              f"{r['idle_mib']:9.1f} {r['peak_mib']:9.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
