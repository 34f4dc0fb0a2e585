"""Title & Menu capture with Pulldown Menu and Erase Background (Title Bar
and Menu Bar off), typed as Ctrl+4 into Notepad:

- with no menu open: "No menu is found." and no image window;
- after a real click has opened Notepad's File menu: "Title & Menu Capture"
  of the menu and one menu-bar height above it, in which the menu equals an
  independent grab of the screen and every other pixel is either white or
  the screen's (the highlighted File item), the menu bar around the item
  being white;
- after a right click near the right edge of the screen, whose context menu
  cannot open at the click but lies further left: a second capture of
  exactly that menu."""

import os
import sys

import e2e


def rect(s, window, command="rect"):
    return tuple(int(v) for v in s.driver(command, window).split())


def main():
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,1,1,0,0,0,0,5,5", TitleMenuPage="0,0,1,1,1")
    with e2e.Scenario("title_menu_capture", 1024, 768, settings) as s:
        from PIL import Image, ImageChops
        s.start_kestrel()
        s.wait_main_window()
        notepad = s.start_notepad()
        s.driver("move", notepad, 40, 60)

        s.driver("keys", "ctrl+4")
        text = s.message_box_text()
        e2e.check(text == "No menu is found.", f"Ctrl+4 without a menu says {text!r}")
        e2e.check(s.children() == [], f"Ctrl+4 without a menu opened {s.children()}")

        s.driver("activate", notepad)
        s.wait_for("Notepad in front", lambda: s.driver("foreground").startswith(notepad[5:] + "\t"))
        window, client = rect(s, notepad), rect(s, notepad, "client-rect")
        s.driver("mouse", window[0] + 18, client[1] - 9, "click")
        s.wait_for("the File menu", lambda: s.driver("state", "class:#32768", check=False).startswith("visible"))
        menu = rect(s, "class:#32768")
        screen = Image.open(s.grab_screen_agreeing_with_x("screen.bmp")).convert("RGB")

        s.driver("keys", "ctrl+4")
        s.wait_for("the capture window", lambda: s.children() == ["Title & Menu Capture"], timeout=30)
        path = os.path.join(s.out, "captured.bmp")
        s.driver("clipboard", path)
        captured = Image.open(path).convert("RGB")

        # The menu hangs from its menu-bar item: the picture reaches up by
        # one menu-bar height and may start one pixel further left.
        width, height = captured.size
        bar = height - (menu[3] - menu[1])
        e2e.check(12 <= bar <= 30 and width - (menu[2] - menu[0]) in (0, 1),
                  f"the capture is {captured.size} for the menu {menu}")
        area = (menu[2] - width, menu[1] - bar, menu[2], menu[3])
        on_screen = screen.crop(area)
        inside = (menu[0] - area[0], bar, width, height)
        box = ImageChops.difference(captured.crop(inside), on_screen.crop(inside)).getbbox()
        e2e.check(box is None, f"the menu in the capture differs from the screen inside {box}")
        white = (255, 255, 255)
        erased = 0
        for y in range(height):
            for x in range(width):
                got, shown = captured.getpixel((x, y)), on_screen.getpixel((x, y))
                e2e.check(got in (white, shown), f"pixel {x},{y} is {got}, neither white nor the screen's {shown}")
                erased += got == white and shown != white
        e2e.check(erased > 0, "nothing around the menu was made white")

        s.driver("activate", notepad)
        s.wait_for("Notepad in front", lambda: s.driver("foreground").startswith(notepad[5:] + "\t"))
        s.driver("keys", "esc", "esc")
        s.wait_for("the File menu closed",
                   lambda: not s.driver("state", "class:#32768", check=False).startswith("visible"))
        s.driver("move", notepad, 400, 60)
        s.driver("mouse", 1000, 300, "rclick")
        s.wait_for("the context menu", lambda: s.driver("state", "class:#32768", check=False).startswith("visible"))
        menu = rect(s, "class:#32768")
        e2e.check(menu[0] < 1000, f"the context menu {menu} opened at the click, not left of it")
        screen = Image.open(s.grab_screen_agreeing_with_x("screen2.bmp")).convert("RGB")
        s.driver("keys", "ctrl+4")
        s.wait_for("the second capture window", lambda: s.children() == ["Title & Menu Capture"] * 2, timeout=30)
        s.driver("clipboard", path)
        captured = Image.open(path).convert("RGB")
        e2e.check(captured.size == (menu[2] - menu[0], menu[3] - menu[1]),
                  f"the capture is {captured.size} for the context menu {menu}")
        box = ImageChops.difference(captured, screen.crop(menu)).getbbox()
        e2e.check(box is None, f"the context menu in the capture differs from the screen inside {box}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
