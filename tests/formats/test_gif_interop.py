"""GIF interop: Kestrel's reader and writer against independent codecs.

Writing: images with known pixels go in as BMP files built here; the GIF that
kestrel-convert writes (format index 5 plain, 6 interlaced) must decode to
exactly those pixels with Pillow and with giflib (gif2rgb), and netpbm's
giftopnm for a few.

Reading: GIFs written by Pillow, ImageMagick and giflib (gifbuild), and files
restructured here (local tables, sorted flag, comment and graphic-control
extensions, an image offset on a larger screen, a stream whose encoder never
clears its full code table) must come out of kestrel-convert as BMP files with
exactly the decoders' pixels and colours.

Env: KESTREL_CONVERT (kestrel-convert IN OUT [FORMAT-INDEX]); a path ending in
".exe" is the Win32 build and runs under Wine.
"""
import io
import os
import random
import struct
import subprocess
import sys

from PIL import Image

import interop
from interop import CONVERT, MAGICK, check, make_bmp, parse_bmp, path, run
# --- independent decoders ---

def pillow_decode(gif_path):
    """(width, height, index rows, palette as RGB triples)."""
    im = Image.open(gif_path)
    im.load()
    width, height = im.size
    data = list(im.getdata())
    if im.mode == "L":
        palette = [(i, i, i) for i in range(256)]
    else:
        flat = im.getpalette() or []
        palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    return width, height, [data[y * width:(y + 1) * width] for y in range(height)], palette


def giflib_rgb(gif_path):
    out = path("giflib.rgb")
    result = run("gif2rgb", "-1", "-o", out, gif_path)
    if result.returncode != 0:
        return None
    with open(out, "rb") as f:
        return f.read()


def netpbm_rgb(gif_path):
    result = run("giftopnm", gif_path)
    if result.returncode != 0:
        return None
    blob = result.stdout
    # P6 header: magic, width, height, maxval, each followed by whitespace.
    fields, pos = [], 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not blob[pos:pos + 1].isspace():
            pos += 1
        fields.append(blob[start:pos])
    return blob[pos + 1:]


def rgb_bytes(rows, palette):
    out = bytearray()
    for row in rows:
        for v in row:
            out += bytes(palette[v]) if v < len(palette) else b"\0\0\0"
    return bytes(out)


def kestrel_read(gif_path):
    out = path("kestrel.bmp")
    if os.path.exists(out):
        os.remove(out)
    result = run(CONVERT, gif_path, out, "1")
    if result.returncode != 0 or not os.path.exists(out):
        return None
    with open(out, "rb") as f:
        return parse_bmp(f.read())


def table_bits(blob):
    """Size field + 1 of the table in force for the first image."""
    bits = (blob[10] & 7) + 1
    pos = 13 + (3 << bits if blob[10] & 0x80 else 0)
    while blob[pos] != 0x2C:
        if blob[pos] == 0x21:
            pos += 2
            while blob[pos]:
                pos += blob[pos] + 1
        pos += 1
    flags = blob[pos + 9]
    return (flags & 7) + 1 if flags & 0x80 else bits


# --- writing: Kestrel encodes, the others decode ---

def check_written(name, width, height, bits, rows, palette, interlaced, use_netpbm=False):
    bmp = path(name + ".bmp")
    gif = path(name + ".gif")
    with open(bmp, "wb") as f:
        f.write(make_bmp(width, height, bits, rows, palette))
    result = run(CONVERT, bmp, gif, "6" if interlaced else "5")
    check(result.returncode == 0 and os.path.exists(gif), name + ": kestrel-convert wrote the GIF")
    if not os.path.exists(gif):
        return
    with open(gif, "rb") as f:
        blob = f.read()
    packed = {1: 0x80, 4: 0xB3, 8: 0xF7}[bits]
    check(blob[:6] == b"GIF89a" and blob[10] == packed, name + ": header")
    descriptor = 13 + 3 * (1 << bits)
    check(blob[descriptor] == 0x2C and blob[descriptor + 9] == (0x40 if interlaced else 0), name + ": descriptor")
    check(blob[descriptor + 10] == (2 if bits == 1 else bits), name + ": minimum code size")
    w, h, got, pal = pillow_decode(gif)
    check((w, h) == (width, height) and got == rows, name + ": Pillow decodes the same indices")
    check(pal[:len(palette)] == palette, name + ": Pillow reads the same colour table")
    expected_rgb = rgb_bytes(rows, palette)
    check(giflib_rgb(gif) == expected_rgb, name + ": giflib decodes the same colours")
    if use_netpbm:
        check(netpbm_rgb(gif) == expected_rgb, name + ": netpbm decodes the same colours")


