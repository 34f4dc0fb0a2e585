// Snapshot button pictures against hand-drawn ones: '#' black, '.' face,
// 'h' highlight, 's' shadow. The bevels are drawn as a one-pixel pen draws
// a polyline (each segment without its end point).
#include "shell/SnapshotGlyphs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Picture(const ButtonImage& image)
{
    static const char kRoles[] = {'.', '#', 'h', 's'};
    std::vector<std::string> rows;
    for (int y = 0; y < image.height; ++y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) row += kRoles[image.At(x, y) & 3];
        rows.push_back(row);
    }
    return rows;
}

// The black pixels of a 7 x 7 area at (left, top).
std::vector<std::string> GlyphArea(const ButtonImage& image, int left, int top)
{
    std::vector<std::string> rows;
    for (int y = top; y < top + 7; ++y) {
        std::string row;
        for (int x = left; x < left + 7; ++x) row += image.At(x, y) == kPixelBlack ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
}

TEST(SnapshotGlyphs, ScreenButtonUpAndDownOnAnEighteenPixelCaption)
{
    const std::vector<std::string> up = {
        "hhhhhhhhhhhhh#",
        "h...........s#",
        "h...#####...s#",
        "h...#.......s#",
        "h...#.......s#",
        "h...#####...s#",
        "h.......#...s#",
        "h.......#...s#",
        "h...#####...s#",
        "h...........s#",
        "hssssssssssss#",
        "##############",
    };
    const std::vector<std::string> down = {
        "#############h",
        "#sssssssssss.h",
        "#s...........h",
        "#s...#####...h",
        "#s...#.......h",
        "#s...#.......h",
        "#s...#####...h",
        "#s.......#...h",
        "#s.......#...h",
        "#s...#####...h",
        "#............h",
        "hhhhhhhhhhhhhh",
    };
    EXPECT_EQ(Picture(BuildButtonImage(kSnapScreen, false, 14, 12)), up);
    EXPECT_EQ(Picture(BuildButtonImage(kSnapScreen, true, 14, 12)), down);
}

TEST(SnapshotGlyphs, FiveLettersCentredOnTheFace)
{
    const std::vector<std::string> letters[kSnapButtonCount] = {
        {".#####.", ".#.....", ".#.....", ".#####.", ".....#.", ".....#.", ".#####."},
        {"#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#", ".#####."},
        {".#####.", ".#...#.", ".#...#.", ".#####.", ".#.#...", ".#..#..", ".#...#."},
        {".#####.", ".#.....", ".#.....", ".####..", ".#.....", ".#.....", ".#....."},
        {".####..", ".#...#.", ".#...#.", ".####..", ".#...#.", ".#...#.", ".####.."},
    };
    // 15 x 13 buttons (caption 19): the glyph at (4, 3) up, (5, 4) down.
    for (int button = 0; button < kSnapButtonCount; ++button) {
        EXPECT_EQ(GlyphArea(BuildButtonImage(button, false, 15, 13), 4, 3), letters[button]) << button;
        EXPECT_EQ(GlyphArea(BuildButtonImage(button, true, 15, 13), 5, 4), letters[button]) << button;
    }
}

TEST(SnapshotGlyphs, StripHoldsTheUpImagesOfTheSwitchedOnButtons)
{
    const bool switches[kSnapButtonCount] = {true, false, true, false, true};
    SnapshotStrip strip = BuildSnapshotStrip(switches, 15, 13);
    ButtonImage image = BuildStripImage(strip);
    ASSERT_EQ(image.width, 45);
    ASSERT_EQ(image.height, 13);
    const int shown[] = {kSnapScreen, kSnapRegion, kSnapButton};
    for (int position = 0; position < 3; ++position) {
        ButtonImage up = BuildButtonImage(shown[position], false, 15, 13);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 15; ++x) ASSERT_EQ(image.At(position * 15 + x, y), up.At(x, y)) << position;
    }
    const bool none[kSnapButtonCount] = {};
    EXPECT_EQ(BuildStripImage(BuildSnapshotStrip(none, 15, 13)).pixels.size(), 0u);
}

TEST(SnapshotGlyphs, TinyButtonsCutTheGlyphAndEmptyOnesHaveNoPixels)
{
    for (int width = -1; width <= 9; ++width)
        for (int height = -1; height <= 9; ++height)
            for (int down = 0; down < 2; ++down) {
                ButtonImage image = BuildButtonImage(kSnapWindow, down != 0, width, height);
                size_t expected = width > 0 && height > 0 ? size_t(width * height) : 0;
                EXPECT_EQ(image.pixels.size(), expected);
            }
}

TEST(SnapshotGlyphs, Dib32PixelsHoldRedGreenBlueFromTheHighByteDown)
{
    ButtonImage image;
    image.width = 4;
    image.height = 1;
    image.pixels = {kPixelFace, kPixelBlack, kPixelHighlight, kPixelShadow};
    // COLORREF is 0x00BBGGRR.
    ButtonColors colors = {0x00332211, 0x00FFFFFF, 0x00808080};
    std::vector<uint32_t> pixels = ButtonImageToDib32(image, colors);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0x00112233, 0, 0x00FFFFFF, 0x00808080}));
}
