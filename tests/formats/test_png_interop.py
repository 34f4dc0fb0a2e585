"""PNG interop: Kestrel's reader (and its own inflate) against independent
codecs.

Reading: PNGs written by Pillow, ImageMagick and libpng in every colour type, bit
depth and interlace mode, and files built here with Python's zlib (every
compression level and strategy, all five filters, image data split across
IDAT chunks anywhere), come out of kestrel-convert as BMP files with the
pixels ImageMagick decodes: 16-bit samples rounded to 8 bits and alpha
(channel or tRNS) blended onto white, both computed here. Damaged files
fail with "Unsupported PNG file format." and no output.

Writing: 1-, 4-, 8- and 24-bit images built here as BMP files, written as PNG
(format index 12), decode to exactly their pixels in Pillow, ImageMagick and
libpng (pngtopnm), and read back through Kestrel unchanged.

Env: KESTREL_CONVERT (kestrel-convert IN OUT [FORMAT-INDEX]); a path ending in
".exe" is the Win32 build and runs under Wine.
"""
import random
import struct
import sys
import zlib

from PIL import Image

import interop
from interop import MAGICK, check, make_bmp, parse_bmp, path, run


def to8(v16):
    return (v16 * 255 + 32767) // 65535


def magick_on_white(png):
    """RGB triples, top row first, as ImageMagick decodes png, blended here."""
    size = run("identify", "-format", "%w %h", png).stdout.split()
    width, height = int(size[0]), int(size[1])
    blob = run(MAGICK, png, "-depth", "16", "rgba:-").stdout
    values = struct.unpack("<%dH" % (len(blob) // 2), blob)
    pixels = []
    for i in range(0, len(values), 4):
        a = to8(values[i + 3])
        pixels.append(tuple((to8(v) * a + 255 * (255 - a) + 127) // 255 for v in values[i:i + 3]))
    return width, height, pixels


def kestrel_pixels(png):
    """(bit count, RGB triples top row first) of Kestrel's reading, or None."""
    out = path("k.bmp")
    result = run(interop.CONVERT, png, out, "1")
    if result.returncode != 0:
        print(result.stderr.decode().strip())
        return None
    width, height, bits, palette, rows = parse_bmp(open(out, "rb").read())
    flat = [v for row in rows for v in row]
    return bits, (width, height, flat if bits == 24 else [palette[v] for v in flat])


def ihdr(png):
    data = open(png, "rb").read()
    _, _, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", data[16:29])
    return color, depth, interlace


def expected_bits(color, depth):
    if color in (2, 6):
        return 24
    if depth == 1:
        return 1
    return 4 if color == 3 and depth <= 4 else 8


def foreign_files():
    """PNG files by Pillow and ImageMagick: each colour type and depth, plain
    and interlaced, with the tRNS forms among them."""
    w, h = 37, 23
    rnd = random.Random(3)
    rgba = Image.new("RGBA", (w, h))
    rgba.putdata([(x * 7, y * 11, rnd.randrange(256), (x * 13 + y * 5) % 256) for y in range(h) for x in range(w)])
    files = []

    def pillow(name, im, **options):
        p = path(name + ".png")
        im.save(p, **options)
        files.append(p)
    pillow("rgb", rgba.convert("RGB"))
    pillow("rgb_key", rgba.convert("RGB"), transparency=rgba.convert("RGB").getpixel((3, 3)))
    pillow("rgba", rgba)
    pillow("grey", rgba.convert("L"))
    pillow("grey_key", rgba.convert("L"), transparency=rgba.convert("L").getpixel((5, 5)))
    pillow("grey_alpha", rgba.convert("LA"))
    pillow("grey1", rgba.convert("1"))
    grey16 = Image.new("I;16", (w, h))
    grey16.putdata([x * 1700 + y * 91 + rnd.randrange(50) for y in range(h) for x in range(w)])
    pillow("grey16", grey16)
    for colours, bits in [(2, 1), (4, 2), (16, 4), (256, 8)]:
        pal = rgba.convert("RGB").quantize(colours)
        pillow("pal%d" % bits, pal, bits=bits)
    pal_alpha = rgba.convert("RGB").quantize(16)
    pillow("pal_trns", pal_alpha, transparency=bytes(range(0, 256, 16)))

    # ImageMagick: the depths Pillow does not write, then every file again
    # interlaced with its own colour type and depth.
    source16 = path("src16.png")
    run(MAGICK, "-size", "%dx%d" % (w, h), "gradient:#102030-#f0e0d0", "-depth", "16", source16)
    alpha16 = path("alpha16.png")
    run(MAGICK, source16, "(", "-size", "%dx%d" % (w, h), "gradient:#ffff-#0000", ")", "-alpha", "off",
        "-compose", "CopyOpacity", "-composite", "-depth", "16", alpha16)
    for name, src, color, depth in [("im_rgb16", source16, 2, 16), ("im_rgba16", alpha16, 6, 16),
                                    ("im_ga16", alpha16, 4, 16)]:
        p = path(name + ".png")
        grey = ["-colorspace", "gray"] if color == 4 else []
        run(MAGICK, src, *grey, "-define", "png:color-type=%d" % color, "-define", "png:bit-depth=%d" % depth, p)
        files.append(p)
    for p in list(files):
        color, depth, _ = ihdr(p)
        q = p[:-4] + "_adam7.png"
        run(MAGICK, p, "-interlace", "PNG", "-define", "png:color-type=%d" % color,
            "-define", "png:bit-depth=%d" % depth, q)
        files.append(q)

    # libpng (netpbm's pnmtopng): 2- and 4-bit grey and a two-colour
    # palette, which ImageMagick does not write interlaced.
    for name, header, samples in [
            ("lp_grey2", "P2 %d %d 3" % (w, h), [rnd.randrange(4) for _ in range(w * h)]),
            ("lp_grey4", "P2 %d %d 15" % (w, h), [(x + y) % 16 for y in range(h) for x in range(w)]),
            ("lp_pal1", "P3 %d %d 255" % (w, h),
             [v for y in range(h) for x in range(w) for v in ((10, 20, 30) if (x ^ y) & 4 else (200, 100, 0))])]:
        pnm = path(name + ".pnm")
        open(pnm, "w").write(header + "\n" + " ".join(map(str, samples)) + "\n")
        for options, suffix in [((), ""), (("-interlace",), "_adam7")]:
            p = path(name + suffix + ".png")
            open(p, "wb").write(run("pnmtopng", *options, pnm).stdout)
            files.append(p)
    return files


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def zlib_png(width, height, rows, compressor, split, rnd):
    """An 8-bit RGB PNG of rows (bytes each) filtered with every filter type
    in turn, its zlib data from compressor cut into IDAT chunks at split
    points (zero-length ones among them)."""
    raw = bytearray()
    previous = bytes(len(rows[0]))
    for y, row in enumerate(rows):
        kind = y % 5
        out = bytearray([kind])
        for i, v in enumerate(row):
            a = row[i - 3] if i >= 3 else 0
            b = previous[i]
            c = previous[i - 3] if i >= 3 else 0
            if kind == 1: v -= a
            elif kind == 2: v -= b
            elif kind == 3: v -= (a + b) // 2
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                v -= a if pa <= pb and pa <= pc else b if pb <= pc else c
            out.append(v & 255)
        raw += out
        previous = row
    stream = compressor.compress(bytes(raw)) + compressor.flush()
    cuts = sorted(rnd.randrange(len(stream) + 1) for _ in range(split))
    idats = b"".join(chunk(b"IDAT", stream[a:b]) for a, b in zip([0] + cuts, cuts + [len(stream)]))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"tEXt", b"a\0b") + idats + chunk(b"IEND", b"")


def rows_of(width, height, kind, rnd):
    if kind == "noise":
        return [bytes(rnd.randrange(256) for _ in range(3 * width)) for _ in range(height)]
    # Screen-like: flat runs, repeated text-like stripes far apart, gradients.
    stripe = bytes(rnd.choice((0, 0, 255, 128)) for _ in range(3 * width))
    return [stripe if y % 7 == 0 else bytes((x * y + (x >> 4)) & 255 if (x // 40 + y // 9) % 3 else 200
                                             for x in range(3 * width)) for y in range(height)]


def case_foreign():
    covered = set()
    for png in foreign_files():
        color, depth, interlace = ihdr(png)
        covered.add((color, depth, interlace))
        label = "%s (colour type %d, %d-bit%s)" % (png.rsplit("/", 1)[1], color, depth, ", Adam7" if interlace else "")
        got = kestrel_pixels(png)
        check(got is not None and got[1] == magick_on_white(png), "read " + label)
        check(got is not None and got[0] == expected_bits(color, depth), "bit count of " + label)
    every = {(c, d, i) for c, depths in [(0, (1, 2, 4, 8, 16)), (2, (8, 16)), (3, (1, 2, 4, 8)), (4, (8, 16)),
                                         (6, (8, 16))] for d in depths for i in (0, 1)}
    check(covered == every, "files of every colour type, depth and interlace: missing %s" % sorted(every - covered))


def case_zlib():
    rnd = random.Random(7)
    for kind, width, height in [("noise", 61, 40), ("screen", 700, 60)]:
        rows = rows_of(width, height, kind, rnd)
        expected = (width, height, [tuple(row[3 * x:3 * x + 3]) for row in rows for x in range(width)])
        for level, strategy in [(0, zlib.Z_DEFAULT_STRATEGY), (1, zlib.Z_DEFAULT_STRATEGY), (6, zlib.Z_FILTERED),
                                (9, zlib.Z_DEFAULT_STRATEGY), (6, zlib.Z_HUFFMAN_ONLY), (6, zlib.Z_RLE),
                                (6, zlib.Z_FIXED)]:
            png = path("z.png")
            open(png, "wb").write(zlib_png(width, height, rows, zlib.compressobj(level, zlib.DEFLATED, 15, 9, strategy),
                                           rnd.randrange(6), rnd))
            got = kestrel_pixels(png)
            check(got is not None and got[1] == expected, "zlib level %d strategy %d, %s" % (level, strategy, kind))


def case_damaged():
    rnd = random.Random(11)
    rows = rows_of(20, 10, "noise", rnd)
    good = zlib_png(20, 10, rows, zlib.compressobj(6), 0, rnd)
    idat = good.index(b"IDAT") - 4
    length = struct.unpack(">I", good[idat:idat + 4])[0]
    stream = good[idat + 8:idat + 8 + length]

    def with_stream(data):
        return good[:idat] + chunk(b"IDAT", data) + good[idat + 12 + length:]
    flipped_crc = bytearray(good); flipped_crc[idat + 8 + length] ^= 1
    bad_adler = with_stream(stream[:-1] + bytes([stream[-1] ^ 1]))
    long_data = zlib.compress(b"".join(bytes([0]) + r for r in rows) + b"\0" * 61)
    bad_filter = with_stream(zlib.compress(b"".join(bytes([5]) + r for r in rows)))
    bad_header = good[:8] + chunk(b"IHDR", struct.pack(">IIBBBBB", 20, 10, 4, 2, 0, 0, 0)) + good[33:]
    huge = good[:idat] + struct.pack(">I", 0x7FFFFFF0) + good[idat + 4:]
    for label, data in [("cut in the image data", good[:idat + 40]), ("CRC mismatch", bytes(flipped_crc)),
                        ("Adler-32 mismatch", bad_adler), ("more data than the image", with_stream(long_data)),
                        ("filter type 5", bad_filter), ("RGB at 4 bits", bad_header),
                        ("chunk length past the end", huge)]:
        png = path("bad.png")
        open(png, "wb").write(data)
        result = run(interop.CONVERT, png, path("bad.bmp"), "1")
        check(result.returncode != 0 and b"Unsupported PNG file format." in result.stderr, "refuse " + label)

    # A palette shorter than the indexes used: the missing entries are black.
    pixels = bytes([0, 0, 1, 3, 2]) * 2
    png = path("short.png")
    open(png, "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4, 2, 8, 3, 0, 0, 0)) +
                          chunk(b"PLTE", bytes([10, 20, 30, 40, 50, 60])) + chunk(b"IDAT", zlib.compress(pixels)) +
                          chunk(b"IEND", b""))
    got = kestrel_pixels(png)
    check(got is not None and got[1][2] == [(10, 20, 30), (40, 50, 60), (0, 0, 0), (0, 0, 0)] * 2,
          "short palette reads missing entries as black")


def ppm_pixels(blob):
    """RGB triples of a binary PPM with maxval 255."""
    fields, pos = [], 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    data = blob[pos + 1:]
    return [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]


def case_write():
    rnd = random.Random(13)
    # The 24-bit image is longer than the deflater's buffer, which slides.
    for bits, width, height in [(1, 45, 9), (4, 33, 17), (8, 71, 13), (24, 640, 300)]:
        palette = [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(1 << min(bits, 8))]
        if bits == 24:
            # Screen-like: flat fields, text-like stripes repeated, noise.
            rows = [[(200, 200, 200) if (x // 50 + y // 20) % 2 else
                     ((x * 3) & 255, (y * 4) & 255, (x ^ y) & 255) if y % 9 else (rnd.randrange(256), 0, 9)
                     for x in range(width)] for y in range(height)]
            expected = [v for row in rows for v in row]
        else:
            rows = [[(x // 3 + y) % len(palette) if y % 4 else rnd.randrange(len(palette)) for x in range(width)]
                    for y in range(height)]
            expected = [palette[v] for row in rows for v in row]
        src = path("w%d.bmp" % bits)
        open(src, "wb").write(make_bmp(width, height, bits, rows, palette if bits < 24 else None))
        png = path("w%d.png" % bits)
        result = run(interop.CONVERT, src, png, "12")
        label = "write %d-bit PNG" % bits
        if result.returncode != 0:
            check(False, label + ": " + result.stderr.decode())
            continue
        check(ihdr(png) == ((2, 8, 0) if bits == 24 else (3, bits, 0)), label + ": colour type and depth")
        pil = Image.open(png).convert("RGB")
        check(list(pil.getdata()) == expected, label + ": Pillow decodes")
        check(magick_on_white(png) == (width, height, expected), label + ": ImageMagick decodes")
        check(ppm_pixels(run("pngtopnm", png).stdout) == expected, label + ": libpng decodes")
        back = kestrel_pixels(png)
        check(back is not None and back == (bits, (width, height, expected)), label + ": Kestrel reads it back")


if __name__ == "__main__":
    sys.exit(interop.main(case_foreign, case_zlib, case_damaged, case_write))
