"""The classic open dialog, used where the version query gives a major version
below 4 (Wine set to report Windows 3.1): the code-made Preview check box,
preview pane and size pane work like the Explorer-style ones.

- Selecting a file in the list shows "200w x 100h" and the picture fitted to
  the 130-pixel square inside the sunken pane.
- Clearing Preview narrows the dialog by 148 pixels, ticking it widens it.
- Cancelling after a preview leaves no image behind; opening the selected
  file shows the same pixels."""

import os
import subprocess
import sys
import time

import e2e

ID_FILE_NEW = 57600
ID_FILE_OPEN = 57601
DIALOG = "dialog:Open File"
SIDE = 130


def rect(s, window, control):
    return [int(v) for v in s.driver("child-rect", window, control).split()]


def texts(s, window):
    return dict(line.split("\t", 2)[0::2] for line in s.driver("texts", window).splitlines()
                if line.count("\t") == 2)


def width(s):
    left, _, right, _ = [int(v) for v in s.driver("rect", DIALOG).split()]
    return right - left


def select_first_file(s):
    left, top, _, _ = rect(s, DIALOG, "1120")

    def selected():
        s.driver("mouse", left + 20, top + 6, "click")
        time.sleep(0.5)
        return texts(s, DIALOG).get("101") == "200w x 100h"
    s.wait_for("the size pane", selected, timeout=15, interval=0.5)


def main():
    settings = dict(e2e.QUIET_SETTINGS, PathNameOpen="C:\\pics")
    with e2e.Scenario("open_save_classic", 1024, 768, settings) as s:
        from PIL import Image, ImageDraw
        pics = os.path.join(s.prefix, "drive_c", "pics")
        os.makedirs(pics)
        picture = os.path.join(pics, "picture.bmp")
        image = Image.new("RGB", (200, 100), (255, 0, 0))
        ImageDraw.Draw(image).rectangle((0, 0, 99, 99), fill=(0, 0, 255))
        image.quantize(colors=4).save(picture)
        subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d", "win31", "/f"],
                       env=s.env, timeout=60, check=True, capture_output=True)
        s.start_kestrel()
        s.wait_main_window()

        s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_OPEN, 0)
        s.driver("wait-window", DIALOG, 20000)
        time.sleep(1.0)  # the dialog fills its lists first
        select_first_file(s)
        left, top, _, _ = rect(s, DIALOG, "102")
        grab = os.path.join(s.out, "dialog.bmp")
        s.driver("grab", grab)
        screen = Image.open(grab).convert("RGB")
        height = 100 * SIDE // 200
        y = top + (SIDE - height) // 2 + 2 + height // 2
        e2e.check(screen.getpixel((left + 3 + SIDE // 4, y)) == (0, 0, 255), "no blue half in the preview")
        e2e.check(screen.getpixel((left + 3 + 3 * SIDE // 4, y)) == (255, 0, 0), "no red half in the preview")
        e2e.check(screen.getpixel((left + SIDE // 2, top + 6)) == (255, 255, 255), "the pane is not white")

        wide = width(s)
        check_left, check_top, _, check_bottom = rect(s, DIALOG, "104")

        def press_preview(target):
            # A click that arrives while the file list still tracks the mouse
            # is lost; press again until the width changes.
            s.driver("mouse", check_left + 6, (check_top + check_bottom) // 2, "click")
            for _ in range(6):
                time.sleep(0.5)
                if width(s) == target:
                    return True
            return False
        s.wait_for("the narrow dialog", lambda: press_preview(wide - 148), timeout=15)
        s.wait_for("the wide dialog", lambda: press_preview(wide), timeout=15)

        s.driver("keys", "esc")
        s.driver("wait-gone", DIALOG, 20000)
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_FILE_NEW, 0)
        time.sleep(1.5)
        e2e.check(s.children() == [], f"a window opened after a cancelled preview: {s.children()}")

        s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_OPEN, 0)
        s.driver("wait-window", DIALOG, 20000)
        time.sleep(1.0)  # the dialog fills its lists first
        select_first_file(s)
        s.driver("keys", "return")
        s.driver("wait-child", s.frame, "C:\\pics\\picture.bmp", 20000)
        copied = os.path.join(s.out, "opened.bmp")
        s.driver("send", s.frame, e2e.WM_COMMAND, e2e.ID_COPY_IMAGE, 0)
        s.driver("clipboard", copied)
        difference = e2e.compare_images(copied, picture)
        e2e.check(difference is None, f"the opened picture differs: {difference}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
