"""Close All asks first: No keeps every image window, Yes closes them all
and the window count returns to 000."""

import sys

import e2e

MESSAGE = ("All image windows and notepads will be cleared. This action is not Undo-able. "
           "Press 'Yes' to continue; press 'No' to cancel.")
IDNO = 7


def answer_close_all(s, button):
    s.driver("post", s.frame, e2e.WM_COMMAND, e2e.ID_CLOSE_ALL, 0)
    s.driver("wait-window", "dialog:Kestrel", 10000)
    texts = [line.split("\t")[-1] for line in s.driver("texts", "dialog:Kestrel").splitlines()]
    e2e.check(MESSAGE in texts, f"the question is not shown; the box holds {texts}")
    s.driver("post", "dialog:Kestrel", e2e.WM_COMMAND, button, 0)
    s.driver("wait-gone", "dialog:Kestrel", 10000)


def main():
    with e2e.Scenario("close_all", 1024, 768, e2e.QUIET_SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        for n in range(1, 4):
            s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
            s.wait_for(f"{n} image windows", lambda: len(s.children()) == n)
        s.wait_for("the count 003", lambda: s.status_panes()[4:5] == ["003"], timeout=10)

        answer_close_all(s, IDNO)
        e2e.check(len(s.children()) == 3, f"No closed image windows: {s.children()}")

        answer_close_all(s, e2e.IDYES)
        s.wait_for("every image window to close", lambda: s.children() == [])
        s.wait_for("the count 000", lambda: s.status_panes()[4:5] == ["000"], timeout=10)
        e2e.check(s.state()[0] == "visible", "the main window is hidden after Close All")
        title = s.driver("title", s.frame).strip()
        e2e.check(title == e2e.MAIN_TITLE, f"the main window is titled {title!r} with no image window")
    return 0


if __name__ == "__main__":
    sys.exit(main())
