// Button pictures. The bevel lines are placed as a one-pixel pen draws
// them from point to point: each segment includes its start and leaves out
// its end, so the corners fall to whichever segment starts there.
#include "SnapshotGlyphs.h"

const uint8_t kSnapshotGlyphRows[kSnapButtonCount][7] = {
    {0x7C, 0x40, 0x40, 0x7C, 0x04, 0x04, 0x7C},  // S
    {0x92, 0x92, 0x92, 0x92, 0x92, 0x92, 0x7C},  // W
    {0x7C, 0x44, 0x44, 0x7C, 0x50, 0x48, 0x44},  // R
    {0x7C, 0x40, 0x40, 0x78, 0x40, 0x40, 0x40},  // F
    {0x78, 0x44, 0x44, 0x78, 0x44, 0x44, 0x78},  // B
};

namespace {
class Canvas {
public:
    explicit Canvas(ButtonImage& image) : m_image(image) {}

    void Set(int x, int y, ButtonPixel role)
    {
        if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height) return;
        m_image.pixels[size_t(y) * size_t(m_image.width) + size_t(x)] = role;
    }

    // A horizontal or vertical segment from (x0, y0) towards (x1, y1),
    // without the end point.
    void Segment(int x0, int y0, int x1, int y1, ButtonPixel role)
    {
        int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
        int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
        for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) Set(x, y, role);
    }

    void Glyph(const uint8_t rows[7], int left, int top)
    {
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 7; ++column)
                if (rows[row] & (0x80 >> column)) Set(left + column, top + row, kPixelBlack);
    }

private:
    ButtonImage& m_image;
};
}

ButtonImage BuildButtonImage(int button, bool down, int width, int height)
{
    ButtonImage image;
    if (width <= 0 || height <= 0 || button < 0 || button >= kSnapButtonCount) return image;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * size_t(height), kPixelFace);
    Canvas canvas(image);
    int right = width - 1, bottom = height - 1;
    for (int x = 0; x < width; ++x) {
        canvas.Set(x, 0, kPixelBlack);
        canvas.Set(x, bottom, kPixelBlack);
    }
    for (int y = 0; y < height; ++y) {
        canvas.Set(0, y, kPixelBlack);
        canvas.Set(right, y, kPixelBlack);
    }
    int left = (width - 7) / 2, top = (height - 7) / 2;
    if (!down) {
        canvas.Segment(0, height - 2, 0, 0, kPixelHighlight);
        canvas.Segment(0, 0, right, 0, kPixelHighlight);
        canvas.Segment(width - 2, 1, width - 2, height - 2, kPixelShadow);
        canvas.Segment(width - 2, height - 2, 0, height - 2, kPixelShadow);
    } else {
        canvas.Segment(0, bottom, right, bottom, kPixelHighlight);
        canvas.Segment(right, bottom, right, -1, kPixelHighlight);
        canvas.Segment(width - 3, 1, 1, 1, kPixelShadow);
        canvas.Segment(1, 1, 1, height - 2, kPixelShadow);
        ++left;
        ++top;
    }
    canvas.Glyph(kSnapshotGlyphRows[button], left, top);
    return image;
}

ButtonImage BuildStripImage(const SnapshotStrip& strip)
{
    ButtonImage image;
    if (strip.width <= 0 || strip.buttonHeight <= 0) return image;
    image.width = strip.width;
    image.height = strip.buttonHeight;
    image.pixels.assign(size_t(image.width) * size_t(image.height), kPixelFace);
    for (int position = 0; position < strip.count; ++position) {
        ButtonImage up = BuildButtonImage(strip.buttons[position], false, strip.buttonWidth, strip.buttonHeight);
        for (int y = 0; y < up.height; ++y)
            for (int x = 0; x < up.width; ++x)
                image.pixels[size_t(y) * size_t(image.width) + size_t(position * strip.buttonWidth + x)] = up.At(x, y);
    }
    return image;
}

std::vector<uint32_t> ButtonImageToDib32(const ButtonImage& image, const ButtonColors& colors)
{
    auto dib = [](COLORREF c) {
        uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
        return (red << 16) | (green << 8) | blue;
    };
    const uint32_t palette[4] = {dib(colors.face), 0, dib(colors.highlight), dib(colors.shadow)};
    std::vector<uint32_t> pixels(image.pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = palette[image.pixels[i] & 3];
    return pixels;
}
