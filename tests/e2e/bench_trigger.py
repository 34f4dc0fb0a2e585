"""Benchmark (not a test): time from the release of Ctrl+1 (Ctrl+2 or Ctrl+6
with the argument "window" or "pointer"), typed into another program
(Notepad), to the new "Screen Capture" ("Window Capture" of Notepad,
"Pointer Capture") window, at 1024x768 and 1920x1080. The path measured is
the whole trigger road: the keyboard hook inside Notepad, the sent key
report, the hotkey match, the dispatch, the grab with its notification
flash, the posted New command and the first paint of the image window.
Uses the same environment as the scenarios (KESTREL_EXE, KESTREL_DRIVER,
KESTREL_E2E_OUT, KESTREL_WINE_TEMPLATE); from a configured win32 build:

    KESTREL_EXE=build/win32/kestrel.exe KESTREL_DRIVER=build/win32/kestrel-driver.exe \\
        /usr/bin/python3 tests/e2e/bench_trigger.py [CAPTURES] [screen|window|pointer]

Two settings are measured: the defaults (Center-In flash, pointer drawn)
without the splash box, and quiet ones (no flash, no clock, no snapshot
buttons, no pointer)."""

import statistics
import sys

import e2e

KINDS = {
    "screen": ("ctrl+1", "Screen Capture"),
    "window": ("ctrl+2", "Window Capture"),
    "pointer": ("ctrl+6", "Pointer Capture"),
}

SETTINGS = {
    "defaults": {"Mode": "1,0,0"},
    "quiet": e2e.QUIET_SETTINGS,
}


def bench(width, height, label, settings, captures, kind):
    keys, title = KINDS[kind]
    with e2e.Scenario(f"bench_trigger_{kind}_{label}_{width}x{height}", width, height, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        # One driver run for the series: the capture brings Kestrel to the
        # top, and Notepad goes back in front before each key stroke.
        out = s.driver("time-inputs", s.frame, title, 30000, captures, notepad, "keys", keys,
                       timeout=60 + captures * 5)
        times = [float(line.split()[1]) for line in out.splitlines() if line.startswith("window_ms ")]
        return statistics.median(times), min(times), max(times)


def main(argv):
    captures = int(argv[1]) if len(argv) > 1 else 5
    kind = argv[2] if len(argv) > 2 else "screen"
    print(f"{kind} capture")
    print(f"{'screen':>10} {'settings':>9} {'median ms':>10} {'best ms':>8} {'worst ms':>9}"
          f"   (key release to painted window, {captures} captures)")
    for width, height in ((1024, 768), (1920, 1080)):
        for label, settings in SETTINGS.items():
            median, best, worst = bench(width, height, label, settings, captures, kind)
            print(f"{width}x{height:<5} {label:>9} {median:10.1f} {best:8.1f} {worst:9.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
