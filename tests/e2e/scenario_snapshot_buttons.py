"""The snapshot buttons: with all five on, a strip of five buttons S, W, R,
F, B appears at the right end of the foreground window's caption (Notepad),
each a button with its 7 x 7 letter centred. A click on the S button
captures the screen into a "Screen Capture" window, and with Hide in
Capture on the picture shows Notepad's caption without the strip."""

import os
import sys
import time

import e2e

# The letters, one byte per row from the top, the leftmost pixel in the top bit.
GLYPHS = {
    "S": [0x7C, 0x40, 0x40, 0x7C, 0x04, 0x04, 0x7C],
    "W": [0x92, 0x92, 0x92, 0x92, 0x92, 0x92, 0x7C],
    "R": [0x7C, 0x44, 0x44, 0x7C, 0x50, 0x48, 0x44],
    "F": [0x7C, 0x40, 0x40, 0x78, 0x40, 0x40, 0x40],
    "B": [0x78, 0x44, 0x44, 0x78, 0x44, 0x44, 0x78],
}
BLACK = (0, 0, 0)
SC_MAXIMIZE = 0xF030


def glyph_at(image, left, top, letter):
    """True when the 7 x 7 cell at (left, top) is black exactly where the
    letter's bits are set."""
    for row, bits in enumerate(GLYPHS[letter]):
        for column in range(7):
            black = image.getpixel((left + column, top + row)) == BLACK
            if black != bool(bits & (0x80 >> column)):
                return False
    return True


def find_strip(image, depth=30):
    """(left of the S glyph, its top, button width) where the S and W
    glyphs stand side by side in the caption band, or None."""
    for top in range(0, depth - 7):
        for left in range(0, image.width - 7):
            if not glyph_at(image, left, top, "S"):
                continue
            for button in range(8, 40):
                if left + button + 7 <= image.width and glyph_at(image, left + button, top, "W"):
                    return left, top, button
    return None


def main():
    settings = dict(e2e.QUIET_SETTINGS, SnapshotButton="1,1,1,1,1,1", SendtoPage="0,1,1,0,0,0,0,5,5")
    with e2e.Scenario("snapshot_buttons", 1024, 768, settings) as s:
        s.start_kestrel()
        s.wait_main_window()
        s.wait_for("the main window to be shown", lambda: s.state()[0] == "visible")
        notepad = s.start_notepad()
        # Maximized, so that the press on its caption starts no move: Wine
        # shifts a window about while a move runs.
        s.driver("send", notepad, e2e.WM_SYSCOMMAND, SC_MAXIMIZE, 0)
        s.wait_for("Notepad maximized", lambda: s.state(notepad)[1] == "zoomed", timeout=10)
        left, top, right, bottom = map(int, s.driver("rect", notepad).split())
        # Screen coordinates from here on: the maximized window reaches
        # past the screen's edges.

        def strip():
            image = s.grab_image("screen-strip.bmp")
            found = find_strip(image)
            return (image, found) if found else None
        image, (glyph_left, glyph_top, button) = s.wait_for("the strip on Notepad's caption", strip, timeout=10)
        e2e.check(glyph_left > (left + right) // 2, "the strip is not at the right end of the caption")
        for position, letter in enumerate("SWRFB"):
            e2e.check(glyph_at(image, glyph_left + position * button, glyph_top, letter),
                      f"button {position} does not show {letter}")
        # Buttons 2 pixels lower than wide with the glyph centred; the up images'
        # bottom edge is the black outline (the bevel covers the top and left).
        height = button - 2
        strip_left = glyph_left - (button - 7) // 2
        strip_top = glyph_top - (height - 7) // 2
        outline = [image.getpixel((x, strip_top + height - 1)) for x in range(strip_left, strip_left + 5 * button)]
        e2e.check(all(p == BLACK for p in outline), "the strip's bottom edge is not outlined in black")

        # A click on S captures the screen. The pointer gets there first, as
        # a user's does: Kestrel reads its position when the press arrives,
        # and under Wine a synthesized move may reach the X server late.
        x, y = glyph_left + 3, glyph_top + 3
        s.driver("mouse", x, y, "move")
        s.wait_for("the pointer on the S button", lambda: s.driver("cursor").split() == [str(x), str(y)], timeout=5)
        time.sleep(0.5)
        s.driver("mouse", x, y, "down")
        s.driver("mouse", x, y, "up")
        s.driver("wait-child", s.frame, "Screen Capture", 30000)
        e2e.check(s.children() == ["Screen Capture"], f"image windows are {s.children()}")

        # Hide in Capture: the picture shows the caption without the strip.
        captured = os.path.join(s.out, "captured.bmp")
        s.driver("clipboard", captured)
        from PIL import Image
        picture = Image.open(captured).convert("RGB")
        for dx in (0, 1):
            e2e.check(not glyph_at(picture, glyph_left + dx, glyph_top + dx, "S"),
                      "the captured picture shows the strip on Notepad's caption (Hide in Capture is on)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
