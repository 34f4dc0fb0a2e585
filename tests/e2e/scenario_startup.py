"""Kestrel starts with the title "Kestrel", a tool bar and a status bar, and
no image window; with the default settings (splash box on) as a first-time
user sees it."""

import sys

import e2e


def main():
    with e2e.Scenario("startup", 1024, 768) as s:
        s.start_kestrel()
        s.wait_main_window(timeout_ms=60000)
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible", timeout=30)
        e2e.check(s.driver("count", e2e.MAIN_TITLE).strip() == "1", "more than one window titled Kestrel")
        controls = [line.split("\t") for line in s.driver("texts", s.frame).splitlines()]
        classes = {fields[1].lower() for fields in controls if len(fields) >= 2}
        e2e.check("toolbarwindow32" in classes, f"no tool bar among the frame's children {sorted(classes)}")
        e2e.check("msctls_statusbar32" in classes, f"no status bar among the frame's children {sorted(classes)}")
        e2e.check("mdiclient" in classes, f"no MDI client among the frame's children {sorted(classes)}")
        e2e.check(s.children() == [], "an image window is open at start")
        panes = s.wait_for("five status bar panes", lambda: (lambda p: p if len(p) == 5 else None)(s.status_panes()))
        e2e.check(panes[4] == "000", f"the window count pane shows {panes[4]!r}, not '000'")
        e2e.check(panes[1] == "" and panes[2] == "", f"image panes are not empty without an image: {panes}")
        s.screenshot(s.out + "/startup.png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
