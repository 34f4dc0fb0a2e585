"""A hotkey that arrives while a Region selection is armed (Ctrl+3 typed,
the button not yet pressed) abandons that selection and starts its own
capture: Ctrl+1 then hides the frozen screen (the cover window that Ctrl+3
brought to the front), opens one "Screen Capture" window and gives the
left button back to the hook library, so that a left double click, the
HotButton for Screen here, is counted again and captures once more."""

import sys
import time

import e2e


def main():
    settings = dict(e2e.QUIET_SETTINGS, HotButton="1,0,0,0,0")
    with e2e.Scenario("abandon_selection", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        s.start_notepad()

        s.driver("keys", "ctrl+3")
        cover = s.wait_for("the frozen screen in front",
                           lambda: (lambda f: f[0] if f[1:] == [""] else None)(
                               s.driver("foreground").rstrip("\r\n").split("\t")), timeout=10)
        cover = "hwnd:" + cover
        e2e.check(s.state(cover)[0] == "visible", "the cover window is not shown")
        e2e.check(s.children() == [], f"Ctrl+3 alone opened {s.children()}")

        s.driver("keys", "ctrl+1")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        e2e.check(s.children() == ["Screen Capture"], f"image windows are {s.children()}")
        e2e.check(s.state(cover)[0] == "hidden", "the frozen screen stayed after Ctrl+1")

        # A left double click on the bare desktop, below and right of every
        # window: counted only when the hook library has the button back.
        s.driver("mouse", 900, 700, "dclick")
        s.wait_for("a second Screen Capture window from the left double click",
                   lambda: s.children() == ["Screen Capture", "Screen Capture"], timeout=10)
        time.sleep(1.0)
        e2e.check(len(s.children()) == 2, f"image windows are {s.children()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