def writing_cases():
    rnd = random.Random(5)
    gray16 = [(17 * i, 255 - 17 * i, (40 * i) % 256) for i in range(16)]
    full = [(i, (i * 7) % 256, 255 - i) for i in range(256)]
    two = [(0, 0, 0), (250, 240, 230)]
    cases = [
        ("one_pixel_1bit", 1, 1, 1, two, lambda x, y: 1),
        ("stripes_1bit", 33, 17, 1, two, lambda x, y: (x // 3 + y) % 2),
        ("noise_1bit", 1000, 40, 1, two, lambda x, y: rnd.randrange(2)),
        ("few_colours_4bit", 15, 9, 4, gray16, lambda x, y: (x * y) % 3),
        ("noise_4bit", 513, 77, 4, gray16, lambda x, y: rnd.randrange(16)),
        ("gradient_8bit", 256, 20, 8, full, lambda x, y: (x + y) % 256),
        ("few_colours_8bit", 99, 31, 8, full, lambda x, y: 200 + (x // 7 + y // 5) % 3),
        ("wide_8bit", 4000, 3, 8, full, lambda x, y: rnd.randrange(256)),
        ("tall_8bit", 1, 300, 8, full, lambda x, y: y % 256),
        # About 60 code-table resets.
        ("noise_8bit", 600, 400, 8, full, lambda x, y: rnd.randrange(256)),
    ]
    for name, width, height, bits, palette, f in cases:
        rows = [[f(x, y) for x in range(width)] for y in range(height)]
        for interlaced in (False, True):
            label = name + ("_interlaced" if interlaced else "")
            check_written(label, width, height, bits, rows, palette, interlaced, use_netpbm=width * height < 5000)
    # A one-row image is the same interlaced or not.
    rows = [[x % 16 for x in range(50)]]
    check_written("one_row", 50, 1, 4, rows, gray16, False)
    check_written("one_row_interlaced", 50, 1, 4, rows, gray16, True)
    with open(path("one_row.gif"), "rb") as a, open(path("one_row_interlaced.gif"), "rb") as b:
        x, y = a.read(), b.read()
        descriptor = 13 + 48 + 9
        check(x[:descriptor] + x[descriptor + 1:] == y[:descriptor] + y[descriptor + 1:],
              "one_row: interlaced file differs only in the flag")


# --- reading: the others encode, Kestrel decodes ---

def check_read(name, gif, compare_indices=True):
    with open(gif, "rb") as f:
        blob = f.read()
    got = kestrel_read(gif)
    check(got is not None, name + ": kestrel-convert read the GIF")
    if got is None:
        return
    width, height, bits, palette, rows = got
    b = table_bits(blob)
    check(bits == (1 if b == 1 else 4 if b <= 4 else 8), name + ": bit count from the table size")
    screen = struct.unpack_from("<HH", blob, 6)
    check((width, height) == screen, name + ": screen size")
    if compare_indices:
        w, h, expected, pal = pillow_decode(gif)
        check(rows == expected, name + ": same indices as Pillow")
        used = sorted({v for row in rows for v in row})
        check(all(palette[v] == pal[v] for v in used), name + ": same colours as Pillow")
    check(giflib_rgb(gif) == rgb_bytes(rows, palette), name + ": same colours as giflib")


def save_pillow(name, im, **options):
    gif = path(name + ".gif")
    im.save(gif, **options)
    return gif


def splice(blob, transform):
    """Parses a single-image GIF into parts, lets transform edit them, rebuilds."""
    flags = blob[10]
    gtable = (3 << ((flags & 7) + 1)) if flags & 0x80 else 0
    pos = 13 + gtable
    while blob[pos] != 0x2C:
        if blob[pos] == 0x21:
            pos += 2
            while blob[pos]:
                pos += blob[pos] + 1
        pos += 1
    parts = {
        "screen": bytearray(blob[6:13]), "global": blob[13:13 + gtable], "extensions": b"",
        "descriptor": bytearray(blob[pos + 1:pos + 10]), "local": b"",
    }
    dflags = blob[pos + 9]
    pos += 10
    if dflags & 0x80:
        size = 3 << ((dflags & 7) + 1)
        parts["local"] = blob[pos:pos + size]
        pos += size
    parts["data"] = blob[pos:]
    transform(parts)
    return (b"GIF89a" + bytes(parts["screen"]) + parts["global"] + parts["extensions"] + b"\x2C" +
            bytes(parts["descriptor"]) + parts["local"] + parts["data"])


def write_file(name, blob):
    gif = path(name + ".gif")
    with open(gif, "wb") as f:
        f.write(blob)
    return gif


def lzw_without_clear(pixels, min_code_size):
    """A greedy GIF LZW stream that never clears: once the table is full it
    goes on with 12-bit codes for known strings (a deferred clear)."""
    clear = 1 << min_code_size
    table = {bytes([i]): i for i in range(clear)}
    size, next_code = min_code_size + 1, clear + 2
    codes = [(clear, size)]
    current = b""
    for p in pixels:
        candidate = current + bytes([p])
        if candidate in table:
            current = candidate
            continue
        codes.append((table[current], size))
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        current = bytes([p])
    codes.append((table[current], size))
    codes.append((clear + 1, size))
    bits = count = 0
    stream = bytearray()
    for code, width in codes:
        bits |= code << count
        count += width
        while count >= 8:
            stream.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        stream.append(bits)
    blocks = bytearray([min_code_size])
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks) + b"\0\x3B"


def reading_cases():
    rnd = random.Random(9)

    def indexed(width, height, colors, f):
        im = Image.new("P", (width, height))
        im.putpalette([c for i in range(colors) for c in ((i * 37) % 256, (i * 91) % 256, (255 - i * 13) % 256)])
        im.putdata([f(x, y) for y in range(height) for x in range(width)])
        return im

    noise = indexed(300, 200, 256, lambda x, y: rnd.randrange(256))
    check_read("pillow_noise_256", save_pillow("pillow_noise", noise, optimize=False))
    check_read("pillow_interlaced", save_pillow("pillow_interlaced", noise, optimize=False, interlace=True))
    for colors in (2, 3, 16, 17):
        im = indexed(61, 23, colors, lambda x, y: (x * 3 + y) % colors)
        check_read("pillow_%d_colours" % colors, save_pillow("pillow_%d" % colors, im, optimize=False))
    one_row = indexed(40, 1, 16, lambda x, y: x % 16)
    check_read("pillow_one_row_interlaced", save_pillow("pillow_row", one_row, optimize=False, interlace=True))

    # ImageMagick, from a PNG.
    rgb = Image.new("RGB", (120, 90))
    rgb.putdata([((x * 5) % 256, (y * 9) % 256, ((x ^ y) * 3) % 256) for y in range(90) for x in range(120)])
    png = path("source.png")
    rgb.save(png)
    for name, options in (("magick_plain", []), ("magick_interlaced", ["-interlace", "GIF"]),
                          ("magick_16_colours", ["-colors", "16"]), ("magick_2_colours", ["-colors", "2"]),
                          ("magick_comment", ["-comment", "a,b;c,;,"]),
                          ("magick_transparent", ["-transparent", "black"])):
        gif = path(name + ".gif")
        result = run(MAGICK, png, *options, gif)
        check(result.returncode == 0, name + ": ImageMagick wrote it")
        if result.returncode == 0:
            check_read(name, gif)

    # giflib's encoder, through gifbuild's text form.
    small = indexed(64, 40, 30, lambda x, y: (x // 4 + y // 3) % 30)
    dump = run("gifbuild", "-d", save_pillow("for_giflib", small, optimize=False)).stdout
    built = subprocess.run(["gifbuild"], input=dump, capture_output=True, timeout=60)
    check(built.returncode == 0, "giflib_built: gifbuild wrote it")
    check_read("giflib_built", write_file("giflib_built", built.stdout))

    # Structures Pillow does not write: restructure a Pillow file.
    with open(path("pillow_noise.gif"), "rb") as f:
        base = f.read()

    def to_local(p):
        p["local"] = p["global"]
        p["descriptor"][8] |= 0x80 | (p["screen"][4] & 7)
        p["global"] = b""
        p["screen"][4] &= 0x7F

    check_read("local_table_only", write_file("local", splice(base, to_local)))

    def sorted_flag(p):
        p["screen"][4] |= 0x08

    check_read("sorted_flag", write_file("sorted", splice(base, sorted_flag)))

    def extensions(p):
        comment = b"\x21\xFE\x0Ccomma, semi;\x00"
        control = b"\x21\xF9\x04\x00\x2C\x00\x3B\x00"  # delay 44, transparent index 59
        application = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x2C\x00\x00"
        p["extensions"] = comment + control + application

    check_read("extensions", write_file("extensions", splice(base, extensions)))

    def offset(p):
        struct.pack_into("<HHB", p["screen"], 0, 340, 230, p["screen"][4])
        p["screen"][5] = 77  # background index
        struct.pack_into("<HH", p["descriptor"], 0, 25, 11)

    # Outside the image the screen shows the background colour, as in giflib.
    check_read("offset_image", write_file("offset", splice(base, offset)), compare_indices=False)

    pixels = [rnd.randrange(256) if rnd.random() < 0.7 else 5 for _ in range(300 * 200)]
    screen = struct.pack("<HHBBB", 300, 200, 0xF7, 0, 0)
    palette = bytes(c for i in range(256) for c in (i, 255 - i, (i * 3) % 256))
    descriptor = b"\x2C" + struct.pack("<HHHHB", 0, 0, 300, 200, 0)
    deferred = b"GIF89a" + screen + palette + descriptor + lzw_without_clear(pixels, 8)
    check_read("deferred_clear", write_file("deferred", deferred))


if __name__ == "__main__":
    sys.exit(interop.main(writing_cases, reading_cases))
