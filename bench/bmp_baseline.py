#!/usr/bin/env python3
"""Baseline for bmp_bench: Pillow writing and reading the same 1920 x 1080
24-bit and 8-bit BMP files (Pillow writes no RLE; its RLE8 reading is timed
on a file ImageMagick compressed), in megapixels per second."""
import os
import random
import subprocess
import tempfile
import time

from PIL import Image

W, H, ROUNDS = 1920, 1080, 10


def picture(mode):
    rnd = random.Random(1)
    data = bytearray()
    channels = 3 if mode == "RGB" else 1
    for y in range(H):
        row = bytearray(W * channels)
        for i in range(len(row)):
            row[i] = rnd.randrange(256) if (i // 64 + y // 32) % 5 == 0 else (i // 300 + y // 200) % 256
        data += row
    im = Image.frombytes(mode, (W, H), bytes(data))
    return im.convert("P") if mode == "L" else im


def mpx(seconds):
    return W * H * ROUNDS / 1e6 / seconds


def timed(fn):
    start = time.perf_counter()
    for _ in range(ROUNDS):
        fn()
    return mpx(time.perf_counter() - start)


def main():
    print("Pillow BMP, %dx%d, %d rounds" % (W, H, ROUNDS))
    with tempfile.TemporaryDirectory() as tmp:
        for label, mode in [("24-bit BMP", "RGB"), ("8-bit BMP", "L")]:
            im = picture(mode)
            path = os.path.join(tmp, "b.bmp")
            write = timed(lambda: im.save(path))
            read = timed(lambda: Image.open(path).load())
            print("%-22s write %8.1f Mpx/s   read %8.1f Mpx/s   (%d bytes)" % (label, write, read, os.path.getsize(path)))
        rle = os.path.join(tmp, "r.bmp")
        subprocess.run(["convert", path, "-compress", "RLE", "BMP3:" + rle], check=True)
        read = timed(lambda: Image.open(rle).load())
        magick = timed(lambda: subprocess.run(["convert", rle, "-depth", "8", "rgb:/dev/null"], check=True))
        print("%-22s read %8.1f Mpx/s (ImageMagick convert process: %.1f Mpx/s)   (%d bytes)"
              % ("8-bit RLE8", read, magick, os.path.getsize(rle)))


if __name__ == "__main__":
    main()
