// The snapshot buttons' pictures as plain pixel data: for each button an
// up and a down image of button width x button height, and the strip of
// the switched-on up images. Each pixel names its role (face, black,
// highlight, shadow); ButtonImageToDib32 turns the roles into colours for
// a top-down 32-bit bitmap that the Win32 side copies into a bitmap
// compatible with the display.
#pragma once

#include "SnapshotStrip.h"
#include "framework/kernel.h"

#include <cstdint>
#include <vector>

// The 7 x 7 glyphs, one byte per row from the top, the leftmost pixel in
// the top bit; set bits are drawn black.
extern const uint8_t kSnapshotGlyphRows[kSnapButtonCount][7];

enum ButtonPixel : uint8_t {
    kPixelFace,       // the button face colour
    kPixelBlack,      // outline and glyph
    kPixelHighlight,  // the system's button-highlight colour
    kPixelShadow      // the system's button-shadow colour
};

struct ButtonImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // ButtonPixel roles, rows top-down

    uint8_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The picture of one button. Up: face outlined in black, highlight along
// the left and top edges, shadow inside the right and bottom edges, glyph
// centred. Down: highlight along the bottom and right edges, shadow inside
// the top and left edges, glyph one pixel further right and down. A size
// of 0 or less gives an empty image; a glyph larger than the button is cut
// at its edges.
ButtonImage BuildButtonImage(int button, bool down, int width, int height);
// The up images of the strip's buttons side by side, strip.width x
// strip.buttonHeight; empty when there is no strip.
ButtonImage BuildStripImage(const SnapshotStrip& strip);

struct ButtonColors {
    COLORREF face;
    COLORREF highlight;
    COLORREF shadow;
};

// The image as 32-bit pixels 0x00RRGGBB (blue in the lowest byte, as a
// 32-bit BI_RGB bitmap stores them), rows top-down.
std::vector<uint32_t> ButtonImageToDib32(const ButtonImage& image, const ButtonColors& colors);
