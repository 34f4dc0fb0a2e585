"""With the default hotkeys, Ctrl+1 typed into another program (Notepad) is
seen by the hook library inside that program and starts a Screen capture:
a "Screen Capture" image window opens. Ctrl+Shift+1 starts nothing."""

import sys
import time

import e2e

def main():
    with e2e.Scenario("hotkey", 1024, 768, e2e.QUIET_SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        s.start_notepad()

        s.driver("keys", "ctrl+shift+1")
        time.sleep(1.0)
        e2e.check(s.children() == [], f"Ctrl+Shift+1 opened {s.children()}")

        s.driver("keys", "ctrl+1")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        e2e.check(s.children() == ["Screen Capture"], f"image windows are {s.children()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
