"""Shared pieces of the codec interop scripts: the converter under test, a
scratch folder, the tally of checks, and BMP files built and parsed here, so
that no third codec stands between Kestrel and the independent tools.

KESTREL_CONVERT names kestrel-convert; a path ending in ".exe" is the Win32
build and runs under Wine.
"""
import os
import shutil
import struct
import subprocess
import tempfile

CONVERT = os.environ.get("KESTREL_CONVERT")
MAGICK = "/usr/bin/convert"

_scratch = tempfile.mkdtemp(prefix="kestrel_interop_")
checked = 0
failures = []


def path(name):
    return os.path.join(_scratch, name)


def check(condition, what):
    global checked
    checked += 1
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(*args, stdin=None, timeout=120):
    if args[0] == CONVERT and CONVERT.endswith(".exe"):
        args = ("wine",) + args
    return subprocess.run(args, capture_output=True, timeout=timeout, input=stdin)


def main(*cases):
    """Runs the case functions and returns the exit status."""
    if not CONVERT or not os.path.exists(CONVERT):
        print("KESTREL_CONVERT is not set to kestrel-convert")
        return 1
    try:
        for case in cases:
            case()
    finally:
        shutil.rmtree(_scratch, ignore_errors=True)
    print("%d checks, %d failed" % (checked, len(failures)))
    return 1 if failures else 0


def make_bmp(width, height, bits, rows, palette):
    """A plain BMP; rows top first, of indexes or (r, g, b) for 24 bits."""
    stride = (width * bits + 31) // 32 * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x, v in enumerate(rows[y]):
            if bits == 24:
                row[3 * x:3 * x + 3] = bytes((v[2], v[1], v[0]))
            elif bits == 8:
                row[x] = v
            elif bits == 4:
                row[x >> 1] |= v << 4 if x % 2 == 0 else v
            else:
                row[x >> 3] |= v << (7 - x % 8)
        data += row
    table = b""
    if bits < 24:
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        table += bytes(4 * (1 << bits) - len(table))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, 0, 0)
    offset = 14 + len(info) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + info + table + bytes(data)


def parse_bmp(blob):
    """(width, height, bits, palette, rows of indexes or RGB triples, top first)."""
    offset = struct.unpack_from("<I", blob, 10)[0]
    size, width, height, _, bits = struct.unpack_from("<IiiHH", blob, 14)
    colors = (offset - 14 - size) // 4
    palette = [(blob[14 + size + 4 * i + 2], blob[14 + size + 4 * i + 1], blob[14 + size + 4 * i])
               for i in range(colors)]
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        row = blob[offset + (height - 1 - y) * stride:][:stride]
        if bits == 24:
            rows.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(width)])
        elif bits == 8:
            rows.append(list(row[:width]))
        elif bits == 4:
            rows.append([(row[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(width)])
        else:
            rows.append([(row[x >> 3] >> (7 - x % 8)) & 1 for x in range(width)])
    return width, height, bits, palette, rows
