"""JPEG interop: Kestrel's reader and writer against libjpeg-turbo and Pillow.

Reading: baseline files made by cjpeg and Pillow (grey, 4:4:4, 4:2:2, 4:2:0,
4:1:1, 4:4:0; sizes that are not whole MCUs; restart intervals; qualities 10-100)
go through kestrel-convert to BMP and are compared with djpeg -dct int
-nosmooth in every sample. Grey files stay within 1-2 levels. Colour files
differ more, because Kestrel's YCbCr tables centre chroma at 127.5 (a fixed
part of its decoder) where libjpeg uses 128, and the two inverse DCTs round
differently: every sample within 7, PSNR above 44 dB, printed per file
(the colour tables themselves are checked exactly by the unit tests).
A file with restart markers decodes to the same pixels as without them.
Progressive files are refused with the format's message.

Writing: Kestrel's files must decode with djpeg and Pillow without warnings,
carry the same DQT and DHT segments as cjpeg -quality 45 -baseline, and come
within 0.5 dB PSNR and 5% size of cjpeg -quality 45 -sample 2x2 -dct int
-baseline on the same picture.

Env: KESTREL_CONVERT (kestrel-convert IN OUT [FORMAT-INDEX]).
"""
import math
import os
import shutil
import sys
import warnings

import numpy as np
from PIL import Image

