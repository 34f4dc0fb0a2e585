"""The title-bar clock: with the time on (seconds, a magenta text colour),
the clock appears on the caption of the foreground window (Notepad), right
of the caption's middle and left of its buttons, and ticks. When Kestrel's
own window comes to the front, Notepad's caption loses the clock and
Kestrel's gets it. With Hide in Capture on, a Screen capture (to the
clipboard) shows no clock, and the clock returns afterwards."""

import os
import sys

import e2e

MAGENTA = (255, 0, 255)
CLOCK_MAGENTA = "1,0,1,0,1,1,0,0,0,0,16711935"
CAPTION_DEPTH = 30


def caption(s, window, name):
    """The window's caption band (its top 30 rows) as the driver grabs it,
    and the box of the clock's magenta pixels in it, or None."""
    image = s.grab_image(name, window)
    band = image.crop((0, 0, image.width, min(CAPTION_DEPTH, image.height)))
    return band, e2e.color_box(band, MAGENTA)


def main():
    settings = dict(e2e.QUIET_SETTINGS, Clock=CLOCK_MAGENTA, SendtoPage="0,0,1,0,0,0,0,5,5")
    with e2e.Scenario("title_clock", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        s.driver("move", notepad, 100, 100)
        left, top, right, bottom = map(int, s.driver("rect", notepad).split())
        width = right - left

        box = s.wait_for("the clock on Notepad's caption",
                         lambda: caption(s, notepad, "notepad-clock.bmp")[1], timeout=10)
        e2e.check(box[0] > width // 2 and box[2] < width - 40,
                  f"the clock at {box} is not between the middle of Notepad's {width}-pixel caption and its buttons")
        first, _ = caption(s, notepad, "notepad-tick.bmp")

        def ticked():
            later, _ = caption(s, notepad, "notepad-later.bmp")
            return later.crop(box).tobytes() != first.crop(box).tobytes()
        s.wait_for("the clock to tick", ticked, timeout=5, interval=0.3)

        # Kestrel to the front: the clock moves to its caption.
        s.driver("activate", s.frame)
        s.wait_for("the clock to leave Notepad's caption",
                   lambda: caption(s, notepad, "notepad-after.bmp")[1] is None, timeout=10)
        s.wait_for("the clock on Kestrel's caption",
                   lambda: caption(s, s.frame, "kestrel-clock.bmp")[1], timeout=10)

        # Hide in Capture: a Screen capture from Notepad has no clock in it.
        s.driver("activate", notepad)
        s.wait_for("the clock back on Notepad's caption",
                   lambda: caption(s, notepad, "notepad-again.bmp")[1], timeout=10)
        # The trigger as the hook library sends it. (A hotkey typed into
        # Notepad holds Notepad's thread until the capture is over, and Wine
        # may then put its repainted caption on the screen after the grab.)
        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        captured = os.path.join(s.out, "captured.bmp")

        def clipboard_image():
            s.driver("clipboard", captured, check=False)
            return s.last_returncode == 0
        s.wait_for("the capture on the clipboard", clipboard_image, timeout=20)
        from PIL import Image
        picture = Image.open(captured).convert("RGB")
        e2e.check(e2e.color_box(picture.crop((left, top, right, top + CAPTION_DEPTH)), MAGENTA) is None,
                  "the captured picture shows the clock on Notepad's caption")
        s.wait_for("the clock back after the capture",
                   lambda: caption(s, notepad, "notepad-end.bmp")[1], timeout=10)
    return 0


if __name__ == "__main__":
    sys.exit(main())
