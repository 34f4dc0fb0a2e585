// Flash line sequences: hand-worked small cases for the exact order, and a
// pixel-count oracle for the net effect over many sizes (a pixel inverted
// an odd number of times in phase 1 shows inverted during the pause; every
// pixel must be back after phase 2).
#include "capture/FlashGeometry.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

bool Same(const InvertStrip& a, const InvertStrip& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

void ExpectStrips(const std::vector<InvertStrip>& got, const std::vector<InvertStrip>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(Same(got[i], want[i])) << "strip " << i << ": got " << got[i].x << "," << got[i].y << " "
                                           << got[i].width << "x" << got[i].height;
}

// Number of inversions per pixel.
std::map<std::pair<long, long>, int> Count(const std::vector<InvertStrip>& strips)
{
    std::map<std::pair<long, long>, int> hits;
    for (const InvertStrip& s : strips)
        for (long y = s.y; y < s.y + s.height; ++y)
            for (long x = s.x; x < s.x + s.width; ++x) ++hits[{x, y}];
    return hits;
}

// Pixels left inverted: those hit an odd number of times.
std::vector<std::pair<long, long>> Inverted(const std::vector<InvertStrip>& strips)
{
    std::vector<std::pair<long, long>> odd;
    for (const auto& hit : Count(strips))
        if (hit.second % 2) odd.push_back(hit.first);
    return odd;
}

std::vector<std::pair<long, long>> Box(long left, long top, long right, long bottom)
{
    std::vector<std::pair<long, long>> box;
    for (long x = left; x < right; ++x)
        for (long y = top; y < bottom; ++y) box.push_back({x, y});
    return box;
}

std::vector<InvertStrip> Concat(const std::vector<InvertStrip>& a, const std::vector<InvertStrip>& b)
{
    std::vector<InvertStrip> all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

}  // namespace

TEST(FlashGeometry, RepeatCountsFollowDisplayDepth)
{
    EXPECT_EQ(FlashRepeatCount(1, 8), 3);
    EXPECT_EQ(FlashRepeatCount(2, 8), 1);
    EXPECT_EQ(FlashRepeatCount(3, 8), 5);
    EXPECT_EQ(FlashRepeatCount(3, 4), 5);
    for (int flash = 1; flash <= 3; ++flash) {
        EXPECT_EQ(FlashRepeatCount(flash, 16), 1);
        EXPECT_EQ(FlashRepeatCount(flash, 24), 1);
        EXPECT_EQ(FlashRepeatCount(flash, 32), 1);
    }
}

TEST(FlashGeometry, CenterInSmallBoxExactOrder)
{
    // 4 x 4 at (10, 20): two rings, outer first; then inner, outer.
    FlashPlan plan = CenterInPlan(RECT{10, 20, 14, 24}, 1);
    std::vector<InvertStrip> outer = {{10, 20, 1, 4}, {13, 20, 1, 4}, {11, 20, 2, 1}, {11, 23, 2, 1}};
    std::vector<InvertStrip> inner = {{11, 21, 1, 2}, {12, 21, 1, 2}};  // rows have width 0
    ExpectStrips(plan.phase1, Concat(outer, inner));
    ExpectStrips(plan.phase2, Concat(inner, outer));
}

TEST(FlashGeometry, CenterInRepeatsEachRingInPhaseOneOnly)
{
    FlashPlan plan = CenterInPlan(RECT{0, 0, 4, 2}, 3);
    std::vector<InvertStrip> ring = {{0, 0, 1, 2}, {3, 0, 1, 2}, {1, 0, 2, 1}, {1, 1, 2, 1}};
    ExpectStrips(plan.phase1, Concat(Concat(ring, ring), ring));
    ExpectStrips(plan.phase2, ring);
}

TEST(FlashGeometry, CenterInCoversEvenAreaExactlyAndOddAreaPlusOneLine)
{
    for (int w = 1; w <= 9; ++w) {
        for (int h = 1; h <= 9; ++h) {
            for (int repeat : {1, 3}) {
                RECT rc = {-3, 5, -3 + w, 5 + h};
                FlashPlan plan = CenterInPlan(rc, repeat);
                // Odd sizes take in the column right of / row below the area.
                long right = rc.right + (w % 2), bottom = rc.bottom + (h % 2);
                EXPECT_EQ(Inverted(plan.phase1), Box(rc.left, rc.top, right, bottom)) << w << "x" << h;
                EXPECT_TRUE(Inverted(Concat(plan.phase1, plan.phase2)).empty()) << w << "x" << h;
                for (const auto& hit : Count(plan.phase2)) EXPECT_EQ(hit.second, 1) << w << "x" << h;
            }
        }
    }
}

TEST(FlashGeometry, CenterInGoesInwardThenOutward)
{
    FlashPlan plan = CenterInPlan(RECT{0, 0, 8, 6}, 1);
    // First strip on the left border, last strip of phase 1 nearest the
    // centre; phase 2 ends on the bottom border row.
    EXPECT_EQ(plan.phase1.front().x, 0);
    EXPECT_EQ(plan.phase1.back().y, 3);
    EXPECT_EQ(plan.phase2.back().y, 5);
    EXPECT_EQ(plan.phase2.back().width, 6);
}

TEST(FlashGeometry, EmptyOrReversedRectangleGivesNoStripsAndEnds)
{
    const RECT cases[] = {{10, 10, 10, 10}, {10, 10, 10, 50}, {10, 10, 50, 10}, {50, 50, 10, 10},
                          {50, 10, 10, 20}, {10, 50, 20, 11}, {INT32_MIN, 0, INT32_MAX, 1}};
    for (const RECT& rc : cases) {
        for (FlashPlan plan : {CenterInPlan(rc, 3), InsideOutPlan(rc, 1), UpDownPlan(rc, 5)}) {
            EXPECT_TRUE(plan.phase1.empty());
            EXPECT_TRUE(plan.phase2.empty());
        }
    }
}

TEST(FlashGeometry, InsideOutSpreadsFromCentreColumn)
{
    // Even width: columns 2,1 then 3,0; withdrawn 3,0 then 2,1.
    FlashPlan even = InsideOutPlan(RECT{0, 7, 4, 10}, 1);
    ExpectStrips(even.phase1, {{2, 7, 1, 3}, {1, 7, 1, 3}, {3, 7, 1, 3}, {0, 7, 1, 3}});
    ExpectStrips(even.phase2, {{3, 7, 1, 3}, {0, 7, 1, 3}, {2, 7, 1, 3}, {1, 7, 1, 3}});
    // Odd width: the column left of the area takes part and is restored.
    FlashPlan odd = InsideOutPlan(RECT{0, 0, 5, 1}, 1);
    ExpectStrips(odd.phase1, {{2, 0, 1, 1}, {1, 0, 1, 1}, {3, 0, 1, 1}, {0, 0, 1, 1}, {4, 0, 1, 1}, {-1, 0, 1, 1}});
    EXPECT_EQ(Inverted(odd.phase1), Box(-1, 0, 5, 1));
    EXPECT_TRUE(Inverted(Concat(odd.phase1, odd.phase2)).empty());
}

TEST(FlashGeometry, UpDownRepeatsEachRowPairInPhaseOne)
{
    FlashPlan plan = UpDownPlan(RECT{3, 0, 9, 2}, 5);
    std::vector<InvertStrip> want;
    for (int k = 0; k < 5; ++k) {
        want.push_back({3, 1, 6, 1});
        want.push_back({3, 0, 6, 1});
    }
    ExpectStrips(plan.phase1, want);
    ExpectStrips(plan.phase2, {{3, 1, 6, 1}, {3, 0, 6, 1}});
    for (int h = 1; h <= 7; ++h) {
        FlashPlan p = UpDownPlan(RECT{0, 0, 3, h}, 5);
        EXPECT_EQ(Inverted(p.phase1), Box(0, -(h % 2), 3, h)) << h;
        EXPECT_TRUE(Inverted(Concat(p.phase1, p.phase2)).empty()) << h;
    }
}
