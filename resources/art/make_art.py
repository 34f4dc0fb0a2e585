#!/usr/bin/env python3
"""Draws the program's tool-bar bitmap, icons, cursors and the Capture Setup
samples as 4-bit BMP/ICO/CUR files.

Run from this folder: python3 make_art.py. The outputs are checked in so
that the build needs no drawing step. Standard library only.
"""
import struct

# The 16-colour VGA palette (red, green, blue); the toolbar background is
# silver (index 7 here) so that it matches the button face.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        """Outline from (x0, y0) to (x1, y1) inclusive, optionally filled."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.put(x, y, c)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def dotted(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            if x % 2 == 0:
                self.put(x, y0, c)
                self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            if y % 2 == 0:
                self.put(x0, y, c)
                self.put(x1, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.put(ox + x, oy + y, other.px[y][x])


def arrow_h(c, y, x0, x1, col):
    c.line(x0, y, x1, y, col)
    for d in (1, 2):
        c.line(x0 + d, y - d, x0 + d, y + d, col)
        c.line(x1 - d, y - d, x1 - d, y + d, col)


def arrow_v(c, x, y0, y1, col):
    c.line(x, y0, x, y1, col)
    for d in (1, 2):
        c.line(x - d, y0 + d, x + d, y0 + d, col)
        c.line(x - d, y1 - d, x + d, y1 - d, col)


def picture(c, x0, y0, x1, y1):
    """A small landscape: sky, sun and a green hill."""
    c.rect(x0, y0, x1, y1, K, AQUA)
    c.rect(x0 + 1, (y0 + y1) // 2 + 1, x1 - 1, y1 - 1, GREEN, GREEN)
    c.put(x1 - 3, y0 + 2, YELLOW)
    c.put(x1 - 4, y0 + 2, YELLOW)
    c.put(x1 - 3, y0 + 3, YELLOW)
    c.put(x1 - 4, y0 + 3, YELLOW)


def button_images():
    images = []

    def new():
        c = Canvas(16, 15, SILVER)
        images.append(c)
        return c

    c = new()  # Open: a folder
    c.rect(1, 4, 13, 13, K, YELLOW)
    c.rect(1, 3, 6, 4, K, YELLOW)
    c.line(3, 7, 15, 7, K)
    c.line(15, 7, 13, 13, K)
    c = new()  # Save As: a disk
    c.rect(1, 1, 14, 14, K, NAVY)
    c.rect(4, 1, 11, 6, K, WHITE)
    c.rect(4, 9, 11, 14, K, SILVER)
    c = new()  # Print: a printer
    c.rect(4, 1, 11, 6, K, WHITE)
    c.rect(1, 6, 14, 11, K, SILVER)
    c.rect(4, 10, 11, 14, K, WHITE)
    c.put(12, 8, LIME)
    c = new()  # Copy Image: two pictures
    picture(c, 1, 1, 9, 8)
    picture(c, 6, 6, 14, 13)
    c = new()  # Paste Image: a clipboard with a picture
    c.rect(1, 2, 12, 14, K, OLIVE)
    c.rect(4, 1, 9, 3, K, GRAY)
    picture(c, 6, 6, 14, 13)
    c = new()  # Notepad: a page with lines
    c.rect(3, 1, 12, 14, K, WHITE)
    for y in (4, 6, 8, 10, 12):
        c.line(5, y, 10, y, NAVY)
    c = new()  # Full Screen View: a monitor
    c.rect(1, 1, 14, 10, K, GRAY)
    picture(c, 3, 3, 12, 8)
    c.rect(5, 11, 10, 13, K, GRAY)
    c = new()  # Merge Images: overlapping squares
    c.rect(1, 1, 9, 9, K, RED)
    c.rect(6, 6, 14, 14, K, BLUE)
    c = new()  # Frame: a picture in a frame
    c.rect(0, 1, 15, 13, K, MAROON)
    picture(c, 3, 4, 12, 10)
    c = new()  # Zoom In: a magnifier with a plus
    c.rect(1, 1, 9, 9, K, WHITE)
    c.line(5, 3, 5, 7, K)
    c.line(3, 5, 7, 5, K)
    c.line(9, 9, 14, 14, K)
    c.line(10, 9, 14, 13, K)
    c = new()  # Flip Horizontal
    arrow_h(c, 7, 1, 14, NAVY)
    c.line(7, 1, 7, 13, GRAY)
    c = new()  # Flip Vertical
    arrow_v(c, 7, 1, 13, NAVY)
    c.line(1, 7, 14, 7, GRAY)
    c = new()  # Rotate Right: picture with a clockwise arrow
    picture(c, 1, 5, 9, 13)
    c.line(5, 2, 12, 2, NAVY)
    c.line(12, 2, 12, 9, NAVY)
    c.line(10, 7, 14, 7, NAVY)
    c.line(11, 8, 13, 8, NAVY)
    c = new()  # Rotate Left: mirrored
    picture(c, 6, 5, 14, 13)
    c.line(3, 2, 10, 2, NAVY)
    c.line(3, 2, 3, 9, NAVY)
    c.line(1, 7, 5, 7, NAVY)
    c.line(2, 8, 4, 8, NAVY)
    c = new()  # Count Colors: a grid of colours
    colors = [RED, LIME, BLUE, YELLOW, FUCHSIA, AQUA, MAROON, GREEN, NAVY]
    for i, col in enumerate(colors):
        x, y = 1 + (i % 3) * 5, 1 + (i // 3) * 5
        c.rect(x, y, x + 3, y + 3, K, col)
    c = new()  # Check & Change Colors: an eyedropper over a swatch
    c.rect(1, 9, 6, 14, K, RED)
    c.line(5, 9, 13, 1, K)
    c.line(6, 9, 14, 1, K)
    c.line(6, 10, 14, 2, GRAY)
    c = new()  # Reduce Colors: many colours to few
    for i, col in enumerate([RED, LIME, BLUE, YELLOW]):
        c.rect(1, 1 + i * 3, 4, 3 + i * 3, K, col)
    arrow_h(c, 7, 5, 10, K)
    c.rect(11, 4, 14, 10, K, GRAY)
    c = new()  # Select Image: dotted lines on a picture
    picture(c, 2, 2, 13, 12)
    c.dotted(0, 0, 15, 14, K)
    c = new()  # Crop: crop marks
    c.line(4, 0, 4, 11, K)
    c.line(0, 4, 11, 4, K)
    c.line(11, 4, 11, 14, K)
    c.line(4, 11, 15, 11, K)
    c.rect(5, 5, 10, 10, BLUE, AQUA)
    c = new()  # Erase: an eraser
    c.line(2, 10, 8, 4, K)
    c.line(8, 4, 13, 9, K)
    c.line(13, 9, 7, 14, K)
    c.line(7, 14, 2, 10, K)
    c.line(5, 7, 10, 12, K)
    for y in range(5, 12):
        for x in range(6, 13):
            if c.px[y][x] == SILVER and abs(x - 9) + abs(y - 9) < 4:
                c.put(x, y, FUCHSIA)
    c = new()  # Close All: a window with a cross
    c.rect(1, 1, 14, 13, K, WHITE)
    c.rect(1, 1, 14, 3, K, NAVY)
    c.line(5, 6, 10, 11, RED)
    c.line(10, 6, 5, 11, RED)
    c.line(6, 6, 11, 11, RED)
    c.line(11, 6, 6, 11, RED)
    return images


def dib_4bit(canvas, with_mask):
    """BITMAPINFOHEADER, palette and bottom-up 4-bit rows (plus an AND mask
    of zeros for icons)."""
    row = ((canvas.w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(canvas.h)):
        line = bytearray(row)
        for x in range(canvas.w):
            v = canvas.px[y][x]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        pixels += line
    mask = b""
    if with_mask:
        mask_row = ((canvas.w + 31) // 32) * 4
        mask = bytes(mask_row * canvas.h)
    height = canvas.h * 2 if with_mask else canvas.h
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, height, 1, 4, 0, len(pixels) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(pixels) + mask


def write_bmp(path, canvas):
    dib = dib_4bit(canvas, False)
    offset = 14 + 40 + 64
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, offset))
        f.write(dib)


def write_ico(path, canvases):
    dibs = [dib_4bit(c, True) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(dibs))
    offset = 6 + 16 * len(dibs)
    for c, dib in zip(canvases, dibs):
        out += struct.pack("<BBBBHHII", c.w, c.h, 16, 0, 1, 4, len(dib), offset)
        offset += len(dib)
    with open(path, "wb") as f:
        f.write(out + b"".join(dibs))


def kestrel_icon(size):
    """A kestrel's wing over a camera frame."""
    c = Canvas(size, size, TEAL)
    s = size / 32
    def sc(v):
        return int(round(v * s))
    c.rect(sc(2), sc(8), sc(29), sc(27), K, SILVER)
    c.rect(sc(11), sc(12), sc(21), sc(24), K, NAVY)
    c.rect(sc(14), sc(15), sc(18), sc(21), AQUA, AQUA)
    c.rect(sc(4), sc(5), sc(9), sc(8), K, GRAY)
    # The wing: a maroon wedge over the top edge.
    for i in range(sc(14)):
        c.line(sc(8) + i, sc(2) + i // 2, sc(30), sc(2), MAROON)
    c.line(sc(8), sc(2), sc(30), sc(2), K)
    return c


def image_icon(size):
    c = Canvas(size, size, SILVER)
    picture(c, 1, 1, size - 2, size - 3)
    return c


# Cursors: 32x32 monochrome, drawn as black strokes that get a white rim.
T, B, W = 0, 1, 2


def outlined(c):
    """Adds a one-pixel white rim around the black strokes."""
    rim = []
    for y in range(c.h):
        for x in range(c.w):
            if c.px[y][x] != T:
                continue
            near = any(0 <= x + dx < c.w and 0 <= y + dy < c.h and c.px[y + dy][x + dx] == B
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if near:
                rim.append((x, y))
    for x, y in rim:
        c.px[y][x] = W
    return c


def crosshair(c, x, y, r=7):
    c.line(x - r, y, x - 2, y, B)
    c.line(x + 2, y, x + r, y, B)
    c.line(x, y - r, x, y - 2, B)
    c.line(x, y + 2, x, y + r, B)


def arrow(c):
    for i in range(12):
        c.line(0, i, i, i, B)
    c.line(0, 12, 4, 12, B)
    c.line(4, 12, 8, 20, B)
    c.line(5, 12, 9, 20, B)
    c.put(0, 0, B)


def cursor_images():
    cursors = {}

    c = Canvas(32, 32, T)  # 91: pick a colour (eyedropper, tip at bottom left)
    c.line(1, 30, 12, 19, B)
    c.line(2, 30, 13, 19, B)
    c.rect(12, 12, 19, 19, B)
    c.line(18, 8, 23, 13, B)
    c.rect(20, 4, 27, 11, B, B)
    cursors[91] = (outlined(c), 1, 30)

    c = Canvas(32, 32, T)  # 92: button capture (crosshair with a small button)
    crosshair(c, 8, 8)
    c.rect(15, 15, 28, 24, B)
    c.line(16, 25, 29, 25, B)
    c.line(29, 16, 29, 25, B)
    cursors[92] = (outlined(c), 8, 8)

    c = Canvas(32, 32, T)  # 93: region (crosshair with a corner)
    crosshair(c, 15, 15, 12)
    c.line(18, 18, 26, 18, B)
    c.line(18, 18, 18, 26, B)
    cursors[93] = (outlined(c), 15, 15)

    c = Canvas(32, 32, T)  # 94: drop accepted (arrow with a plus)
    arrow(c)
    c.rect(16, 18, 26, 28, B, W)
    c.line(18, 23, 24, 23, B)
    c.line(21, 20, 21, 26, B)
    cursors[94] = (outlined(c), 0, 0)

    c = Canvas(32, 32, T)  # 95: no drop (arrow with a barred circle)
    arrow(c)
    for a in range(0, 360, 4):
        import math
        x = 21 + round(6 * math.cos(math.radians(a)))
        y = 23 + round(6 * math.sin(math.radians(a)))
        c.put(x, y, B)
    c.line(17, 19, 25, 27, B)
    cursors[95] = (outlined(c), 0, 0)

    c = Canvas(32, 32, T)  # 96: move the top image (four arrows)
    c.line(15, 2, 15, 28, B)
    c.line(2, 15, 28, 15, B)
    for d in range(1, 4):
        c.line(15 - d, 2 + d, 15 + d, 2 + d, B)
        c.line(15 - d, 28 - d, 15 + d, 28 - d, B)
        c.line(2 + d, 15 - d, 2 + d, 15 + d, B)
        c.line(28 - d, 15 - d, 28 - d, 15 + d, B)
    cursors[96] = (outlined(c), 15, 15)

    c = Canvas(32, 32, T)  # 97: freehand (pencil, tip at bottom left)
    c.line(1, 30, 5, 26, B)
    c.line(4, 29, 24, 9, B)
    c.line(2, 27, 22, 7, B)
    c.line(22, 7, 26, 11, B)
    c.line(24, 9, 28, 5, B)
    c.line(22, 7, 26, 3, B)
    c.line(26, 3, 28, 5, B)
    cursors[97] = (outlined(c), 1, 30)

    c = Canvas(32, 32, T)  # 98: select a window (crosshair with a window)
    crosshair(c, 8, 8)
    c.rect(14, 14, 29, 27, B)
    c.rect(14, 14, 29, 17, B, B)
    cursors[98] = (outlined(c), 8, 8)
    return cursors


def write_cur(path, canvas, hot_x, hot_y):
    row = 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(canvas.h)):
        xline = bytearray(row)
        mline = bytearray(row)
        for x in range(canvas.w):
            v = canvas.px[y][x]
            bit = 0x80 >> (x % 8)
            if v == T:
                mline[x // 8] |= bit
            elif v == W:
                xline[x // 8] |= bit
        xor += xline
        mask += mline
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    table = struct.pack("BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    dib = header + table + bytes(xor) + bytes(mask)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", canvas.w, canvas.h, 0, 0, hot_x, hot_y, len(dib), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + dib)


# The Title & Menu samples: which parts a capture takes (title bar, menu
# bar, pulldown menu, cascading menu) and whether the rest is erased.
TITLE_MENU_SAMPLES = {
    72: (1, 1, 1, 1, 0), 73: (1, 1, 1, 1, 1), 74: (1, 1, 1, 0, 0), 75: (1, 1, 1, 0, 1),
    76: (1, 1, 0, 0, 0), 77: (1, 0, 0, 0, 0), 78: (0, 0, 1, 1, 0), 79: (0, 0, 1, 1, 1),
    80: (0, 0, 1, 0, 0), 81: (0, 0, 1, 0, 1), 82: (0, 0, 0, 1, 0), 83: (0, 1, 0, 0, 0),
    84: (0, 1, 1, 0, 0), 85: (0, 1, 1, 0, 1), 86: (0, 1, 1, 1, 0), 87: (0, 1, 1, 1, 1),
}


def menu_lines(c, x0, y0, x1, y1):
    for y in range(y0 + 3, y1 - 1, 4):
        c.line(x0 + 3, y, x1 - 4, y, GRAY)


def title_menu_sample(title, menu, pulldown, cascading, erase):
    """A window with its title bar, menu bar, an open pulldown and a
    cascading menu; the parts not captured are drawn faint, and with
    erase the background around the captured parts is white."""
    c = Canvas(100, 70, WHITE if erase else TEAL)
    if not erase:
        c.rect(4, 4, 74, 64, K, SILVER)
    if title:
        c.rect(4, 4, 74, 11, K, NAVY)
        c.rect(66, 6, 71, 9, K, SILVER)
    if menu:
        c.rect(4, 12, 74, 19, K, SILVER)
        for x in (8, 24, 40):
            c.line(x, 16, x + 10, 16, K)
    if pulldown:
        c.rect(20, 20, 48, 52, K, WHITE)
        menu_lines(c, 20, 20, 48, 52)
        c.rect(21, 29, 47, 33, NAVY, NAVY)
    if cascading:
        c.rect(48, 28, 84, 48, K, WHITE)
        menu_lines(c, 48, 28, 84, 48)
    return c


def freehand_sample(border):
    """A free-hand outline around part of a picture, with or without the
    outline's own pixels."""
    c = Canvas(100, 70, WHITE)
    picture_area = Canvas(100, 70, WHITE)
    picture(picture_area, 10, 8, 90, 62)
    inside = lambda x, y: ((x - 50) / 38.0) ** 2 + ((y - 35) / 26.0) ** 2
    for y in range(70):
        for x in range(100):
            d = inside(x, y)
            if d <= 1.0:
                c.put(x, y, picture_area.px[y][x])
            if border and 0.86 <= d <= 1.0:
                c.put(x, y, K)
    return c


def main():
    images = button_images()
    strip = Canvas(16 * len(images), 15, SILVER)
    for i, image in enumerate(images):
        strip.blit(image, 16 * i, 0)
    write_bmp("toolbar.bmp", strip)
    write_ico("kestrel.ico", [kestrel_icon(32), kestrel_icon(16)])
    write_ico("image.ico", [image_icon(32), image_icon(16)])
    for number, (canvas, hot_x, hot_y) in cursor_images().items():
        write_cur("cursor%d.cur" % number, canvas, hot_x, hot_y)
    for number, parts in TITLE_MENU_SAMPLES.items():
        write_bmp("sample%d.bmp" % number, title_menu_sample(*parts))
    write_bmp("sample88.bmp", freehand_sample(True))
    write_bmp("sample89.bmp", freehand_sample(False))


if __name__ == "__main__":
    main()
