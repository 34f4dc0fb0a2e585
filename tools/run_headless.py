"""Headless run of Kestrel for tools/run.sh: starts Kestrel in a Wine virtual
desktop on a private X server, sends it a Screen capture trigger the way the
hook library does (WM_USER+1 with code 1 to the window titled "Kestrel"),
waits for the "Screen Capture" image window and writes a PNG of the screen.

    python3 tools/run_headless.py BUILD_DIR OUTPUT.png [WIDTHxHEIGHT]
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e  # noqa: E402


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    build, output = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    width, height = (int(v) for v in (argv[3] if len(argv) == 4 else "1024x768").split("x"))
    os.environ.setdefault("KESTREL_EXE", os.path.join(build, "kestrel.exe"))
    os.environ.setdefault("KESTREL_DRIVER", os.path.join(build, "kestrel-driver.exe"))
    os.environ.setdefault("KESTREL_BUILD_DIR", build)
    os.environ.setdefault("KESTREL_E2E_OUT", os.path.join(build, "run-out"))
    os.environ.pop("KESTREL_E2E_DISPLAY", None)
    settings = {"Mode": "1,0,0", "CapturePage": "1,0,0,1,0,0,0"}
    try:
        with e2e.Scenario("headless", width, height, settings) as s:
            s.start_kestrel()
            s.wait_main_window()
            s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
            s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
            s.driver("wait-child", s.frame, "Screen Capture", 30000)
            time.sleep(1.0)  # let the new window paint
            os.makedirs(os.path.dirname(output), exist_ok=True)
            s.screenshot(output)
    except e2e.ScenarioFailure as failure:
        print(f"run: {failure}; logs in {os.path.join(os.environ['KESTREL_E2E_OUT'], 'headless')}",
              file=sys.stderr)
        return 1
    print(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
