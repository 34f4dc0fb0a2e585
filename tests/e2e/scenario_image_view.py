"""The image view with keyboard and mouse: the cropping lines of a selected
image, moved with the arrow keys, Shift and I, give the rectangle Crop cuts
out; the cropped image dragged with the real mouse onto the first window
makes it "Merging - 2", and Merge Images composes both on the merge
background."""

import sys

import e2e

ID_MERGE = 32794
ID_SELECT_IMAGE = 32803
ID_CROP = 32806
IMAGE_PANE = 0xE900
MARGIN = 5
MERGE_BACK = (0, 255, 0)
SETTINGS = dict(e2e.QUIET_SETTINGS, Session=f"1,1,1,1,0,{MERGE_BACK[1] << 8}")


def source_picture():
    from PIL import Image
    image = Image.new("RGB", (61, 43))
    image.putdata([((x * 7) % 256, (y * 11) % 256, (x * y) % 256) for y in range(43) for x in range(61)])
    return image


def main():
    from PIL import Image
    with e2e.Scenario("image_view", 1024, 768, SETTINGS) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        source = source_picture()
        first = s.paste_image(source, "source")

        # Cropping lines: left 3 right, top 2 down, right 4 left, bottom 5 up,
        # then all one inwards.
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_SELECT_IMAGE, 0)
        s.wait_for("Kestrel in the foreground", lambda: s.frame[5:] in s.driver("foreground"), timeout=10)
        s.driver("keys", *(["right"] * 3 + ["down"] * 2 + ["shift+left"] * 4 + ["shift+up"] * 5 + ["i"]))
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_CROP, 0)
        crop = "hwnd:" + s.driver("wait-child", s.frame, "Crop", 20000).strip()
        cropped = source.crop((4, 3, source.width - 5, source.height - 6))
        s.check_same_picture("crop", s.copy_active_image("crop"), cropped)

        # Drag the cropped image out of its window onto the first one.
        s.driver("move", crop, 500, 250)
        from_left, from_top = map(int, s.driver("child-rect", crop, IMAGE_PANE).split()[:2])
        to_left, to_top = map(int, s.driver("child-rect", first, IMAGE_PANE).split()[:2])
        start = (from_left + MARGIN + 10, from_top + MARGIN + 10)
        end = (to_left + MARGIN + 20, to_top + MARGIN + 20)
        s.driver("mouse", *start, "down")
        for step in range(1, 6):
            s.driver("mouse", start[0] + (end[0] - start[0]) * step // 5, start[1] + (end[1] - start[1]) * step // 5,
                     "move")
        s.driver("mouse", *end, "up")
        s.wait_for("the merge window", lambda: "Merging - 2" in s.children())
        e2e.check(s.children().count("Crop") == 1, "the dragged image left its window")

        s.driver("activate", first)
        s.driver("send", s.frame, e2e.WM_COMMAND, ID_MERGE, 0)
        s.driver("wait-child", s.frame, "Merged Image", 20000)
        merged = Image.new("RGB", (max(source.width, 50 + cropped.width), max(source.height, 50 + cropped.height)),
                           MERGE_BACK)
        merged.paste(source, (0, 0))
        merged.paste(cropped, (50, 50))
        s.check_same_picture("merged", s.copy_active_image("merged"), merged)
    return 0


if __name__ == "__main__":
    sys.exit(main())
