// Freehand stroke geometry: bounding box, row spans with the vertical gaps
// filled in, and a point buffer that stops at its capacity.
#include "capture/FreehandStroke.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FreehandStroke, BoundsAreOneBeyondTheLargestCoordinates)
{
    const StrokePoint click[] = {{7, 9}};
    RECT box = StrokeBounds(click, 1);
    EXPECT_EQ(box.left, 7);
    EXPECT_EQ(box.top, 9);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 10);
    const StrokePoint stroke[] = {{10, 20}, {30, 5}, {4, 40}};
    box = StrokeBounds(stroke, 3);
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 31);
    EXPECT_EQ(box.bottom, 41);
}

TEST(FreehandStroke, GapsBetweenRowsAreFilledByTruncatedSteps)
{
    // Down 4 rows and right 10 pixels: step 10 / 4 = 2; then straight up.
    const StrokePoint stroke[] = {{10, 20}, {20, 24}, {20, 20}};
    RECT box = StrokeBounds(stroke, 3);
    std::vector<int32_t> minX(5), maxX(5);
    StrokeRowSpans(stroke, 3, box, minX.data(), maxX.data());
    // Relative to box.left = 10.
    EXPECT_EQ(minX, (std::vector<int32_t>{0, 2, 4, 6, 10}));
    EXPECT_EQ(maxX, (std::vector<int32_t>{10, 10, 10, 10, 10}));
}

TEST(FreehandStroke, RowsNeverReachedAreMarkedEmpty)
{
    // Two points two rows apart moving left: step -1, the middle row is filled.
    const StrokePoint stroke[] = {{5, 0}, {3, 2}, {9, 6}, {9, 7}};
    RECT box = StrokeBounds(stroke, 4);
    std::vector<int32_t> minX(8), maxX(8);
    StrokeRowSpans(stroke, 2, box, minX.data(), maxX.data());
    EXPECT_EQ(minX[1], 1);  // x 4
    const int32_t width = box.right - box.left;
    for (int row = 3; row < 8; ++row) {
        EXPECT_EQ(minX[size_t(row)], width);
        EXPECT_EQ(maxX[size_t(row)], 0);
    }
}

TEST(FreehandStroke, PointBufferStopsAtItsCapacity)
{
    StrokePoints points;
    ASSERT_TRUE(points.Allocate());
    size_t added = 0;
    while (points.Add(StrokePoint{int32_t(added), 0}) && added < 20000) ++added;
    EXPECT_EQ(added, 10000u);
    EXPECT_EQ(points.size(), 10000u);
    EXPECT_EQ(points.data()[9999].x, 9999);
}
