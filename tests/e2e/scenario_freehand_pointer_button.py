"""Freehand, Pointer and Button captures with real input, each with Send To
File and Prompt Filename on, so every capture asks for a file name first.

- Pointer (Ctrl+6 over Notepad's title bar): the save dialog appears; the
  typed name is written, reads back equal to the capture, and titles the
  window; the picture is the arrow on 32x32 white, as the driver draws it.
- Freehand (Ctrl+5, a real stroke on the frozen screen): Cancel in the save
  dialog writes nothing and says nothing; the picture is the stroke's
  bounding box, each row kept from its leftmost to its rightmost stroke
  point (gaps between rows filled in by steps) with the stroke's pixels in
  the pen colour, white outside.
- Button (Ctrl+7, a click on a push button of Notepad's Find dialog): the
  button's rectangle on screen; a click on the flat desktop gives the
  100-pixel box from the click.

References are the driver's grabs of the frozen screen (checked against an
X-level screenshot) and the driver's own drawing of the arrow."""

import os
import subprocess
import sys
import time

import e2e

SAVE_AS = "dialog:Save As"


def arm(s, window, keys):
    """keys typed into window; waits for the frozen screen and returns the driver's grab of it."""
    from PIL import Image
    s.driver("activate", window)
    s.wait_for("the window in the foreground", lambda: s.driver("foreground").startswith(window[5:] + "\t"))
    s.driver("keys", keys)
    s.wait_for("the frozen screen in front", lambda: s.driver("foreground").rstrip("\r\n").split("\t")[1:] == [""],
               timeout=10)
    name = keys.replace("+", "-") + "-frozen.bmp"
    return Image.open(s.grab_screen_agreeing_with_x(name)).convert("RGB")


def answer_prompt(s, file_name=None):
    """Types file_name into the capture's save dialog, or cancels it."""
    s.driver("wait-window", SAVE_AS, 20000)
    time.sleep(1.0)
    if file_name:
        s.driver("keys", "alt+n", "end", "shift+home")
        s.driver("type", file_name)
        s.driver("keys", "return")
    else:
        s.driver("keys", "esc")
    s.driver("wait-gone", SAVE_AS, 20000)


def new_capture(s, title, count):
    s.wait_for(f'image window {count}, "{title}"',
               lambda: (lambda c: len(c) == count and title in c)(s.children()), timeout=30)


def stroke(s, points):
    """A drag through points made at the X server: one motion event each.
    (Input sent through Wine also brings back stale motion events of the
    position before, which would add points to the stroke.)"""
    def xdotool(*args):
        subprocess.run(["xdotool", *map(str, args)], env=s.env, check=True, timeout=10)
        time.sleep(0.2)
    xdotool("mousemove", *points[0])
    xdotool("mousedown", 1)
    for point in points[1:]:
        xdotool("mousemove", *point)
    xdotool("mouseup", 1)


def use_classic_look(s):
    """Buttons in the standard three-dimensional look: no visual theme, and
    the frame and dark shadow colours black, as the standard scheme has them."""
    for key, name, value in (("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", "ThemeActive", "0"),
                             ("HKCU\\Control Panel\\Colors", "WindowFrame", "0 0 0"),
                             ("HKCU\\Control Panel\\Colors", "ButtonDkShadow", "0 0 0")):
        subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], env=s.env, check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def clipboard(s, name):
    from PIL import Image
    path = os.path.join(s.out, name)
    s.driver("clipboard", path)
    return Image.open(path).convert("RGB")


def freehand_expected(frozen, points):
    """The freehand picture computed from the stroke's points alone."""
    from PIL import Image
    left, top = min(x for x, _ in points), min(y for _, y in points)
    right, bottom = max(x for x, _ in points) + 1, max(y for _, y in points) + 1
    spans = {}

    def reach(x, y):
        low, high = spans.get(y, (x, x))
        spans[y] = (min(low, x), max(high, x))
    for i, (x, y) in enumerate(points):
        if i:
            px, py = points[i - 1]
            dy = abs(y - py)
            step = int((x - px) / dy) if dy > 1 else 0
            for j in range(1, dy):
                reach(px + j * step, py + (j if y > py else -j))
        reach(x, y)
    picture = Image.new("RGB", (right - left, bottom - top), (255, 255, 255))
    for y, (low, high) in spans.items():
        picture.paste(frozen.crop((low, y, high + 1, y + 1)), (low - left, y - top))
    # The press point is recorded but not drawn.
    for x, y in points[1:]:
        picture.putpixel((x - left, y - top), (0, 0, 0))
    return picture


