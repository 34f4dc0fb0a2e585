"""A Screen capture trigger from another process (WM_USER+1 with code 1, as
the hook library sends it) opens an image window "Screen Capture" and puts
the same picture on the clipboard (Send To Window and Clipboard); the
picture equals the screen at that moment and the status bar describes it.
At 1024x768 the capture also goes to a file in PNG (save format 12), whose
path names the window and which Pillow reads to the same pixels.

The reference picture is taken twice, independently of Kestrel: by the
driver through the Wine screen and by ImageMagick from the X server; the two
must agree before the capture is compared with them."""

import glob
import os
import sys

import e2e


def check_cascade_restores_moved_window(s, title, empty_screen):
    """With Bring Kestrel To Top the next capture cascades the image windows:
    one moved away goes back to its place, and where it stood the empty
    client area shows again (empty_screen: a grab before any window)."""
    from PIL import Image
    first = "hwnd:" + s.driver("wait-child", s.frame, title, 1000).strip()
    placed = s.driver("rect", first).split()
    s.driver("move", first, 150, 100)
    moved = [int(v) for v in s.driver("rect", first).split()]
    e2e.check(moved != [int(v) for v in placed], "the image window did not move")
    s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
    s.wait_for("the second image window", lambda: s.children().count(title) == 2, timeout=30)
    e2e.check(s.driver("rect", first).split() == placed, f"the moved window was not cascaded back to {placed}")
    after = Image.open(s.grab_screen_agreeing_with_x("cascaded.bmp")).convert("RGB")
    corner = (moved[2] - 3, moved[3] - 3)
    empty = Image.open(empty_screen).convert("RGB").getpixel(corner)
    e2e.check(after.getpixel(corner) == empty, f"the moved window's old corner {corner} was not redrawn")


def capture_at(width, height, to_png=False):
    settings = dict(e2e.QUIET_SETTINGS, SendtoPage="0,1,1,0,0,0,0,5,5")
    if to_png:
        settings.update(SendtoPage="0,1,1,0,1,0,0,5,5", Format="13,1,12,1", PathNameDirect="C:\\out",
                        FileNameDirect="SHOT0000.PNG")
    with e2e.Scenario(f"screen_capture_{width}x{height}", width, height, settings) as s:
        out = os.path.join(s.prefix, "drive_c", "out")
        os.makedirs(out)
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        screen = s.driver("screen").split()
        e2e.check(screen[:2] == [str(width), str(height)], f"the desktop is {screen}, not {width}x{height}")

        before = s.grab_screen_agreeing_with_x("before.bmp")

        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        # A capture written to a file is named by its path.
        title = "C:\\out\\SHOT0000.PNG" if to_png else "Screen Capture"
        s.driver("wait-child", s.frame, title, 30000)
        e2e.check(s.children() == [title], f"image windows are {s.children()}")

        expected = [f"{width}w x {height}h", "24-bit, 16.8M colors"]
        panes = s.wait_for("the status bar to describe the capture",
                           lambda: (lambda p: p if len(p) == 5 and p[1:3] == expected else None)(s.status_panes()),
                           timeout=10)
        e2e.check(panes[4] == "001", f"the window count pane shows {panes[4]!r}, not '001'")
        e2e.check(panes[3].strip() != "", "the time stamp pane is empty")

        captured = os.path.join(s.out, "captured.bmp")
        s.driver("clipboard", captured)
        difference = e2e.compare_images(captured, before)
        e2e.check(difference is None, f"the captured image differs from the screen: {difference}")
        if to_png:
            def complete_png():
                files = glob.glob(os.path.join(out, "*.[Pp][Nn][Gg]"))
                return files if files and open(files[0], "rb").read().endswith(b"IEND\xaeB`\x82") else None
            written = s.wait_for("the PNG file", complete_png, timeout=20)
            difference = e2e.compare_images(written[0], before)
            e2e.check(difference is None, f"Pillow reads another picture from {written[0]}: {difference}")
        else:
            check_cascade_restores_moved_window(s, title, before)


def main():
    capture_at(1024, 768, to_png=True)
    capture_at(1920, 1080)
    return 0


if __name__ == "__main__":
    sys.exit(main())
