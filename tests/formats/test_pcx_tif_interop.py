"""PCX, TIFF, WPG and FST interop: Kestrel's codecs against independent ones.

Writing: images with known pixels go in as BMP files built here; the PCX and
TIFF files that kestrel-convert writes at 1, 4, 8 and 24 bits must decode to
exactly those pixels with Pillow, ImageMagick and netpbm (pcxtoppm,
tifftopnm, and libtiff's tiff2bw for 24 bits), and tiffinfo must read every
TIFF without an error; the WPG files (1, 4, 8 bits) must decode to those
pixels with ImageMagick.

Reading: PCX files written by Pillow, ImageMagick and netpbm (ppmtopcx:
1-bit, 4-plane 16-colour, 8-bit and 24-bit), and TIFF files written by Pillow,
ImageMagick and libtiff's tiffcp (uncompressed at every depth, PackBits for
bilevel) must come out of kestrel-convert as BMP files with exactly the
source's pixels. PackBits at 8 bits and LZW are refused with the TIF message.

Round trips: BMP -> format -> BMP through Kestrel alone keeps size, depth,
colour table and pixels for every format and depth it writes.

Env: KESTREL_CONVERT (kestrel-convert IN OUT [FORMAT-INDEX]).
"""
import io
import os
import random
import shutil
import struct
import sys

from PIL import Image

import interop
from interop import CONVERT, MAGICK, check, make_bmp, parse_bmp, path, run
def kestrel(src, dst):
    result = run(CONVERT, src, dst)
    return result.returncode, result.stderr.decode(errors="replace").strip()


def to_rgb(bits, palette, rows):
    if bits == 24:
        return [list(r) for r in rows]
    return [[palette[v] for v in r] for r in rows]


def rgb_of_pil(image):
    image = image.convert("RGB")
    w, h = image.size
    data = image.tobytes()
    return [[tuple(data[3 * (y * w + x):3 * (y * w + x) + 3]) for x in range(w)] for y in range(h)]