def main():
    from PIL import Image, ImageChops
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,1,1,0,1,1,0,5,5", PathNameDirect="C:\\")
    with e2e.Scenario("freehand_pointer_button", 1024, 768, settings) as s:
        use_classic_look(s)
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        left, top, right, bottom = map(int, s.driver("rect", notepad).split())
        drive = os.path.join(s.prefix, "drive_c")

        # Pointer, saved under a typed name.
        s.driver("mouse", (left + right) // 2, top + 8, "move")
        s.driver("keys", "ctrl+6")
        answer_prompt(s, "C:\\pointer.bmp")
        new_capture(s, "C:\\pointer.bmp", 1)
        pointer = clipboard(s, "pointer.bmp")
        arrow = os.path.join(s.out, "arrow.bmp")
        s.driver("arrow", arrow)
        e2e.check(ImageChops.difference(pointer, Image.open(arrow).convert("RGB")).getbbox() is None,
                  "the Pointer Capture is not the arrow on white")
        e2e.check(ImageChops.difference(pointer, Image.open(os.path.join(drive, "pointer.bmp")).convert("RGB"))
                  .getbbox() is None, "the saved file differs from the capture")

        # Freehand, prompt cancelled.
        files_before = sorted(os.listdir(drive))
        frozen = arm(s, notepad, "ctrl+5")
        points = [(left + 60, top + 4), (left + 130, top + 30), (left + 110, top + 75), (left + 40, top + 66),
                  (left + 12, top + 22), (left + 57, top + 5)]
        stroke(s, points)
        answer_prompt(s)
        new_capture(s, "Freehand Capture", 2)
        e2e.check(sorted(os.listdir(drive)) == files_before, "a cancelled prompt wrote a file")
        s.driver("wait-window", "dialog:" + e2e.MAIN_TITLE, 500, check=False)
        e2e.check(s.last_returncode == 1, "a cancelled prompt said something")
        freehand = clipboard(s, "freehand.bmp")
        expected = freehand_expected(frozen, points)
        expected.save(os.path.join(s.out, "freehand-expected.png"))
        e2e.check(freehand.size == expected.size, f"the freehand picture is {freehand.size}, not {expected.size}")
        e2e.check(ImageChops.difference(freehand, expected).getbbox() is None,
                  f"the freehand picture differs inside {ImageChops.difference(freehand, expected).getbbox()}")

        # Button: a push button of Notepad's Find dialog, then the flat desktop.
        s.driver("activate", notepad)
        s.driver("keys", "ctrl+f")
        find = "hwnd:" + s.driver("wait-window", "dialog:Find", 20000).strip()
        button = list(map(int, s.driver("child-rect", find, "2").split()))
        frozen = arm(s, find, "ctrl+7")
        s.driver("mouse", (button[0] + button[2]) // 2, (button[1] + button[3]) // 2, "click")
        answer_prompt(s)
        new_capture(s, "Button Capture", 3)
        picture = clipboard(s, "button.bmp")
        e2e.check(ImageChops.difference(picture, frozen.crop(tuple(button))).getbbox() is None,
                  f"the Button Capture ({picture.size}) is not the button at {button}")

        frozen = arm(s, find, "ctrl+7")
        s.driver("mouse", 800, 600, "click")
        answer_prompt(s)
        new_capture(s, "Button Capture", 4)
        picture = clipboard(s, "flat.bmp")
        e2e.check(ImageChops.difference(picture, frozen.crop((800, 600, 900, 700))).getbbox() is None,
                  f"the flat-area Button Capture ({picture.size}) is not the box from the click")
    return 0


if __name__ == "__main__":
    sys.exit(main())
