"""Printing through the real spooler: Wine's printing to the CUPS queue PDF
(cups-pdf), whose PDF files are read back with poppler.

A Screen capture of a 320x240 area goes to an
image window, the clipboard and, without the print dialog, the printer:
that PDF appears with no user action. Then, in the same run, Print (Ctrl+P
as the frame's command) with the sheet confirmed as it opens: one landscape
page with the image centred at 3 dots a pixel, pixels close to the capture,
the default header "printed by Kestrel at <time> on <date>" and the footer
with the image's name and "320w x 240h". Scaling 11 tiles it over four
pages, column by column, with no header or footer. Portrait with Grayscale
on a palette image (an 8-bit BMP opened from the recent-file list) gives a
portrait page whose image is grey, lightened for paper: red as 134, the
grey entry 100 as 158."""

import glob
import os
import re
import subprocess
import sys
import time

from PIL import Image, ImageChops, ImageStat

import e2e

AREA = (0, 0, 320, 240)
ID_FILE_PRINT = 57607
SHEET = "dialog:Kestrel Print"
DPI = 300  # the queue's resolution: one printer dot is one rendered pixel
IDC_SCALING, IDC_GRAYSCALE, IDC_PORTRAIT = 1306, 1310, 1312
ID_FILE_MRU_FILE1 = 57616


def pdf_folder():
    with open("/etc/cups/cups-pdf.conf") as conf:
        for line in conf:
            match = re.match(r"\s*Out\s+(\S+)", line)
            if match:
                return os.path.expanduser(match.group(1).replace("${HOME}", "~"))
    return os.path.expanduser("~/PDF")


def ensure_cupsd():
    if "is running" in subprocess.run(["lpstat", "-r"], capture_output=True, text=True).stdout:
        return
    subprocess.Popen(["/usr/sbin/cupsd"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL)
    for _ in range(50):
        if "is running" in subprocess.run(["lpstat", "-r"], capture_output=True, text=True).stdout:
            return
        time.sleep(0.2)
    raise e2e.ScenarioFailure("cupsd does not start")


class PdfWatch:
    """New PDF files of the queue since the last take."""

    def __init__(self, s):
        self.s = s
        self.folder = pdf_folder()
        self.seen = set(glob.glob(os.path.join(self.folder, "*.pdf")))

    def take(self, what, timeout=90):
        def finished():
            new = set(glob.glob(os.path.join(self.folder, "*.pdf"))) - self.seen
            queue = subprocess.run(["lpstat", "-o", "PDF"], capture_output=True, text=True).stdout.strip()
            if len(new) != 1 or queue:
                return None
            path = new.pop()
            # cups-pdf has let go of the file once pdfinfo reads it whole.
            info = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
            return path if info.returncode == 0 else None
        path = self.s.wait_for(what, finished, timeout=timeout, interval=0.2)
        self.seen.add(path)
        kept = os.path.join(self.s.out, f"print{len(self.seen)}.pdf")
        subprocess.run(["cp", path, kept], check=True)
        os.remove(path)
        self.s.log(f"PDF {path} kept as {kept}")
        return kept


def pages_of(s, pdf, name):
    prefix = os.path.join(s.out, name)
    subprocess.run(["pdftoppm", "-r", str(DPI), "-png", pdf, prefix], check=True, timeout=120)
    return [Image.open(p).convert("RGB") for p in sorted(glob.glob(prefix + "-*.png"))]


def text_of(pdf):
    return subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True, check=True).stdout


def content_box(page):
    """Bounding box of everything not white."""
    white = Image.new("RGB", page.size, (255, 255, 255))
    mask = ImageChops.difference(page, white).convert("L").point(lambda v: 255 if v > 24 else 0)
    return mask.getbbox()


def mean_difference(a, b):
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


def print_with_sheet(s, watch, what, setup=None):
    """Print through the frame's command; the sheet is set up and confirmed."""
    s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_PRINT, 0)
    sheet = "hwnd:" + s.driver("wait-window", SHEET, 20000).strip()
    s.wait_for("the print sheet in front", lambda: s.driver("foreground").startswith(sheet[5:] + "\t"), timeout=10)
    if setup:
        setup(sheet)
    started = time.time()
    s.driver("keys", "return")
    s.driver("wait-gone", sheet, 20000)
    pdf = watch.take(what)
    s.log(f"{what}: {time.time() - started:.1f} s from OK to the PDF")
    return pdf


def set_scaling(s, sheet, value):
    s.driver("click-child", sheet, IDC_SCALING)
    s.driver("keys", "end", *(["backspace"] * 3))
    s.driver("type", str(value))


def write_palette_image(s):
    """An 8-bit BMP, red on the left and grey 100 on the right, listed
    first among the recent files."""
    image = Image.new("P", (160, 120), 0)
    image.putpalette([255, 0, 0, 100, 100, 100] + [0] * 762)
    image.paste(1, (80, 0, 160, 120))
    image.save(os.path.join(s.prefix, "drive_c", "palette.bmp"))
    with open(os.path.join(s.windows_dir(), "KESTREL.INI"), "a", newline="\r\n") as ini:
        ini.write("[Recent File List]\nFile1=C:\\palette.bmp\n")


