"""HotButton Setup driven by clicks: a middle single click set to Region
("Rgn") and OK passes the assignment to the hook library at once, so a real
middle click over another program arms a Region capture (the frozen screen
comes to the front and waits for the button); HotButton is written, and a
hand-edited value outside its row is written back as none. The dialog
shows the stored choice when it opens again; Default then OK clears every
row."""

import sys

import e2e

DIALOG = "dialog:HotButton Setup"
OK = 1
MIDDLE_SINGLE_REGION = 1223
DEFAULT = 1852


def main():
    # A hand-edited value outside the right single click's columns.
    settings = dict(e2e.QUIET_SETTINGS, HotButton="0,0,0,9,0")
    with e2e.Scenario("hotbutton_setup", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        dialog = "hwnd:" + s.options_command("b", DIALOG)
        s.driver("click-child", dialog, MIDDLE_SINGLE_REGION)
        s.driver("click-child", dialog, OK)
        s.driver("wait-gone", dialog, 10000)
        e2e.check(s.stored_settings().get("HotButton") == "0,3,0,0,0",
                  f"HotButton is {s.stored_settings().get('HotButton')}")

        notepad = s.start_notepad()
        left, top, right, bottom = map(int, s.driver("rect", notepad).split())
        s.driver("mouse", (left + right) // 2, (top + bottom) // 2, "mclick")
        cover = s.wait_for("the frozen screen in front",
                           lambda: (lambda f: f[0] if f[1:] == [""] else None)(
                               s.driver("foreground").rstrip("\r\n").split("\t")), timeout=10)
        cover = "hwnd:" + cover
        e2e.check(s.state(cover)[0] == "visible", "the cover window is not shown")
        # The button press ends the armed state.
        s.driver("mouse", 100, 100, "click")
        s.wait_for("the frozen screen to go", lambda: s.state(cover)[0] == "hidden", timeout=10)

        s.driver("activate", s.frame)
        dialog = "hwnd:" + s.options_command("b", DIALOG)
        e2e.check(s.driver("child-state", dialog, MIDDLE_SINGLE_REGION).startswith("checked"),
                  "the dialog does not show the stored Region")
        s.driver("click-child", dialog, DEFAULT)
        s.driver("click-child", dialog, OK)
        s.driver("wait-gone", dialog, 10000)
        e2e.check(s.stored_settings().get("HotButton") == "0,0,0,0,0",
                  f"HotButton is {s.stored_settings().get('HotButton')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
