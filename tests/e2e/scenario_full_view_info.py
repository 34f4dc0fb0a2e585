"""The image window's presentation commands on a Screen capture of a
200x100 screen area, with Display Image Info on and the clock set to
24 hours with seconds and to YMD with hyphens and the century:

- Image Info opens by itself after the capture and shows the nine values,
  its time and date in the clock's formats and equal to the time stamp in
  the status bar.
- Full Screen View shows the image on the full-screen background colour,
  centred, over the whole screen; a key press closes it; the command opens
  it again and a mouse click closes it.
- The Notepad command splits the window in half and gives the notepad the
  keys: typed text shows in it; hiding and showing it keeps the text."""

import datetime
import os
import re
import sys

from PIL import Image, ImageChops

import e2e

WIDTH, HEIGHT = 1024, 768
AREA = (10, 20, 210, 120)  # a 200x100 image
BACKGROUND = (63, 124, 124)  # the default full-screen background
ID_EDIT_IMAGE_INFO = 32780
ID_VIEW_NOTEPAD = 32781
ID_VIEW_FULL_SCREEN = 32784
NOTE = "A typed note"
# Filename, Width, Height, Bits, Colors, Memory, Last Change, Time, Date
INFO_FIELDS = range(1140, 1149)


def check_image_info(s):
    dialog = "hwnd:" + s.driver("wait-window", "dialog:Image Info", 20000).strip()
    texts = dict(line.split("\t", 2)[0::2] for line in s.driver("texts", dialog).splitlines()
                 if line.count("\t") == 2)
    values = [texts.get(str(field)) for field in INFO_FIELDS]
    # 200 pixels of 3 bytes make rows of 600 bytes: 60000 bytes, 58 KB.
    expected = ["Screen Capture", "200", "100", "24", "16.8M", "59KB", "Screen Capture"]
    e2e.check(values[:7] == expected, f"Image Info shows {values[:7]}, not {expected}")
    time_text, date_text = values[7], values[8]
    e2e.check(re.fullmatch(r"\d{1,2}:\d\d:\d\d", time_text or ""), f"the time {time_text!r} is not H:MM:SS")
    today = [f"{d.year}-{d.month}-{d.day}" for d in (datetime.date.today(),
                                                     datetime.date.today() - datetime.timedelta(days=1))]
    e2e.check(date_text in today, f"the date {date_text!r} is not {today[0]}")
    s.driver("keys", "return")
    s.driver("wait-gone", dialog, 10000)
    # The status bar is brought up to date once the dialog has gone.
    stamp = f"{time_text} {date_text}"
    s.wait_for(f"the status bar stamp {stamp}", lambda: s.status_panes()[3:4] == [stamp], timeout=10)


def open_full_view(s):
    s.driver("post", s.frame, e2e.WM_COMMAND, ID_VIEW_FULL_SCREEN, 0)

    def full_view():
        handle, _, title = s.driver("foreground").partition("\t")
        return handle if title.strip() == "" and s.driver("rect", "hwnd:" + handle).split() == ["0", "0", str(WIDTH),
                                                                                       str(HEIGHT)] else None
    return "hwnd:" + s.wait_for("the full-screen view in front", full_view, timeout=10)


def check_full_view(s, picture):
    view = open_full_view(s)
    screen = Image.open(s.grab_still_screen("full-view.bmp")).convert("RGB")
    left, top = (WIDTH - 200) // 2, (HEIGHT - 100) // 2
    shown = screen.crop((left, top, left + 200, top + 100))
    difference = ImageChops.difference(shown, Image.open(picture).convert("RGB")).getbbox()
    e2e.check(difference is None, f"the centred image differs from the capture inside {difference}")
    screen.paste(BACKGROUND, (left, top, left + 200, top + 100))
    outside = ImageChops.difference(screen, Image.new("RGB", screen.size, BACKGROUND)).getbbox()
    e2e.check(outside is None, f"the screen around the image is not the background colour inside {outside}")

    s.driver("keys", "space")
    s.driver("wait-gone", view, 10000)
    view = open_full_view(s)
    s.driver("mouse", 5, 5, "click")
    s.driver("wait-gone", view, 10000)
    s.wait_for("Kestrel in front again", lambda: s.driver("foreground").startswith(s.frame[5:] + "\t"), timeout=10)


def check_notepad(s, child):
    s.driver("send", s.frame, e2e.WM_COMMAND, ID_VIEW_NOTEPAD, 0)
    window = [int(v) for v in s.driver("rect", child).split()]
    edit = [int(v) for v in s.driver("child-rect", child, "Edit").split()]
    # The lower half of the window's client area, below the splitter bar.
    share = (edit[3] - edit[1]) / (window[3] - window[1])
    e2e.check(0.3 < share < 0.5 and window[3] - edit[3] < 15,
              f"the notepad spans {edit[1]}..{edit[3]} of the window's {window[1]}..{window[3]}")
    # No click: the split itself gives the notepad the keys.
    s.driver("type", NOTE)
    s.wait_for("the typed note", lambda: s.driver("child-text", child, "Edit").rstrip("\r\n") == NOTE)
    s.driver("send", s.frame, e2e.WM_COMMAND, ID_VIEW_NOTEPAD, 0)
    rect = [int(v) for v in s.driver("child-rect", child, "Edit").split()]
    e2e.check(rect[3] - rect[1] <= 0, f"the hidden notepad still has the rectangle {rect}")
    s.driver("send", s.frame, e2e.WM_COMMAND, ID_VIEW_NOTEPAD, 0)
    e2e.check(s.driver("child-text", child, "Edit").rstrip("\r\n") == NOTE, "the note changed on hiding")


def main():
    settings = dict(e2e.QUIET_SETTINGS, ScreenPage="%d,%d,%d,%d,0,10" % AREA, SendtoPage="0,1,0,0,0,0,0,5,5",
                    CapturePage="1,0,0,1,1,0,0", Clock="0,0,1,1,1,1,0,2,1,1,16777215")
    with e2e.Scenario("full_view_info", WIDTH, HEIGHT, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        child = "hwnd:" + s.driver("wait-child", s.frame, "Screen Capture", 30000).strip()
        check_image_info(s)

        picture = os.path.join(s.out, "captured.bmp")
        s.driver("send", s.frame, e2e.WM_COMMAND, e2e.ID_COPY_IMAGE, 0)
        s.driver("clipboard", picture)
        check_full_view(s, picture)
        check_notepad(s, child)
    return 0


if __name__ == "__main__":
    sys.exit(main())
