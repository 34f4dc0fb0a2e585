"""Copy Image puts the picture of the active image window on the clipboard:
after a Screen capture it equals the screen as it was when the trigger
arrived, pixel for pixel. Paste Image takes a picture offered only in the
registered format "PNG" (as some programs copy) into a new "Clipboard Image"
window with the same pixels."""

import os
import sys

import e2e

ID_PASTE_IMAGE = 32776


def main():
    with e2e.Scenario("copy_image", 1024, 768, e2e.QUIET_SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        before = s.grab_screen_agreeing_with_x("before.bmp")

        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        from PIL import Image
        copied = s.copy_active_image("copied")
        s.check_same_picture("copied", copied, Image.open(before).convert("RGB"))

        offered = os.path.join(s.out, "offered.png")
        copied.crop((0, 0, 300, 200)).save(offered)
        s.driver("put-png", offered)
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_PASTE_IMAGE, 0)
        s.driver("wait-child", s.frame, "Clipboard Image", 30000)
        s.check_same_picture("pasted", s.copy_active_image("pasted"), Image.open(offered).convert("RGB"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
