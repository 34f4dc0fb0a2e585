#!/usr/bin/env python3
"""BMP family against independent codecs (Pillow, ImageMagick).

Files written by Pillow and ImageMagick (and RLE4 and short-table files built
here byte by byte) are read by kestrel-convert and written back as plain
BMP; files that Kestrel writes (BMP, DIB, RLE, CLP round trip) are decoded by
Pillow and ImageMagick. Every comparison is of RGB pixels against the
independent decoder's view of the source, except for 16- and 32-bit files,
whose channel scaling and alpha differ between decoders: those are decoded
here as well.
"""
import os
import random
import struct
import subprocess
import sys
import tempfile

from PIL import Image

CONVERT = os.environ["KESTREL_CONVERT"]
failures = []


def check(name, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + name + (("  " + detail) if detail and not ok else ""))
    if not ok:
        failures.append(name)


def kestrel(*args):
    return subprocess.run([CONVERT, *args], capture_output=True, text=True, timeout=30)


def pil_rgb(path):
    im = Image.open(path)
    im.load()
    if im.mode == "RGBA":
        white = Image.new("RGBA", im.size, (255, 255, 255, 255))
        im = Image.alpha_composite(white, im)
    return im.size, im.convert("RGB").tobytes()


def magick_rgb(path, prefix="bmp:"):
    size = subprocess.run(["identify", "-format", "%w %h", prefix + path], capture_output=True,
                          text=True, check=True).stdout.split()
    data = subprocess.run(["convert", prefix + path, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout
    return (int(size[0]), int(size[1])), data


def pattern(width, height, seed):
    """Runs, gradients and noise: rows that exercise every encoder path."""
    rnd = random.Random(seed)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if y % 5 == 0:
                row.append(7)                       # one long run
            elif y % 5 == 1:
                row.append(rnd.randrange(256))     # all different
            elif y % 5 == 2:
                row.append((x // 3) % 256)          # runs of three
            elif y % 5 == 3:
                row.append((x // 2) * 7 % 256)      # runs of two
            else:
                row.append(x % 256 if x % 7 else 0)  # literals cut by singles
        rows.append(row)
    return rows


def palette(n, seed):
    rnd = random.Random(seed)
    return [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(n)]


def write_sources(tmp):
    """Source files of each bit depth from independent writers; returns
    (label, path) pairs."""
    w, h = 301, 37
    sources = []
    # 24-bit by Pillow.
    rgb = Image.new("RGB", (w, h))
    px = pattern(w, h, 1)
    rgb.putdata([(v, (v * 3) % 256, (x * 5) % 256) for row in px for x, v in enumerate(row)])
    p = os.path.join(tmp, "pil24.bmp"); rgb.save(p); sources.append(("pillow 24-bit", p))
    # 8-bit palette by Pillow.
    pal = Image.new("P", (w, h))
    pal.putpalette([c for e in palette(256, 2) for c in e])
    pal.putdata([v for row in px for v in row])
    p = os.path.join(tmp, "pil8.bmp"); pal.save(p); sources.append(("pillow 8-bit", p))
    # 8-bit grayscale by Pillow.
    gray = Image.new("L", (w, h)); gray.putdata([v for row in px for v in row])
    p = os.path.join(tmp, "pilL.bmp"); gray.save(p); sources.append(("pillow 8-bit gray", p))
    # 1-bit by Pillow.
    mono = Image.new("1", (w, h)); mono.putdata([255 if v & 1 else 0 for row in px for v in row])
    p = os.path.join(tmp, "pil1.bmp"); mono.save(p); sources.append(("pillow 1-bit", p))
    # ImageMagick: uncompressed 1/4/8/24, RLE8, and OS/2 core headers.
    png = os.path.join(tmp, "src.png"); rgb.save(png)
    for label, args, name in [
        ("magick 24-bit", ["-type", "truecolor", "-compress", "none", "BMP3:"], "im24.bmp"),
        ("magick 8-bit", ["-colors", "200", "-type", "palette", "-compress", "none", "BMP3:"], "im8.bmp"),
        ("magick 8-bit RLE8", ["-colors", "200", "-type", "palette", "-compress", "RLE", "BMP3:"], "im8rle.bmp"),
        ("magick 4-bit", ["-colors", "16", "-type", "palette", "-compress", "none", "BMP3:"], "im4.bmp"),
        ("magick 1-bit", ["-monochrome", "BMP3:"], "im1.bmp"),
        ("magick core 24-bit", ["-type", "truecolor", "BMP2:"], "core24.bmp"),
        ("magick core 8-bit", ["-colors", "200", "-type", "palette", "BMP2:"], "core8.bmp"),
        ("magick core 4-bit", ["-colors", "12", "-type", "palette", "BMP2:"], "core4.bmp"),
        ("magick core 1-bit", ["-monochrome", "BMP2:"], "core1.bmp"),
    ]:
        p = os.path.join(tmp, name)
        subprocess.run(["convert", png] + args[:-1] + [args[-1] + p], check=True)
        sources.append((label, p))
    return sources


def bmp_bytes(width, height, bits, table, pixel_data, compression=0, clr_used=0, header_size=40,
              top_down=False, offset=None):
    table_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in table)
    header = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, compression,
                         len(pixel_data), 2835, 2835, clr_used, 0)
    header = struct.pack("<I", header_size) + header[4:] + bytes(header_size - 40)
    if offset is None:
        offset = 14 + len(header) + len(table_bytes)
    body = header + table_bytes
    body += bytes(max(0, offset - 14 - len(body)))
    data = b"BM" + struct.pack("<IHHI", 14 + len(body) + len(pixel_data), 0, 0, offset) + body
    return data[:offset] + pixel_data


def packed_rows(indices, width, bits):
    """Bottom-up, 4-byte padded rows from top-down rows of indices."""
    out = b""
    for row in reversed(indices):
        if bits == 8:
            raw = bytes(row)
        elif bits == 4:
            raw = bytes((row[i] << 4) | (row[i + 1] if i + 1 < width else 0) for i in range(0, width, 2))
        out += raw + bytes(-len(raw) % 4)
    return out


def rle4_rows(indices, width):
    """An independent RLE4 encoder: runs of equal pixels, literals otherwise,
    one delta escape on the first row, end-of-bitmap at the end."""
    out = bytearray()
    for y, row in enumerate(reversed(indices)):
        x = 0
        if y == 0:
            out += bytes([0, 2, 3, 0])        # delta: skip three pixels (left zero)
            x = 3
        while x < width:
            run = 1
            while x + run < width and row[x + run] == row[x] and run < 255:
                run += 1
            if run >= 3 or width - x < 3:
                out += bytes([run, row[x] << 4 | row[x]]); x += run
                continue
            n = min(width - x, 9)
            lit = row[x:x + n]
            packed = bytes((lit[i] << 4) | (lit[i + 1] if i + 1 < n else 0) for i in range(0, n, 2))
            out += bytes([0, n]) + packed + bytes(len(packed) % 2)
            x += n
        out += bytes([0, 0])
    out += bytes([0, 1])
    return bytes(out)


def expected_rgb(indices, table, skip_first=0):
    """RGB bytes top-down; table entries missing are black."""
    out = bytearray()
    height = len(indices)
    for y, row in enumerate(indices):
        for x, v in enumerate(row):
            if y == height - 1 and x < skip_first:
                v = 0
            out += bytes(table[v] if v < len(table) else (0, 0, 0))
    return bytes(out)


def handmade(tmp):
    """Files no other writer produces: (label, path, size, expected RGB)."""
    made = []
    w, h = 53, 11
    rnd = random.Random(5)
    idx4 = [[(x // 4 + y) % 16 if y % 2 else rnd.randrange(16) for x in range(w)] for y in range(h)]
    t16 = palette(16, 6)
    path = os.path.join(tmp, "rle4.bmp")
    open(path, "wb").write(bmp_bytes(w, h, 4, t16, rle4_rows(idx4, w), compression=2))
    made.append(("RLE4 with delta", path, (w, h), expected_rgb(idx4, t16, skip_first=3)))

    idx8 = [[(x * y) % 5 for x in range(w)] for y in range(h)]
    t5 = palette(5, 7)
    path = os.path.join(tmp, "short_used.bmp")
    open(path, "wb").write(bmp_bytes(w, h, 8, t5, packed_rows(idx8, w, 8), clr_used=5))
    made.append(("8-bit biClrUsed 5", path, (w, h), expected_rgb(idx8, t5)))

    idx8b = [[(x + y) % 9 for x in range(w)] for y in range(h)]
    t9 = palette(9, 8)
    path = os.path.join(tmp, "short_offset.bmp")
    open(path, "wb").write(bmp_bytes(w, h, 8, t9[:4], packed_rows(idx8b, w, 8)))
    made.append(("8-bit table cut by pixel offset", path, (w, h), expected_rgb(idx8b, t9[:4])))

    path = os.path.join(tmp, "v5_topdown.bmp")
    open(path, "wb").write(bmp_bytes(w, h, 8, t9, bytes(reversed_rows(packed_rows(idx8b, w, 8), h)),
                                     header_size=124, top_down=True))
    made.append(("124-byte header, top-down", path, (w, h), expected_rgb(idx8b, t9)))
    return made


def reversed_rows(data, height):
    stride = len(data) // height
    return b"".join(data[i * stride:(i + 1) * stride] for i in reversed(range(height)))


def masked_pixels(path):
    """RGB bytes of a 16- or 32-bit BMP decoded here: each channel scaled by
    rounding v * 255 / max, alpha (when any pixel has some) blended on white."""
    data = open(path, "rb").read()
    offset, hsize, w, h, _, bits, comp = struct.unpack_from("<IIiiHHI", data, 10)
    if comp in (3, 6):
        at = 14 + (40 if hsize >= 52 else hsize)
        masks = list(struct.unpack_from("<III", data, at)) + [
            struct.unpack_from("<I", data, at + 12)[0] if comp == 6 or hsize >= 56 else 0]
    else:
        masks = [0x7C00, 0x3E0, 0x1F, 0] if bits == 16 else [0xFF0000, 0xFF00, 0xFF, 0xFF000000]

    def channel(v, m):
        if not m:
            return 0
        shift = (m & -m).bit_length() - 1
        top = m >> shift
        return (((v & m) >> shift) * 255 + top // 2) // top

    stride = (w * bits + 31) // 32 * 4
    words = []
    for y in range(abs(h)):
        row = data[offset + (abs(h) - 1 - y if h > 0 else y) * stride:]
        words.append([int.from_bytes(row[x * bits // 8:(x + 1) * bits // 8], "little") for x in range(w)])
    has_alpha = any(channel(v, masks[3]) for r in words for v in r)
    out = bytearray()
    for r in words:
        for v in r:
            a = channel(v, masks[3]) if has_alpha else 255
            out += bytes((channel(v, m) * a + 255 * (255 - a) + 127) // 255 for m in masks[:3])
    return (w, abs(h)), bytes(out)


def masked_sources(tmp):
    """16- and 32-bit files from Pillow, ImageMagick and built here."""
    w, h = 31, 7
    rnd = random.Random(9)
    rgba = Image.new("RGBA", (w, h))
    rgba.putdata([(rnd.randrange(256), x * 8, y * 36, (x * 9 + y * 40) % 256) for y in range(h) for x in range(w)])
    made = []
    p = os.path.join(tmp, "pil32a.bmp"); rgba.save(p); made.append(("Pillow 32-bit with alpha", p))
    png = os.path.join(tmp, "m.png"); rgba.save(png)
    opaque = os.path.join(tmp, "o.png"); rgba.convert("RGB").save(opaque)
    for label, src, args, name in [("ImageMagick 32-bit V5 bit fields with alpha", png, [], "im32a.bmp"),
                                   ("ImageMagick 16-bit 565", opaque, ["-define", "bmp:subtype=RGB565"], "im565.bmp"),
                                   ("ImageMagick 16-bit 555", opaque, ["-define", "bmp:subtype=RGB555"], "im555.bmp")]:
        p = os.path.join(tmp, name)
        subprocess.run(["convert", src] + args + ["BMP:" + p], check=True)
        made.append((label, p))
    words16 = [[rnd.randrange(65536) for _ in range(w)] for _ in range(h)]
    words32 = [[rnd.randrange(1 << 24) for _ in range(w)] for _ in range(h)]

    def rows(words, bits):
        out = b""
        for r in reversed(words):
            raw = b"".join(v.to_bytes(bits // 8, "little") for v in r)
            out += raw + bytes(-len(raw) % 4)
        return out
    for label, name, bits, comp, masks, words in [
            ("16-bit BI_RGB", "h555.bmp", 16, 0, b"", words16),
            ("16-bit bit fields after a 40-byte header", "h565.bmp", 16, 3,
             struct.pack("<III", 0xF800, 0x7E0, 0x1F), words16),
            ("32-bit BI_RGB, alpha unused", "h32.bmp", 32, 0, b"", words32),
            ("32-bit bit fields, swapped order", "h32bf.bmp", 32, 3,
             struct.pack("<III", 0xFF, 0xFF00, 0xFF0000), words32)]:
        pixels = rows(words, bits)
        header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, comp, len(pixels), 0, 0, 0, 0) + masks
        p = os.path.join(tmp, name)
        open(p, "wb").write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
                            + header + pixels)
        made.append((label, p))
    return made


def main():
    with tempfile.TemporaryDirectory() as tmp:
        # 16- and 32-bit files read as 24-bit images: the same pixels as
        # decoded here, within one step of ImageMagick's 5- and 6-bit scaling.
        for label, path in masked_sources(tmp):
            out = os.path.join(tmp, "k_" + os.path.basename(path))
            r = kestrel(path, out, "1")
            ok = r.returncode == 0 and pil_rgb(out) == masked_pixels(path)
            check("read " + label, ok, r.stderr.strip())
            if ok and "alpha" not in label:
                size, ours = pil_rgb(out)
                theirs = magick_rgb(path)[1]
                check("read " + label + " (vs ImageMagick)", max(abs(a - b) for a, b in zip(ours, theirs)) <= 1)

        sources = write_sources(tmp)
        # Foreign files read by Kestrel give the pixels Pillow and ImageMagick see.
        for label, path in sources:
            out = os.path.join(tmp, "k_" + os.path.basename(path))
            r = kestrel(path, out, "1")
            if r.returncode != 0:
                check("read " + label, False, r.stderr.strip())
                continue
            reference = magick_rgb(path)
            check("read " + label + " (vs ImageMagick)", pil_rgb(out) == reference)
            if "core" not in label:
                check("read " + label + " (vs Pillow)", pil_rgb(out) == pil_rgb(path))

        for label, path, size, expected in handmade(tmp):
            out = os.path.join(tmp, "k_" + os.path.basename(path))
            r = kestrel(path, out, "1")
            check("read " + label, r.returncode == 0 and pil_rgb(out) == (size, expected), r.stderr.strip())

        # Kestrel-written files decode the same in Pillow and ImageMagick.
        depth_sources = {"24": "im24.bmp", "8": "im8.bmp", "4": "im4.bmp", "1": "im1.bmp"}
        for bits, name in depth_sources.items():
            src = os.path.join(tmp, name)
            reference = magick_rgb(src)
            for ext, index in [("bmp", "1"), ("dib", "3"), ("rle", "9")]:
                out = os.path.join(tmp, "w%s.%s" % (bits, ext))
                r = kestrel(src, out, index)
                if r.returncode != 0:
                    check("write %s-bit %s" % (bits, ext), False, r.stderr.strip())
                    continue
                check("write %s-bit %s: ImageMagick decodes" % (bits, ext), magick_rgb(out) == reference)
                if not (ext == "rle" and bits == "4"):
                    check("write %s-bit %s: Pillow decodes" % (bits, ext), pil_rgb(out) == reference)
                info = kestrel("--info", out).stdout.split()
                check("write %s-bit %s keeps bit count" % (bits, ext), info[2:] == [bits])
                # Kestrel -> Kestrel round trip through the same format.
                back = os.path.join(tmp, "b%s.bmp" % bits)
                kestrel(out, back, "1")
                first = os.path.join(tmp, "f%s.bmp" % bits)
                kestrel(src, first, "1")
                check("round trip %s-bit %s" % (bits, ext), open(back, "rb").read() == open(first, "rb").read())
            clp = os.path.join(tmp, "w%s.clp" % bits)
            back = os.path.join(tmp, "c%s.bmp" % bits)
            r1, r2 = kestrel(src, clp), kestrel(clp, back)
            check("round trip %s-bit clp" % bits, r1.returncode == 0 and r2.returncode == 0 and
                  magick_rgb(back) == reference)

        # Icons written by Pillow (bitmap images, not PNG): 1, 8, 24 and 32 bits.
        # 32 pixels wide: Pillow writes the AND mask rows unpadded, which only
        # agrees with the format when a mask row is a multiple of 4 bytes.
        base = Image.open(os.path.join(tmp, "pil24.bmp")).crop((0, 0, 32, 32))
        icons = [("1-bit", base.convert("1")), ("8-bit", base.convert("P")), ("24-bit", base),
                 ("32-bit alpha", base.convert("RGBA"))]
        alpha = Image.linear_gradient("L").resize((32, 32))
        icons[3][1].putalpha(alpha)
        for label, im in icons:
            ico = os.path.join(tmp, "i.ico")
            im.save(ico, sizes=[(32, 32)], bitmap_format="bmp")
            out = os.path.join(tmp, "i.bmp")
            r = kestrel(ico, out, "1")
            check("read Pillow icon " + label, r.returncode == 0 and pil_rgb(out) == pil_rgb(ico),
                  r.stderr.strip())
        two = os.path.join(tmp, "two.ico")
        base.save(two, sizes=[(16, 16), (32, 32)], bitmap_format="bmp")
        r = kestrel("--info", two)
        check("two-image icon shows the second image", r.stdout.split()[:2] == ["32", "32"], r.stdout)
        png_ico = os.path.join(tmp, "png.ico")
        base.save(png_ico, sizes=[(32, 32)])
        r = kestrel("--info", png_ico)
        check("PNG icon refused cleanly", r.returncode == 1 and "Unsupported ICO" in r.stderr, r.stderr)

    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
