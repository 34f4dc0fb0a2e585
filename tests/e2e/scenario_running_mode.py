"""The key chords typed into another program switch the running mode:
Ctrl+Shift+Alt+B hides the main window and writes background mode to the
settings file, Ctrl+Shift+Alt+F shows the window again and brings it
forward."""

import sys

import e2e

def stored_mode(s):
    """The running-mode field of the Mode key, as the file holds it."""
    return s.stored_settings().get("Mode", "").split(",")[0].strip() or None


def main():
    with e2e.Scenario("running_mode", 1024, 768, e2e.QUIET_SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        s.start_notepad()

        s.driver("keys", "ctrl+shift+alt+b")
        s.wait_for("the main window to be hidden", lambda: s.state()[0] == "hidden", timeout=10)
        s.wait_for("Mode=0 in KESTREL.INI", lambda: stored_mode(s) == "0", timeout=10)

        s.driver("keys", "ctrl+shift+alt+f")
        s.wait_for("the main window to be shown in front",
                   lambda: s.state()[0] == "visible" and s.state()[2] == "foreground", timeout=10)
    return 0


if __name__ == "__main__":
    sys.exit(main())
