"""With a screen area of 10,20,110,70 in the settings file, Ctrl+1 typed into
another program (Notepad) captures exactly that area: a 100x50 image whose
pixels equal the screen there at trigger time, as the driver grabbed it
independently just before the key release; the status bar shows its size."""

import os
import sys

from PIL import Image

import e2e

AREA = (10, 20, 110, 70)  # left, top, right (exclusive), bottom (exclusive)


def main():
    settings = dict(e2e.QUIET_SETTINGS, ScreenPage="%d,%d,%d,%d,0,10" % AREA,
                    SendtoPage="0,1,1,0,0,0,0,5,5")
    with e2e.Scenario("screen_area", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        # Notepad's blinking caret must stay out of the area.
        s.driver("move", notepad, 300, 250)

        # The reference: the driver's grab of the still screen, cropped to the area.
        screen = s.grab_still_screen("screen.bmp")
        expected = os.path.join(s.out, "expected.png")
        Image.open(screen).convert("RGB").crop(AREA).save(expected)

        s.driver("keys", "ctrl+1")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        e2e.check(s.children() == ["Screen Capture"], f"image windows are {s.children()}")

        captured = os.path.join(s.out, "captured.bmp")
        s.driver("clipboard", captured)
        with Image.open(captured) as image:
            e2e.check(image.size == (100, 50), f"the capture is {image.size}, not 100x50")
        difference = e2e.compare_images(captured, expected)
        e2e.check(difference is None, f"the capture differs from the screen area: {difference}")

        s.wait_for("the status bar to show 100w x 50h",
                   lambda: (lambda p: len(p) == 5 and p[1] == "100w x 50h")(s.status_panes()), timeout=10)
    return 0


if __name__ == "__main__":
    sys.exit(main())
