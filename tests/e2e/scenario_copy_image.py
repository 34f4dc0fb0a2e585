"""Copy Image puts the picture of the active image window on the clipboard:
after a Screen capture it equals the screen as it was when the trigger
arrived, pixel for pixel."""

import os
import sys

import e2e


def main():
    with e2e.Scenario("copy_image", 1024, 768, e2e.QUIET_SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        before = s.grab_screen_agreeing_with_x("before.bmp")

        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        copied = os.path.join(s.out, "copied.bmp")
        s.driver("send", s.frame, e2e.WM_COMMAND, e2e.ID_COPY_IMAGE, 0)
        s.driver("clipboard", copied)
        difference = e2e.compare_images(copied, before)
        e2e.check(difference is None, f"the copied image differs from the screen: {difference}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