import interop
from interop import CONVERT, check, path
def photo(width, height, seed):
    """A photo-like picture: smooth shapes, edges, a little noise."""
    rs = np.random.RandomState(seed)
    y, x = np.mgrid[0:height, 0:width].astype(float)
    r = 128 + 100 * np.sin(x / 23.0) * np.cos(y / 31.0)
    g = 128 + 90 * np.sin((x + y) / 17.0)
    b = x * 127 / width + y * 127 / height
    img = np.stack([r, g, b], -1) + rs.randn(height, width, 3) * 6
    img[height // 5:height // 2, width // 5:width // 2] = [200, 30, 40]
    img[height // 2:, width * 2 // 3:] = [250, 250, 245]
    return np.clip(img, 0, 255).astype(np.uint8)


def psnr(a, b):
    mse = np.mean((a.astype(float) - b.astype(float)) ** 2)
    return 99.0 if mse == 0 else 10 * math.log10(255.0 ** 2 / mse)


def kestrel_read(jpg):
    """kestrel-convert to BMP; the pixels as an array, or None."""
    out = path("out.bmp")
    if os.path.exists(out):
        os.remove(out)
    r = interop.run(CONVERT, jpg, out, "1")
    if r.returncode != 0:
        return None, r.stderr.decode(errors="replace").strip()
    return np.asarray(Image.open(out)), ""


def djpeg(jpg):
    r = interop.run("djpeg", "-dct", "int", "-nosmooth", "-pnm", jpg)
    return np.asarray(Image.open(__import__("io").BytesIO(r.stdout)))


def check_read(jpg, label, grey):
    ours, message = kestrel_read(jpg)
    check(ours is not None, "%s: read (%s)" % (label, message))
    if ours is None:
        return
    ref = djpeg(jpg)
    if ours.ndim == 3 and ref.ndim == 2:
        check(False, "%s: colour result for a grey file" % label)
        return
    check(ours.shape == ref.shape, "%s: shape %s vs %s" % (label, ours.shape, ref.shape))
    if ours.shape != ref.shape:
        return
    worst = int(np.abs(ours.astype(int) - ref.astype(int)).max())
    quality = psnr(ours, ref)
    print("  read %-28s max diff %d  PSNR %.1f dB" % (label, worst, quality))
    if grey:
        check(worst <= 2, "%s: grey max diff %d" % (label, worst))
    else:
        check(worst <= 7, "%s: max diff %d" % (label, worst))
        check(quality > 44.0, "%s: PSNR %.2f" % (label, quality))


def segments(data, codes):
    """The marker segments (marker + payload bytes) with the given codes, in order."""
    found, i = [], 2
    while i + 4 <= len(data) and data[i] == 0xFF:
        code, length = data[i + 1], data[i + 2] << 8 | data[i + 3]
        if code in codes:
            found.append(bytes(data[i:i + 2 + length]))
        if code == 0xDA:
            break
        i += 2 + length
    return found


def cases():

    # --- Reading ---------------------------------------------------------
    picture = photo(203, 141, 1)
    Image.fromarray(picture).save(path("src.ppm"))
    Image.fromarray(picture).convert("L").save(path("src.pgm"))
    for quality in (10, 45, 75, 100):
        for sample in ("1x1", "2x1", "2x2", "4x1", "1x2"):
            jpg = path("c_%s_%d.jpg" % (sample, quality))
            interop.run("cjpeg", "-quality", str(quality), "-baseline", "-sample", sample, "-outfile", jpg, path("src.ppm"))
            check_read(jpg, "cjpeg %s q%d" % (sample, quality), False)
        jpg = path("g_%d.jpg" % quality)
        interop.run("cjpeg", "-quality", str(quality), "-baseline", "-grayscale", "-outfile", jpg, path("src.ppm"))
        check_read(jpg, "cjpeg grey q%d" % quality, True)
    for subsampling, name in ((0, "4:4:4"), (1, "4:2:2"), (2, "4:2:0")):
        for quality in (30, 90):
            jpg = path("pil_%d_%d.jpg" % (subsampling, quality))
            Image.fromarray(picture).save(jpg, quality=quality, subsampling=subsampling)
            check_read(jpg, "Pillow %s q%d" % (name, quality), False)
    # A single-component frame with 2x2 sampling factors: its scan is still one block per MCU.
    interop.run("cjpeg", "-quality", "80", "-grayscale", "-sample", "2x2", "-outfile", path("g22.jpg"), path("src.ppm"))
    check_read(path("g22.jpg"), "cjpeg grey 2x2 factors", True)
    Image.fromarray(picture).convert("L").save(path("pil_grey.jpg"), quality=80)
    check_read(path("pil_grey.jpg"), "Pillow grey q80", True)

    # Components stored as R, G and B (an Adobe marker with transform 0).
    interop.run("cjpeg", "-rgb", "-quality", "90", "-outfile", path("rgb.jpg"), path("src.ppm"))
    check(b"Adobe" in open(path("rgb.jpg"), "rb").read(), "cjpeg -rgb wrote an Adobe marker")
    check_read(path("rgb.jpg"), "cjpeg RGB components", False)
    # The longer extensions read as JPG.
    reference, _ = kestrel_read(path("c_2x2_75.jpg"))
    for extension in ("jpeg", "jpe", "JPEG"):
        shutil.copy(path("c_2x2_75.jpg"), path("copy." + extension))
        copy, message = kestrel_read(path("copy." + extension))
        check(copy is not None and np.array_equal(copy, reference), ".%s reads as JPG: %s" % (extension, message))

    # Restart intervals: the same pixels as the file without them.
    plain, restarts = path("plain.jpg"), path("restart.jpg")
    interop.run("cjpeg", "-quality", "80", "-sample", "2x2", "-outfile", plain, path("src.ppm"))
    for interval in ("1", "3B", "1B"):
        interop.run("cjpeg", "-quality", "80", "-sample", "2x2", "-restart", interval, "-outfile", restarts, path("src.ppm"))
        a, _ = kestrel_read(plain)
        b, _ = kestrel_read(restarts)
        check(a is not None and b is not None and np.array_equal(a, b), "restart %s: same pixels" % interval)

    # Refusals with the format's message.
    interop.run("cjpeg", "-progressive", "-outfile", path("prog.jpg"), path("src.ppm"))
    result, message = kestrel_read(path("prog.jpg"))
    check(result is None and message == "Unsupported JPG file format.", "progressive refused: %r" % message)

    # --- Writing ---------------------------------------------------------
    big = photo(640, 480, 2)
    Image.fromarray(big).save(path("big.bmp"))
    Image.fromarray(big).save(path("big.ppm"))
    ours, theirs = path("ours.jpg"), path("theirs.jpg")
    r = interop.run(CONVERT, path("big.bmp"), ours, "7")
    check(r.returncode == 0, "write 24-bit: %s" % r.stderr)
    interop.run("cjpeg", "-quality", "45", "-sample", "2x2", "-dct", "int", "-baseline", "-outfile", theirs, path("big.ppm"))
    ours_data, theirs_data = open(ours, "rb").read(), open(theirs, "rb").read()
    check(segments(ours_data, (0xDB, 0xC4)) == segments(theirs_data, (0xDB, 0xC4)), "DQT and DHT equal cjpeg's")
    check(segments(ours_data, (0xE0,)) == [bytes([0xFF, 0xE0, 0, 16]) + b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0"],
          "APP0 layout")
    d = interop.run("djpeg", "-pnm", ours)
    check(d.returncode == 0 and d.stderr == b"", "djpeg reads ours cleanly: %r" % d.stderr)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        ours_pil = np.asarray(Image.open(ours).convert("RGB"))
    theirs_pil = np.asarray(Image.open(theirs).convert("RGB"))
    ours_psnr, theirs_psnr = psnr(ours_pil, big), psnr(theirs_pil, big)
    ratio = len(ours_data) / len(theirs_data)
    print("  write 640x480: ours %.2f dB %d bytes, cjpeg %.2f dB %d bytes" %
          (ours_psnr, len(ours_data), theirs_psnr, len(theirs_data)))
    check(abs(ours_psnr - theirs_psnr) <= 0.5, "PSNR within 0.5 dB of cjpeg")
    check(abs(ratio - 1) <= 0.05, "size within 5%% of cjpeg (%.3f)" % ratio)
    scan = ours_data[ours_data.index(b"\xff\xda"):]
    scan = scan[2 + (scan[2] << 8 | scan[3]):-2]
    check(all(scan[i + 1] == 0 for i in range(len(scan) - 1) if scan[i] == 0xFF), "every 0xFF stuffed")

    # Grey palette: one component; odd sizes and a single pixel.
    Image.fromarray(big).convert("L").save(path("grey.bmp"))
    r = interop.run(CONVERT, path("grey.bmp"), path("grey.jpg"), "7")
    grey_data = open(path("grey.jpg"), "rb").read()
    sof = segments(grey_data, (0xC0,))
    check(r.returncode == 0 and sof and sof[0][9] == 1, "grey palette: one component")
    g = np.asarray(Image.open(path("grey.jpg")))
    check(g.ndim == 2 and psnr(g, np.asarray(Image.open(path("grey.bmp")))) > 28, "grey decodes with Pillow")
    for width, height in ((1, 1), (17, 9), (33, 31)):
        Image.fromarray(photo(width, height, 3)).save(path("odd.bmp"))
        r = interop.run(CONVERT, path("odd.bmp"), path("odd.jpg"), "7")
        d = interop.run("djpeg", "-pnm", path("odd.jpg"))
        check(r.returncode == 0 and d.returncode == 0 and d.stderr == b"", "%dx%d writes and decodes" % (width, height))
        with warnings.catch_warnings():
            warnings.simplefilter("error")
            check(Image.open(path("odd.jpg")).convert("RGB").size == (width, height), "%dx%d size" % (width, height))
        back, _ = kestrel_read(path("odd.jpg"))
        check(back is not None and back.shape == (height, width, 3), "%dx%d reads back" % (width, height))



if __name__ == "__main__":
    if not shutil.which("cjpeg"):
        print("libjpeg-turbo-progs missing")
        sys.exit(1)
    sys.exit(interop.main(cases))
