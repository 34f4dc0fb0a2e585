"""Benchmark (not a test): time from a Screen capture trigger to the grab and
to the new image window, and the memory a capture takes, at 1024x768 and
1920x1080, with the default settings (Center-In flash) and with quiet ones
(no flash). Uses the same environment as the scenarios (KESTREL_EXE,
KESTREL_DRIVER, KESTREL_E2E_OUT, KESTREL_WINE_TEMPLATE); from a configured
win32 build:

    KESTREL_EXE=build/win32/kestrel.exe KESTREL_DRIVER=build/win32/kestrel-driver.exe \\
        /usr/bin/python3 tests/e2e/bench_capture.py [CAPTURES]

grab_ms is the time until the trigger message returns (the capture routine
runs inside it, notification flash included); window_ms until the "Screen
Capture" window exists, is visible and its first paint has been handled.
Memory is the Linux resident set of the Wine process running kestrel.exe:
before each capture its high-water mark is reset to the current size, and
the capture's peak is how far the mark rose above it; the worst capture is
reported, also as a multiple of the captured image's bytes (24 bits per
pixel)."""

import statistics
import sys

import e2e

SETTINGS = {
    "defaults": {"Mode": "1,0,0"},  # defaults otherwise, but no splash box
    "quiet": e2e.QUIET_SETTINGS,
}


def memory_kib(s, field):
    values = []
    for pid in s.kestrel_linux_pids():
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith(field + ":"):
                    values.append(int(line.split()[1]))
    return max(values) if values else 0


def reset_peak_memory(s):
    for pid in s.kestrel_linux_pids():
        with open(f"/proc/{pid}/clear_refs", "w") as refs:
            refs.write("5")


def bench(width, height, label, settings, captures):
    with e2e.Scenario(f"bench_{label}_{width}x{height}", width, height, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        grabs, windows, peaks = [], [], []
        for _ in range(captures):
            reset_peak_memory(s)
            before = memory_kib(s, "VmRSS")
            out = s.driver("time-capture", s.frame, 1, "Screen Capture", 30000)
            values = dict(line.split() for line in out.splitlines())
            grabs.append(float(values["grab_ms"]))
            windows.append(float(values["window_ms"]))
            peaks.append(memory_kib(s, "VmHWM") - before)
        image_kib = width * height * 3 / 1024
        return {
            "grab_ms": statistics.median(grabs),
            "window_ms": statistics.median(windows),
            "window_ms_best": min(windows),
            "window_ms_worst": max(windows),
            "peak_mib": max(peaks) / 1024,
            "peak_images": max(peaks) / image_kib,
        }


def main(argv):
    captures = int(argv[1]) if len(argv) > 1 else 5
    print(f"{'screen':>10} {'settings':>9} {'grab ms':>8} {'window ms':>10} {'best ms':>8} {'worst ms':>9} "
          f"{'peak MiB':>9} {'x image':>8}   ({captures} captures: medians; peak above the process before it)")
    for width, height in ((1024, 768), (1920, 1080)):
        for label, settings in SETTINGS.items():
            r = bench(width, height, label, settings, captures)
            print(f"{width}x{height:<5} {label:>9} {r['grab_ms']:8.1f} {r['window_ms']:10.1f} "
                  f"{r['window_ms_best']:8.1f} {r['window_ms_worst']:9.1f} {r['peak_mib']:9.1f} "
                  f"{r['peak_images']:8.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
