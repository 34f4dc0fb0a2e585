"""A second start of Kestrel ends at once and brings the running copy
forward: a copy hidden in background mode becomes visible, a minimised one is
restored; there is never a second main window."""

import subprocess
import sys

import e2e


def start_second_copy(s):
    proc = s.start_kestrel()
    try:
        proc.wait(timeout=60)
    except subprocess.TimeoutExpired:
        raise e2e.ScenarioFailure("the second copy did not end")
    e2e.check(s.driver("count", e2e.MAIN_TITLE).strip() == "1", "a second main window appeared")


def main():
    settings = dict(e2e.QUIET_SETTINGS, Mode="0,0,0")  # background mode: the frame stays hidden
    with e2e.Scenario("second_instance", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        e2e.check(s.state()[0] == "hidden", "the main window is shown in background mode")

        start_second_copy(s)
        s.wait_for("the hidden copy to be shown", lambda: s.state()[0] == "visible")

        s.driver("post", s.frame, e2e.WM_SYSCOMMAND, e2e.SC_MINIMIZE, 0)
        s.wait_for("the main window to be minimised", lambda: s.state()[1] == "iconic")
        start_second_copy(s)
        s.wait_for("the minimised copy to be restored", lambda: s.state()[:2] == ["visible", "normal"])
    return 0


if __name__ == "__main__":
    sys.exit(main())
