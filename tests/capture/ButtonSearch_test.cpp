// Button edge search on a hand-drawn screen: a push button in the standard
// three-dimensional look is found with its frame line; a flat area gives
// the box from the click; no probe ever leaves the screen.
#include "capture/ButtonSearch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kFace = RGB(192, 192, 192), kShadow = RGB(128, 128, 128), kFrame = RGB(0, 0, 0),
               kHighlight = RGB(255, 255, 255);
const ButtonColors kColors = {kShadow, kFrame, kHighlight};

struct Screen {
    int width, height;
    std::vector<COLORREF> pixels;
    mutable int outside = 0;
    Screen(int w, int h) : width(w), height(h), pixels(size_t(w * h), kFace) {}
    void Set(LONG x, LONG y, COLORREF c)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[size_t(y * width + x)] = c;
    }
    // Highlight on the top and left, the frame line on the right and at the
    // bottom, the shadow just inside them.
    void DrawButton(const RECT& rc)
    {
        for (LONG x = rc.left; x < rc.right - 1; ++x) Set(x, rc.top, kHighlight);
        for (LONG y = rc.top; y < rc.bottom - 1; ++y) Set(rc.left, y, kHighlight);
        for (LONG y = rc.top; y < rc.bottom; ++y) Set(rc.right - 1, y, kFrame);
        for (LONG x = rc.left; x < rc.right; ++x) Set(x, rc.bottom - 1, kFrame);
        for (LONG y = rc.top + 1; y < rc.bottom - 1; ++y) Set(rc.right - 2, y, kShadow);
        for (LONG x = rc.left + 1; x < rc.right - 1; ++x) Set(x, rc.bottom - 2, kShadow);
    }
    PixelReader Reader() const
    {
        return [this](LONG x, LONG y) {
            if (x < 0 || y < 0 || x >= width || y >= height) {
                ++outside;
                return COLORREF(0);
            }
            return pixels[size_t(y * width + x)];
        };
    }
};

void ExpectRect(const RECT& rc, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(rc.left, left);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(rc.right, right);
    EXPECT_EQ(rc.bottom, bottom);
}

}  // namespace

TEST(ButtonSearch, FindsPushButtonWithItsFrameLine)
{
    Screen screen(300, 200);
    screen.DrawButton(RECT{50, 40, 130, 70});
    ExpectRect(FindButtonRect(POINT{80, 55}, 300, 200, kColors, screen.Reader()), 50, 40, 130, 70);
    ExpectRect(FindButtonRect(POINT{55, 45}, 300, 200, kColors, screen.Reader()), 50, 40, 130, 70);
    EXPECT_EQ(screen.outside, 0);
}

TEST(ButtonSearch, FlatAreaGivesTheBoxFromTheClick)
{
    Screen screen(300, 200);
    ExpectRect(FindButtonRect(POINT{150, 60}, 300, 200, kColors, screen.Reader()), 150, 60, 250, 160);
    // Clipped to the screen near its lower right corner.
    ExpectRect(FindButtonRect(POINT{260, 190}, 300, 200, kColors, screen.Reader()), 260, 190, 300, 200);
    EXPECT_EQ(screen.outside, 0);
}

TEST(ButtonSearch, ProbesStayInsideTheScreenAtItsEdges)
{
    Screen screen(120, 80);
    // A button cut by the screen's right and bottom edges, and one in the corner.
    screen.DrawButton(RECT{90, 50, 125, 84});
    for (LONG x : {0L, 1L, 60L, 118L, 119L})
        for (LONG y : {0L, 1L, 40L, 78L, 79L}) {
            RECT rc = FindButtonRect(POINT{x, y}, 120, 80, kColors, screen.Reader());
            EXPECT_LE(rc.left, x);
            EXPECT_LE(rc.top, y);
            EXPECT_GT(rc.right, x);
            EXPECT_GT(rc.bottom, y);
            EXPECT_LE(rc.right, 120);
            EXPECT_LE(rc.bottom, 80);
        }
    EXPECT_EQ(screen.outside, 0);
}
