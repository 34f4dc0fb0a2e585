"""The Tool menu on a pasted picture: each command, sent as the menu's
command to the window of the pasted image, opens a new window titled after
it whose picture, copied back with Copy Image, equals the operation worked
out here from the source pixels. Count Colors reports the number of colours.
Before that, a Screen capture with Add Frame and Mat and Grayscale set on
the Capture page comes out as the framed grey screen."""

import struct
import sys

import e2e

TOOL = {"Frame": 32786, "Zoom In": 32787, "Zoom Out": 32788, "Scale": 32789, "Flip Horizontal": 32790,
        "Flip Vertical": 32791, "Rotate Left": 32792, "Rotate Right": 32793, "Black and White": 32797,
        "Grayscale": 32798, "Invert": 32799, "Count Colors": 32800, "Reduce Colors": 32802}
WIDTH, HEIGHT = 37, 23  # odd sizes: rows of every depth carry padding
FRAME_COLOR, MAT_COLOR = (255, 0, 0), (0, 0, 255)
STANDARD16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
              (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
              (255, 0, 255), (0, 255, 255), (255, 255, 255)]
WHITE_BY_DEFAULT = {7, 8, 10, 11, 14, 15}
SETTINGS = dict(e2e.QUIET_SETTINGS, CapturePage="1,0,1,1,0,2,0",
                Frame=f"1,0,{FRAME_COLOR[0]},{MAT_COLOR[2] << 16}")


def source_picture():
    """Few colours (so that Reduce Colors can make 8 bits of it), grays among them."""
    from PIL import Image
    colors = [((i * 67) % 256, (i * 151) % 256, (i * 29) % 256) for i in range(36)]
    colors += [(0, 0, 0), (255, 255, 255), (255, 255, 254), (90, 90, 90)]
    image = Image.new("RGB", (WIDTH, HEIGHT))
    image.putdata([colors[(3 * x + 5 * y) % 40] for y in range(HEIGHT) for x in range(WIDTH)])
    return image


def gray(r, g, b):
    return r if r == g == b else (30 * r + 54 * g + 11 * b) // 100


def grayscale(image):
    return _map_pixels(image, lambda p: (gray(*p),) * 3)


def _map_pixels(image, function):
    result = image.copy()
    result.putdata([function(p) for p in image.getdata()])
    return result


def framed(image, frame, mat, frame_color, mat_color):
    from PIL import Image
    border = frame + mat
    result = Image.new("RGB", (image.width + 2 * border, image.height + 2 * border), frame_color)
    result.paste(Image.new("RGB", (image.width + 2 * mat, image.height + 2 * mat), mat_color), (frame, frame))
    result.paste(image, (border, border))
    return result


def kept(count, keep):
    """Positions that survive dropping count - keep evenly spaced ones (the
    step held in single precision, as the program holds it)."""
    dropped = count - keep
    step = struct.unpack("f", struct.pack("f", count / dropped))[0] if dropped > 0 else 0.0
    positions, k = [], 1
    for r in range(count):
        if (dropped > 0 and k <= dropped and r == int(k * step)) or len(positions) == keep:
            k += 1
            continue
        positions.append(r)
    return positions


def scaled(image, width, height):
    """Enlarge by the ceiling factors, then drop rows (counted from the
    bottom) and columns evenly."""
    from PIL import Image
    kx, ky = -(-width // image.width), -(-height // image.height)
    columns = [c // kx for c in kept(image.width * kx, width)]
    stored_rows = [r // ky for r in kept(image.height * ky, height)]
    result = Image.new("RGB", (width, height))
    for i, stored in enumerate(stored_rows):
        y_out, y_in = height - 1 - i, image.height - 1 - stored
        for x, column in enumerate(columns):
            result.putpixel((x, y_out), image.getpixel((column, y_in)))
    return result


def black_and_white(image):
    def nearest(p):
        return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(STANDARD16[i], p)))
    return _map_pixels(image, lambda p: (255,) * 3 if nearest(p) in WHITE_BY_DEFAULT else (0,) * 3)


def expected_results(source):
    from PIL import Image, ImageChops
    return {
        "Zoom In": source.resize((WIDTH * 2, HEIGHT * 2), Image.NEAREST),
        "Zoom Out": scaled(source, WIDTH // 2, HEIGHT // 2),
        "Flip Horizontal": source.transpose(Image.FLIP_LEFT_RIGHT),
        "Flip Vertical": source.transpose(Image.FLIP_TOP_BOTTOM),
        "Rotate Left": source.transpose(Image.ROTATE_90),
        "Rotate Right": source.transpose(Image.ROTATE_270),
        "Grayscale": grayscale(source),
        "Invert": ImageChops.invert(source),
        "Reduce Colors": source,
        "Frame": framed(source, 3, 2, FRAME_COLOR, MAT_COLOR),
        "Scale": scaled(source, 50, 30),
        "Black and White": black_and_white(source),
    }


def main():
    from PIL import Image
    with e2e.Scenario("tool_commands", 1024, 768, SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")

        # Add Frame and Mat, then Grayscale, on a Screen capture.
        screen = Image.open(s.grab_screen_agreeing_with_x("screen.bmp")).convert("RGB")
        s.driver("send", s.frame, e2e.WM_USER + 1, 1, 0)
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        s.check_same_picture("capture", s.copy_active_image("capture"), grayscale(framed(screen, 1, 0, FRAME_COLOR, MAT_COLOR)))

        source = source_picture()
        pasted = s.paste_image(source, "source")
        s.check_same_picture("pasted", s.copy_active_image("pasted"), source)

        def answer_dialog(title, keys):
            dialog = s.driver("wait-window", "dialog:" + title, 20000).strip()
            s.wait_for(f"{title} in front", lambda: s.driver("foreground").startswith(dialog + "\t"), timeout=10)
            s.driver("keys", *keys)
            s.driver("wait-gone", "hwnd:" + dialog, 10000)

        dialogs = {"Frame": ["3", "tab", "2", "return"], "Scale": ["tab", "5", "0", "tab", "3", "0", "return"],
                   "Black and White": ["return"]}
        for name, expected in expected_results(source).items():
            s.driver("activate", pasted)
            windows = len(s.children())
            if name in dialogs:
                s.driver("post", s.frame, e2e.WM_COMMAND, TOOL[name], 0)
                answer_dialog(name, dialogs[name])
            else:
                s.driver("send", s.frame, e2e.WM_COMMAND, TOOL[name], 0)
            title = {"Scale": "Zoom In", "Reduce Colors": "Reduce Color"}.get(name, name)
            s.wait_for(f"the {title} window", lambda: len(s.children()) > windows)
            e2e.check(s.children().count(title) == (2 if name == "Scale" else 1), f"no new {title} window")
            s.check_same_picture(name, s.copy_active_image(name.replace(" ", "_")), expected)

        s.driver("activate", pasted)
        s.driver("post", s.frame, e2e.WM_COMMAND, TOOL["Count Colors"], 0)
        text = s.message_box_text()
        colors = len(set(source.getdata()))
        e2e.check(text == f"Total different colors in this image: {colors}", f"Count Colors said {text!r}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