def main():
    ensure_cupsd()
    settings = dict(e2e.QUIET_SETTINGS, ScreenPage="%d,%d,%d,%d,0,10" % AREA,
                    SendtoPage="0,1,1,1,0,0,0,5,5")
    with e2e.Scenario("print", 1024, 768, settings) as s:
        watch = PdfWatch(s)
        write_palette_image(s)
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        # The Printer destination without the dialog: a PDF, no user action.
        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        pdf = watch.take("the capture's PDF")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        captured_path = os.path.join(s.out, "captured.bmp")
        s.driver("clipboard", captured_path)
        captured = Image.open(captured_path).convert("RGB")
        e2e.check(captured.size == (320, 240), f"the capture is {captured.size}")
        e2e.check("printed by Kestrel at" in text_of(pdf), "the capture's page has no header")

        # Print with the stored options: landscape, centre, scaling 3.
        pdf = print_with_sheet(s, watch, "the printed PDF")
        pages = pages_of(s, pdf, "default")
        e2e.check(len(pages) == 1, f"{len(pages)} pages instead of one")
        page = pages[0]
        e2e.check(page.width > page.height, f"the page is {page.size}, not landscape")
        box = content_box(page.crop((0, 200, page.width, page.height - 200)))
        e2e.check(box is not None, "the page shows no image")
        left, top, right, bottom = box[0], box[1] + 200, box[2], box[3] + 200
        e2e.check(abs((right - left) - 960) <= 6 and abs((bottom - top) - 720) <= 6,
                  f"the image is {right - left}x{bottom - top} dots, not 960x720")
        centre = ((left + right) / 2, (top + bottom) / 2)
        e2e.check(abs(centre[0] - page.width / 2) <= 20 and abs(centre[1] - page.height / 2) <= 20,
                  f"the image's centre {centre} is not the page's {page.width / 2, page.height / 2}")
        printed = page.crop((left, top, right, bottom)).resize(captured.size, Image.BOX)
        difference = mean_difference(printed, captured)
        e2e.check(difference < 12, f"the printed pixels differ from the capture by {difference:.1f} on average")
        text = text_of(pdf)
        header = re.search(r"printed by Kestrel at \d{1,2}:\d\d:\d\d[ap]m on \w+, \d{1,2}/\d{1,2}/\d\d", text)
        e2e.check(header is not None, f"no expanded header in {text!r}")
        footer = re.search(r"Screen Capture, +\d{1,2}:\d\d:\d\d[ap]m - \w+, \d{1,2}/\d{1,2}/\d\d, 320w x 240h", text)
        e2e.check(footer is not None, f"no expanded footer in {text!r}")

        # Scaling 11: two columns of two pages, column by column, no texts.
        pdf = print_with_sheet(s, watch, "the tiled PDF", lambda sheet: set_scaling(s, sheet, 11))
        pages = pages_of(s, pdf, "tiled")
        e2e.check(len(pages) == 4, f"{len(pages)} pages instead of four")
        e2e.check(not text_of(pdf).strip(), "a tiled page has text")
        tiles = []
        for number, tile_page in enumerate(pages, 1):
            box = content_box(tile_page)
            e2e.check(box is not None, f"page {number} is empty")
            tiles.append(tile_page.crop(box))
        # Page 1 holds the top-left corner at 11 dots a pixel; its size is a
        # whole tile, from which pages 2 (below it) and 3 (right of it) start.
        tile_w, tile_h = round(tiles[0].width / 11), round(tiles[0].height / 11)
        origins = [(0, 0), (0, tile_h), (tile_w, 0), (tile_w, tile_h)]
        for number, (tile, (x, y)) in enumerate(zip(tiles, origins), 1):
            w, h = round(tile.width / 11), round(tile.height / 11)
            expected = captured.crop((x, y, x + w, y + h))
            difference = mean_difference(tile.resize((w, h), Image.BOX), expected)
            e2e.check(difference < 16, f"page {number} is not the tile at {x},{y} (difference {difference:.1f})")

        # Portrait and Grayscale at scaling 3 on the palette image.
        s.driver("post", s.frame, e2e.WM_COMMAND, ID_FILE_MRU_FILE1, 0)
        s.wait_for("the palette image's window", lambda: len(s.children()) == 2)
        def portrait_gray(sheet):
            set_scaling(s, sheet, 3)
            s.driver("click-control", sheet, IDC_PORTRAIT)
            s.driver("click-control", sheet, IDC_GRAYSCALE)
        pdf = print_with_sheet(s, watch, "the grayscale PDF", portrait_gray)
        pages = pages_of(s, pdf, "gray")
        e2e.check(len(pages) == 1, f"{len(pages)} pages instead of one")
        page = pages[0]
        e2e.check(page.height > page.width, f"the page is {page.size}, not portrait")
        box = content_box(page.crop((0, 200, page.width, page.height - 200)))
        image = page.crop((box[0], box[1] + 200, box[2], box[3] + 200))
        e2e.check(abs(image.width - 480) <= 6 and abs(image.height - 360) <= 6, f"the image is {image.size}")
        red, green, blue = image.split()
        colour = max(ImageStat.Stat(ImageChops.difference(red, green)).mean[0],
                     ImageStat.Stat(ImageChops.difference(green, blue)).mean[0])
        e2e.check(colour < 3, f"the grayscale image has colour (mean channel difference {colour:.1f})")
        w, h = image.size
        levels = [ImageStat.Stat(image.crop(box).convert("L")).mean[0]
                  for box in ((20, 20, w // 2 - 20, h - 20), (w // 2 + 20, 20, w - 20, h - 20))]
        e2e.check(abs(levels[0] - 134) <= 4 and abs(levels[1] - 158) <= 4,
                  f"red and grey 100 print as {levels[0]:.0f} and {levels[1]:.0f}, not 134 and 158")
    return 0


if __name__ == "__main__":
    sys.exit(main())