def parse_ppm(blob):
    """RGB rows of a binary PBM (P4), PGM (P5) or PPM (P6), maxval 255 or 65535."""
    magic = blob[:2]
    if magic not in (b"P4", b"P5", b"P6"):
        return "not a binary netpbm image: %r" % blob[:16]
    wanted = 3 if magic == b"P4" else 4
    fields, pos = [], 0
    while len(fields) < wanted:
        while pos < len(blob) and blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.find(b"\n", pos) + 1 or len(blob)
            continue
        end = pos
        while end < len(blob) and not blob[end:end + 1].isspace():
            end += 1
        if end == pos:
            return "netpbm header cut short"
        fields.append(blob[pos:end])
        pos = end
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    rows = []
    if magic == b"P4":
        stride = (w + 7) // 8
        if len(blob) < pos + stride * h:
            return "netpbm data cut short"
        for y in range(h):
            row = blob[pos + y * stride:pos + (y + 1) * stride]
            rows.append([(0, 0, 0) if row[x >> 3] >> (7 - x % 8) & 1 else (255, 255, 255) for x in range(w)])
        return rows
    maxval = int(fields[3])
    channels = 3 if magic == b"P6" else 1
    width = 2 if maxval > 255 else 1
    if len(blob) < pos + width * channels * w * h:
        return "netpbm data cut short"
    for y in range(h):
        row = []
        for x in range(w):
            vals = []
            for c in range(channels):
                at = pos + width * ((y * w + x) * channels + c)
                v = blob[at] if width == 1 else (blob[at] << 8 | blob[at + 1])
                vals.append(v * 255 // maxval if maxval != 255 else v)
            row.append(tuple(vals * 3 if channels == 1 else vals))
        rows.append(row)
    return rows


def rgb_of_magick(file):
    result = run(MAGICK, file, "-depth", "8", "ppm:-")
    if result.returncode != 0:
        return "convert failed: " + result.stderr.decode(errors="replace")
    return parse_ppm(result.stdout)


def rgb_of_netpbm(tool, file):
    with open(file, "rb") as f:
        result = run(tool, stdin=f.read())
    if result.returncode != 0:
        return tool + " failed: " + result.stderr.decode(errors="replace")
    return parse_ppm(result.stdout)


def first_difference(a, b):
    if isinstance(a, str) or isinstance(b, str):
        return a if isinstance(a, str) else b
    if len(a) != len(b) or any(len(x) != len(y) for x, y in zip(a, b)):
        return "size %dx%d vs %dx%d" % (len(a[0]) if a else 0, len(a), len(b[0]) if b else 0, len(b))
    for y, (ra, rb) in enumerate(zip(a, b)):
        for x, (pa, pb) in enumerate(zip(ra, rb)):
            if tuple(pa) != tuple(pb):
                return "pixel (%d,%d): %s vs %s" % (x, y, tuple(pa), tuple(pb))
    return None


# --- Test images ---

def test_image(width, height, bits, seed):
    """(palette, rows) with every colour of the table in use when it fits."""
    rnd = random.Random(seed)
    if bits == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
    elif bits == 24:
        palette = []
    else:
        count = 1 << bits
        # Components of at most 128 and pure white: values every reader maps alike.
        palette = [(rnd.randrange(129), rnd.randrange(129), rnd.randrange(129)) for _ in range(count - 1)]
        palette.append((255, 255, 255))
    rows = []
    for y in range(height):
        if bits == 24:
            row = [(rnd.randrange(256), rnd.randrange(256), rnd.randrange(256)) for _ in range(width)]
            if y % 3 == 0:
                row[: width // 2] = [(200, 10, 10)] * (width // 2)  # runs for the coders
        else:
            row = [rnd.randrange(1 << bits) for _ in range(width)]
            if y % 3 == 0:
                row[: width // 2] = [y % (1 << bits)] * (width // 2)
        rows.append(row)
    return palette, rows


def magick_colormap_value(v):
    """An 8-bit component stored in a TIFF colour map as v x 256 (65535 for
    white), as ImageMagick scales it back to 8 bits."""
    return 255 if v == 255 else v * 256 // 257


def pcx_planes_padded(width, bits):
    """True when a multi-plane PCX line carries pad bytes: Pillow unpacks
    such planes at the unpadded width, so it is not asked about them."""
    plane_bits = 1 if bits == 4 else 8
    return bits in (4, 24) and (plane_bits * width + 15) // 16 * 2 != (plane_bits * width + 7) // 8


# --- Kestrel writes, others read ---

def kestrel_writes():
    sizes = [(1, 1), (17, 5), (67, 23)]
    for bits in (1, 4, 8, 24):
        for (w, h) in sizes:
            palette, rows = test_image(w, h, bits, bits * 100 + w)
            expected = to_rgb(bits, palette, rows)
            src = path("src%d_%d.bmp" % (bits, w))
            with open(src, "wb") as f:
                f.write(make_bmp(w, h, bits, rows, palette))
            for ext in ("pcx", "tif", "wpg", "fst"):
                if ext == "wpg" and bits == 24:
                    out = path("w24.wpg")
                    rc, err = kestrel(src, out)
                    check(rc != 0 and "WPG format doesn't support 24-bit image" in err and not os.path.exists(out),
                          "24-bit WPG refused without a file: %r" % err)
                    continue
                out = path("k%d_%d.%s" % (bits, w, ext))
                rc, err = kestrel(src, out)
                check(rc == 0, "kestrel writes %s at %d bits %dx%d: %s" % (ext, bits, w, h, err))
                if rc != 0:
                    continue
                what = "%s %d-bit %dx%d" % (ext, bits, w, h)
                if ext == "tif" or ext == "pcx" and not pcx_planes_padded(w, bits):
                    diff = first_difference(rgb_of_pil(Image.open(out)), expected)
                    check(diff is None, "Pillow reads Kestrel %s: %s" % (what, diff))
                # ImageMagick reads every 1-bit PCX (netpbm's too) with its colours swapped.
                if ext == "wpg" or ext == "pcx" and bits != 1:
                    diff = first_difference(rgb_of_magick(out), expected)
                    check(diff is None, "ImageMagick reads Kestrel %s: %s" % (what, diff))
                if ext == "tif":
                    magick_expected = expected
                    if bits in (4, 8):
                        magick_expected = [[tuple(magick_colormap_value(c) for c in p) if p != (255, 255, 255) else p
                                            for p in r] for r in expected]
                    diff = first_difference(rgb_of_magick(out), magick_expected)
                    check(diff is None, "ImageMagick reads Kestrel %s: %s" % (what, diff))
                    info = run("tiffinfo", "-D", out)
                    errors = [l for l in info.stderr.decode(errors="replace").splitlines()
                              if "Warning" not in l and l.strip()]
                    check(info.returncode == 0 and not errors, "tiffinfo reads Kestrel %s: %s" % (what, errors))
                    if bits in (1, 24):
                        diff = first_difference(rgb_of_netpbm("tifftopnm", out), expected)
                        check(diff is None, "tifftopnm reads Kestrel %s: %s" % (what, diff))
                    if bits == 24:
                        # tiff2bw weighs red, green and blue 77, 151 and 28 of 256, truncated.
                        grey = path("grey_%d.tif" % w)
                        result = run("tiff2bw", out, grey)
                        check(result.returncode == 0, "tiff2bw converts Kestrel %s" % what)
                        if result.returncode == 0:
                            weighted = [[((77 * r + 151 * g + 28 * b) >> 8,) * 3 for r, g, b in row] for row in expected]
                            diff = first_difference(rgb_of_pil(Image.open(grey)), weighted)
                            check(diff is None, "tiff2bw reads Kestrel %s: %s" % (what, diff))
                if ext == "pcx":
                    diff = first_difference(rgb_of_netpbm("pcxtoppm", out), expected)
                    check(diff is None, "pcxtoppm reads Kestrel %s: %s" % (what, diff))
                # Kestrel -> Kestrel: the BMP written back has the source's depth, table and pixels.
                back = path("back%d_%d_%s.bmp" % (bits, w, ext))
                rc, err = kestrel(out, back)
                check(rc == 0, "kestrel reads its own %s: %s" % (what, err))
                if rc == 0:
                    with open(back, "rb") as f:
                        bw, bh, bb, bp, brows = parse_bmp(f.read())
                    check((bw, bh, bb) == (w, h, bits), "round trip keeps size and depth of %s" % what)
                    check(bits == 24 or bp[:len(palette)] == palette, "round trip keeps colours of %s" % what)
                    check(brows == rows, "round trip keeps pixels of %s" % what)


# --- Others write, Kestrel reads ---

def kestrel_reads(file, expected, what):
    """Kestrel's reading of file must give expected (the source's pixels) and
    agree with Pillow's reading of the same file."""
    try:
        seen = rgb_of_pil(Image.open(file))
        diff = first_difference(seen, expected)
        check(diff is None, "Pillow reads %s as its source: %s" % (what, diff))
    except Exception as error:  # noqa: BLE001 - a file Pillow cannot read is checked against the source only
        print("note: Pillow cannot read %s (%s)" % (what, error))
    out = file + ".bmp"
    rc, err = kestrel(file, out)
    check(rc == 0, "kestrel reads %s: %s" % (what, err))
    if rc != 0:
        return
    with open(out, "rb") as f:
        w, h, bits, palette, rows = parse_bmp(f.read())
    diff = first_difference(to_rgb(bits, palette, rows), expected)
    check(diff is None, "kestrel reads %s: %s" % (what, diff))


def kestrel_refuses(file, message, what):
    rc, err = kestrel(file, file + ".bmp")
    check(rc != 0 and message in err, "kestrel refuses %s: %r" % (what, err))


def reference_images():
    rnd = random.Random(7)
    w, h = 45, 13
    rgb = Image.new("RGB", (w, h))
    rgb.putdata([(rnd.randrange(256), (x * 9) % 256, (y * 19) % 256) for y in range(h) for x in range(w)])
    grey = Image.new("L", (w, h))
    grey.putdata([(x * 5 + y * 3) % 256 for y in range(h) for x in range(w)])
    mono = Image.new("1", (w, h))
    mono.putdata([255 if (x * y + x) % 3 else 0 for y in range(h) for x in range(w)])
    pal = rgb.quantize(colors=200)
    pal16 = rgb.quantize(colors=16)
    return {"rgb": rgb, "grey": grey, "mono": mono, "pal": pal, "pal16": pal16}


def others_write():
    images = reference_images()
    pngs = {}
    for name, image in images.items():
        pngs[name] = path("ref_%s.png" % name)
        image.save(pngs[name])
        # A PPM as well, for netpbm.
        image.convert("RGB").save(path("ref_%s.ppm" % name))
    expected = {name: rgb_of_pil(image) for name, image in images.items()}

    # PCX by Pillow: 8-bit grey and palette, 24-bit; its 1-bit files are version 2.
    for name in ("grey", "pal", "rgb"):
        out = path("pil_%s.pcx" % name)
        images[name].save(out)
        kestrel_reads(out, expected[name], "Pillow PCX " + name)
    out = path("pil_mono.pcx")
    images["mono"].save(out)
    kestrel_refuses(out, "Unsupported PCX file format.", "Pillow's version-2 1-bit PCX")

    # PCX by ImageMagick.
    for name, args in (("mono", ["-type", "Bilevel"]), ("pal", ["-type", "Palette"]), ("rgb", ["-type", "TrueColor"])):
        out = path("im_%s.pcx" % name)
        result = run(MAGICK, pngs[name], *args, out)
        check(result.returncode == 0, "ImageMagick writes PCX " + name)
        kestrel_reads(out, expected[name], "ImageMagick PCX " + name)

    # PCX by netpbm: 4 planes of 1 bit for 16 colours, 1 bit, 8 bit, 24 bit.
    for name, args in (("pal16", []), ("mono", []), ("pal", ["-8bit"]), ("rgb", ["-24bit"])):
        out = path("pbm_%s.pcx" % name)
        with open(path("ref_%s.ppm" % name), "rb") as f:
            result = run("ppmtopcx", *args, stdin=f.read())
        check(result.returncode == 0, "ppmtopcx writes " + name)
        with open(out, "wb") as f:
            f.write(result.stdout)
        kestrel_reads(out, expected[name], "netpbm PCX %s %s" % (name, " ".join(args)))
    with open(path("pbm_pal16.pcx"), "rb") as f:
        header = f.read(128)
    check(header[3] == 1 and header[65] == 4, "ppmtopcx wrote 4 planes of 1 bit")

    # TIFF by Pillow, uncompressed and PackBits for bilevel.
    for name in ("mono", "grey", "pal", "rgb"):
        out = path("pil_%s.tif" % name)
        images[name].save(out, compression="raw")
        kestrel_reads(out, expected[name], "Pillow TIFF " + name)
    out = path("pil_mono_packbits.tif")
    images["mono"].save(out, compression="packbits")
    kestrel_reads(out, expected["mono"], "Pillow PackBits TIFF")

    # TIFF by ImageMagick: every depth uncompressed, PackBits bilevel, refusals.
    # (The 16-colour image is written with 4-bit indexes; its colours are
    # exactly representable in the 16-bit colour map.)
    cases = (("mono", ["-type", "Bilevel"], 1), ("grey", ["-type", "Grayscale"], 8), ("pal", ["-type", "Palette"], 8),
             ("pal16", ["-type", "Palette"], 4), ("rgb", ["-type", "TrueColor"], 24))
    for name, args, bits in cases:
        out = path("im_%s.tif" % name)
        result = run(MAGICK, pngs[name], *args, "-depth", "1" if bits == 1 else "8", "-compress", "none", out)
        check(result.returncode == 0, "ImageMagick writes TIFF " + name)
        kestrel_reads(out, expected[name], "ImageMagick TIFF %s" % name)
        info = run(CONVERT, "--info", out).stdout.decode().split()
        check(info[2:] == [str(bits)], "ImageMagick TIFF %s read at %d bits: %s" % (name, bits, info))
    out = path("im_mono_packbits.tif")
    run(MAGICK, pngs["mono"], "-type", "Bilevel", "-depth", "1", "-compress", "RLE", out)
    check(b"PackBits" in run("tiffinfo", out).stdout, "ImageMagick wrote a PackBits TIFF")
    kestrel_reads(out, expected["mono"], "ImageMagick PackBits TIFF")
    out = path("im_grey_packbits.tif")
    run(MAGICK, pngs["grey"], "-type", "Grayscale", "-compress", "RLE", out)
    kestrel_refuses(out, "Unsupported TIF file format.", "8-bit PackBits TIFF")
    out = path("im_rgb_lzw.tif")
    run(MAGICK, pngs["rgb"], "-compress", "LZW", out)
    kestrel_refuses(out, "Unsupported TIF file format.", "LZW TIFF")
    out = path("im_rgb_msb.tif")
    run(MAGICK, pngs["rgb"], "-define", "tiff:endian=msb", "-compress", "none", out)
    with open(out, "rb") as f:
        check(f.read(2) == b"MM", "ImageMagick wrote a Motorola-order TIFF")
    kestrel_refuses(out, "Unsupported TIF file format.", "Motorola-order TIFF")

    # TIFF restripped by libtiff's tiffcp: one row a strip, and a 2-row strip layout.
    for rows in ("1", "5"):
        out = path("tiffcp_rgb_%s.tif" % rows)
        result = run("tiffcp", "-c", "none", "-r", rows, path("pil_rgb.tif"), out)
        check(result.returncode == 0, "tiffcp restrips to %s rows" % rows)
        kestrel_reads(out, expected["rgb"], "tiffcp TIFF with %s rows a strip" % rows)

    # Lowest bit first (FillOrder 2), uncompressed and PackBits; and the
    # longer extension.
    for name, source in (("rgb", "pil_rgb.tif"), ("mono", "pil_mono.tif"), ("mono", "pil_mono_packbits.tif")):
        out = path("lsb_" + source)
        result = run("tiffcp", "-f", "lsb2msb", path(source), out)
        check(result.returncode == 0 and b"lsb-to-msb" in run("tiffinfo", out).stdout, "tiffcp writes FillOrder 2")
        kestrel_reads(out, expected[name], "FillOrder 2 " + source)
    shutil.copy(path("pil_rgb.tif"), path("pil_rgb.tiff"))
    kestrel_reads(path("pil_rgb.tiff"), expected["rgb"], "a .tiff file")


if __name__ == "__main__":
    sys.exit(interop.main(kestrel_writes, others_write))
