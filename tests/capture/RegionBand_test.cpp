// Rubber band of the Region selection: after every pointer move exactly the
// band's rectangle is inverted, whether the pointer stays in its quadrant
// (strip updates) or crosses the anchor (whole-rectangle updates).
#include "capture/RegionBand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

const int kSize = 24;

struct Grid {
    std::vector<bool> inverted = std::vector<bool>(kSize * kSize, false);
    void Invert(const RECT& rc)
    {
        for (LONG y = rc.top; y < rc.bottom; ++y)
            for (LONG x = rc.left; x < rc.right; ++x) inverted[size_t(y * kSize + x)] = !inverted[size_t(y * kSize + x)];
    }
    bool InvertedExactly(const RECT& rc) const
    {
        for (LONG y = 0; y < kSize; ++y)
            for (LONG x = 0; x < kSize; ++x) {
                bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
                if (inverted[size_t(y * kSize + x)] != inside) return false;
            }
        return true;
    }
};

// One pointer move as the selection loop makes it.
void Move(RegionBand* band, Grid* grid, POINT pt)
{
    BandInversions inversions = BandInversionsTo(*band, pt);
    for (int i = 0; i < inversions.count; ++i) grid->Invert(inversions.rects[i]);
    MoveRegionBand(band, pt);
}

}  // namespace

TEST(RegionBand, EveryMoveLeavesExactlyTheBandInverted)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<LONG> coordinate(0, kSize - 1), step(-3, 3);
    for (int run = 0; run < 200; ++run) {
        RegionBand band = StartRegionBand(POINT{coordinate(random), coordinate(random)});
        Grid grid;
        POINT pt = band.anchor;
        for (int move = 0; move < 40; ++move) {
            pt.x = std::min<LONG>(kSize - 1, std::max<LONG>(0, pt.x + step(random)));
            pt.y = std::min<LONG>(kSize - 1, std::max<LONG>(0, pt.y + step(random)));
            Move(&band, &grid, pt);
            ASSERT_TRUE(grid.InvertedExactly(band.rect)) << "run " << run << " move " << move;
        }
        // The release inverts the band once more: the picture is clean.
        grid.Invert(band.rect);
        ASSERT_TRUE(grid.InvertedExactly(RECT{0, 0, 0, 0}));
    }
}

TEST(RegionBand, RectangleIsNormalisedAndCornerFollowsThePointer)
{
    RegionBand band = StartRegionBand(POINT{10, 10});
    EXPECT_TRUE(BandRectEmpty(band.rect));
    MoveRegionBand(&band, POINT{15, 12});
    EXPECT_EQ(band.corner, kAnchorTopLeft);
    MoveRegionBand(&band, POINT{4, 3});
    EXPECT_EQ(band.rect.left, 4);
    EXPECT_EQ(band.rect.top, 3);
    EXPECT_EQ(band.rect.right, 10);
    EXPECT_EQ(band.rect.bottom, 10);
    EXPECT_EQ(band.corner, kAnchorBottomRight);
    MoveRegionBand(&band, POINT{4, 15});
    EXPECT_EQ(band.corner, kAnchorTopRight);
    MoveRegionBand(&band, POINT{15, 3});
    EXPECT_EQ(band.corner, kAnchorBottomLeft);
    // On the anchor's column the pointer counts as left of it, on its row as above.
    MoveRegionBand(&band, POINT{10, 15});
    EXPECT_EQ(band.corner, kAnchorTopRight);
    MoveRegionBand(&band, POINT{15, 10});
    EXPECT_EQ(band.corner, kAnchorBottomLeft);
}

TEST(RegionBand, StripsWhileThePointerStaysInItsQuadrant)
{
    RegionBand band = StartRegionBand(POINT{5, 5});
    MoveRegionBand(&band, POINT{12, 12});
    BandInversions strips = BandInversionsTo(band, POINT{14, 12});
    ASSERT_EQ(strips.count, 1);
    EXPECT_EQ(strips.rects[0].left, 12);
    EXPECT_EQ(strips.rects[0].right, 14);
    EXPECT_EQ(strips.rects[0].top, 5);
    EXPECT_EQ(strips.rects[0].bottom, 12);
}
