"""With Send To Clipboard on and Send To Window off, Ctrl+1 typed into another
program (Notepad) opens no image window; the clipboard then holds a
CF_BITMAP equal, pixel for pixel, to the screen at trigger time as the
driver grabbed it independently."""

import os
import sys
import time

import e2e


def clipboard_image(s, path):
    """True when the driver could write the clipboard's image to path."""
    s.driver("clipboard", path, check=False)
    return s.last_returncode == 0


def main():
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,0,1,0,0,0,0,5,5")
    with e2e.Scenario("send_to_clipboard", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        # Notepad keeps the focus, but its blinking caret (at the top left of
        # its client area) goes off the left edge of the screen.
        s.driver("move", notepad, -150, 300)
        e2e.check(not clipboard_image(s, os.path.join(s.out, "unexpected.bmp")),
                  "the clipboard holds an image before the capture")

        screen = s.grab_still_screen("screen.bmp")

        s.driver("keys", "ctrl+1")
        captured = os.path.join(s.out, "captured.bmp")
        s.wait_for("an image on the clipboard", lambda: clipboard_image(s, captured), timeout=20)
        difference = e2e.compare_images(captured, screen)
        e2e.check(difference is None, f"the clipboard image differs from the screen: {difference}")

        # The window destination is off: nothing opens, also a moment later.
        time.sleep(1.0)
        e2e.check(s.children() == [], f"image windows are {s.children()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
