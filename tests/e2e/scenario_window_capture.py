"""Window captures of Notepad and of its Find dialog, typed as Ctrl+2 into
them, each compared with an independent grab of the screen taken just
before (driver grab agreeing with the X server):

- Active Window with Workspace off: "Window Capture" of Notepad's window
  rectangle, equal to the screen there except for the client area, which
  is white.
- The same with Capture with Current and Erase Background while Notepad's
  context menu hangs over its right edge: the picture is the union of both
  windows; Notepad's frame and the menu equal the screen, Notepad's client
  area and the rest of the union are white.
- Select a Window (a second start): Ctrl+2 in the Find dialog arms the
  selection, a real click on its Cancel button captures exactly that
  button (inside the dialog's client area) as the screen shows it."""

import os
import sys

import e2e

SEND_TO_WINDOW_AND_CLIPBOARD = "0,1,1,0,0,0,0,5,5"


def rect(s, window, command="rect"):
    return tuple(int(v) for v in s.driver(command, window).split())


def activate(s, window):
    s.driver("activate", window)
    s.wait_for("the window in front", lambda: s.driver("foreground").startswith(window[5:] + "\t"))


def open_find_dialog(s, notepad):
    activate(s, notepad)
    s.driver("keys", "ctrl+f")
    find = "hwnd:" + s.driver("wait-window", "dialog:Find", 20000).strip()
    s.wait_for("the Find dialog in front", lambda: s.driver("foreground").startswith(find[5:] + "\t"))
    return find


def capture(s, keys, count, name, click=None):
    """Types keys (and clicks at click), waits for image window number count
    and returns the capture as the clipboard holds it."""
    from PIL import Image
    s.driver("keys", keys)
    if click:
        s.wait_for("the frozen screen in front", lambda: s.driver("foreground").split("\t")[1].strip() == "",
                   timeout=10)
        s.driver("mouse", *click, "click")
    s.wait_for(f"image window {count}", lambda: s.children() == ["Window Capture"] * count, timeout=30)
    path = os.path.join(s.out, name)
    s.driver("clipboard", path)
    return Image.open(path).convert("RGB")


def expected(screen, area, copies, whiten):
    """A white picture of area with the screen's pixels copied at copies and
    then whiten painted white (screen coordinates)."""
    from PIL import Image
    picture = Image.new("RGB", (area[2] - area[0], area[3] - area[1]), (255, 255, 255))
    for part in copies:
        picture.paste(screen.crop(part), (part[0] - area[0], part[1] - area[1]))
    for part in whiten:
        picture.paste((255, 255, 255), (part[0] - area[0], part[1] - area[1], part[2] - area[0], part[3] - area[1]))
    return picture


def check_same(captured, picture, what):
    from PIL import ImageChops
    e2e.check(captured.size == picture.size, f"{what}: the capture is {captured.size}, not {picture.size}")
    box = ImageChops.difference(captured, picture).getbbox()
    e2e.check(box is None, f"{what}: the capture differs from the screen inside {box}")


def clip(r, width, height):
    return (max(r[0], 0), max(r[1], 0), min(r[2], width), min(r[3], height))


def active_window(width, height):
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage=SEND_TO_WINDOW_AND_CLIPBOARD, WindowPage="0,1,0,1,1,0,10")
    with e2e.Scenario("window_capture_active", width, height, settings) as s:
        from PIL import Image
        s.start_kestrel()
        s.wait_main_window()
        notepad = s.start_notepad()
        s.driver("move", notepad, 40, 60)
        window, client = rect(s, notepad), rect(s, notepad, "client-rect")
        screen = Image.open(s.grab_screen_agreeing_with_x("screen1.bmp")).convert("RGB")
        captured = capture(s, "ctrl+2", 1, "window1.bmp")
        check_same(captured, expected(screen, window, [window], [client]), "Notepad with Workspace off")

        # Notepad's context menu, opened near its right edge, hangs over it.
        activate(s, notepad)
        s.driver("mouse", window[2] - 40, window[1] + 200, "rclick")
        s.wait_for("the context menu", lambda: s.driver("state", "class:#32768", check=False).startswith("visible"))
        menu = clip(rect(s, "class:#32768"), width, height)
        e2e.check(menu[2] > window[2], f"the menu {menu} does not reach over Notepad's edge {window}")
        screen = Image.open(s.grab_screen_agreeing_with_x("screen2.bmp")).convert("RGB")
        captured = capture(s, "ctrl+2", 2, "window2.bmp")
        union = (min(window[0], menu[0]), min(window[1], menu[1]), max(window[2], menu[2]), max(window[3], menu[3]))
        # The menu is copied again after the white client area: the window
        # over the edge shows whole.
        picture = expected(screen, union, [window], [client])
        picture.paste(screen.crop(menu), (menu[0] - union[0], menu[1] - union[1]))
        check_same(captured, picture, "Capture with Current")


def select_window(width, height):
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage=SEND_TO_WINDOW_AND_CLIPBOARD, WindowPage="1,1,1,0,0,0,10")
    with e2e.Scenario("window_capture_select", width, height, settings) as s:
        from PIL import Image
        s.start_kestrel()
        s.wait_main_window()
        find = open_find_dialog(s, s.start_notepad())
        button = tuple(int(v) for v in s.driver("child-rect", find, "2").split())
        dialog_client = rect(s, find, "client-rect")
        # The pointer rests on the button first: it looks different then.
        middle = ((button[0] + button[2]) // 2, (button[1] + button[3]) // 2)
        s.driver("mouse", *middle)
        screen = Image.open(s.grab_screen_agreeing_with_x("screen.bmp")).convert("RGB")
        captured = capture(s, "ctrl+2", 1, "button.bmp", click=middle)
        area = (max(button[0], dialog_client[0]), max(button[1], dialog_client[1]),
                min(button[2], dialog_client[2]), min(button[3], dialog_client[3]))
        check_same(captured, screen.crop(area), "Select a Window on Cancel")
        s.wait_for("Kestrel answering", lambda: s.state()[0] == "visible")


def main():
    active_window(1024, 768)
    select_window(1024, 768)
    return 0


if __name__ == "__main__":
    sys.exit(main())
