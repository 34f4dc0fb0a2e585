"""Region capture with real mouse input at 1920x1080: Ctrl+3 typed in
Notepad freezes the screen; a drag from one point to another opens "Region
Capture" holding exactly the frozen screen over the rectangle of the two
points (no outline, size readout, inversion or pointer in it); a click
without a drag opens nothing and leaves Kestrel answering; dragging up-left
over the same rectangle gives the same picture as dragging down-right.

The reference is the driver's grab of the frozen screen, checked against an
X-level screenshot, taken while the selection is armed. The time from the
button's release to the painted image window is logged as a benchmark."""

import os
import sys
import time

import e2e

WM_NULL = 0


def arm_region(s, notepad):
    """Ctrl+3 typed into Notepad; returns the cover window showing the frozen screen."""
    s.driver("activate", notepad)
    s.wait_for("Notepad in the foreground", lambda: e2e.NOTEPAD_TITLE in s.driver("foreground"))
    s.driver("keys", "ctrl+3")
    return "hwnd:" + s.wait_for("the frozen screen in front",
                                lambda: (lambda f: f[0] if f[1:] == [""] else None)(
                                    s.driver("foreground").rstrip("\r\n").split("\t")), timeout=10)


def pointer_near(s, point):
    """The pointer position once it is within a pixel of point: the
    position read back right after the input can still be the older one."""
    def near():
        at = tuple(map(int, s.driver("cursor").split()))
        return at if max(abs(at[0] - point[0]), abs(at[1] - point[1])) <= 1 else None
    return s.wait_for(f"the pointer at {point}", near, timeout=10, interval=0.1)


def drag(s, start, via, end):
    """A real drag; returns the pointer positions at the press and the
    release (a position the input asks for may land a pixel beside it) and
    the ms from the release to the painted new window."""
    s.driver("mouse", *start, "down")
    pressed = pointer_near(s, start)
    for point in via:
        s.driver("mouse", *point, "move")
    s.driver("mouse", *end, "move")
    released = pointer_near(s, end)
    out = s.driver("time-input", s.frame, "Region Capture", 30000, "mouse", *released, "up")
    return pressed, released, float(dict(line.split() for line in out.splitlines())["window_ms"])


def region_capture(s, notepad, name, start, via, end):
    """Arms, grabs the frozen screen, drags; returns the captured picture and the frozen one cut to the rectangle."""
    from PIL import Image
    arm_region(s, notepad)
    frozen = Image.open(s.grab_screen_agreeing_with_x(name + "-frozen.bmp")).convert("RGB")
    start, end, ms = drag(s, start, via, end)
    s.log(f"benchmark: release to Region Capture window {ms:.1f} ms")
    print(f"release to window: {ms:.1f} ms")
    path = os.path.join(s.out, name + ".bmp")
    s.driver("clipboard", path)
    box = (min(start[0], end[0]), min(start[1], end[1]), max(start[0], end[0]), max(start[1], end[1]))
    picture = Image.open(path).convert("RGB")
    e2e.check(picture.size == (box[2] - box[0], box[3] - box[1]), f"the picture is {picture.size}, not {box}")
    return picture, frozen.crop(box)


def main():
    from PIL import ImageChops
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,1,1,0,0,0,0,5,5")
    with e2e.Scenario("region_capture", 1920, 1080, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        left, top, right, _ = map(int, s.driver("rect", notepad).split())
        # Menu bar and the edit area right of the caret: the same in every
        # freeze, unlike the caption, which may be drawn active or not.
        a, b = (left + 80, top + 24), (right - 25, top + 90)

        picture, frozen = region_capture(s, notepad, "down-right", a, [(a[0] + 40, a[1] + 30)], b)
        e2e.check(ImageChops.difference(picture, frozen).getbbox() is None,
                  "the down-right picture differs from the frozen screen")
        e2e.check(s.children() == ["Region Capture"], f"image windows are {s.children()}")

        cover = arm_region(s, notepad)
        s.driver("mouse", a[0] + 100, a[1] + 50, "click")
        time.sleep(1.5)
        e2e.check(s.children() == ["Region Capture"], f"a click without a drag opened {s.children()[1:]}")
        e2e.check(s.state(cover)[0] == "hidden", "the frozen screen stayed after the click")
        s.driver("send", s.frame, WM_NULL, 0, 0, 5000)

        # Up-left across the anchor, ending on the same rectangle.
        again, frozen_again = region_capture(s, notepad, "up-left", b, [(b[0] + 30, b[1] + 40), (a[0] + 60, b[1] - 10)], a)
        e2e.check(ImageChops.difference(again, frozen_again).getbbox() is None,
                  "the up-left picture differs from the frozen screen")
        e2e.check(ImageChops.difference(again, picture).getbbox() is None,
                  "dragging up-left gave another picture than dragging down-right")
    return 0


if __name__ == "__main__":
    sys.exit(main())
