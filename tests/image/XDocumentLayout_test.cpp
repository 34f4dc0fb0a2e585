// Placement slots and canvas size of the image document.
#include "image/XDocumentLayout.h"

#include <gtest/gtest.h>

TEST(XDocumentLayout, SlotsStepFiftyPixelsRightAndDown)
{
    RECT first = PlacementForSlot(0, 100, 80);
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(first.top, 0);
    EXPECT_EQ(first.right, 100);
    EXPECT_EQ(first.bottom, 80);
    RECT third = PlacementForSlot(2, 30, 20);
    EXPECT_EQ(third.left, 100);
    EXPECT_EQ(third.top, 100);
    EXPECT_EQ(third.right, 130);
    EXPECT_EQ(third.bottom, 120);
}

TEST(XDocumentLayout, CanvasSpansPlacementsAndOriginPlusMargins)
{
    // One 100 x 80 image with the default margins of 5.
    SIZE one = CanvasExtent({PlacementForSlot(0, 100, 80)}, 5, 5);
    EXPECT_EQ(one.cx, 110);
    EXPECT_EQ(one.cy, 90);

    // A merge window: the second image sticks out right and below.
    SIZE two = CanvasExtent({PlacementForSlot(0, 100, 80), PlacementForSlot(1, 100, 80)}, 5, 7);
    EXPECT_EQ(two.cx, 150 + 10);
    EXPECT_EQ(two.cy, 130 + 14);

    // An image moved left of the origin widens the canvas by that much.
    SIZE moved = CanvasExtent({RECT{-20, 10, 80, 50}}, 5, 5);
    EXPECT_EQ(moved.cx, 100 + 10);
    EXPECT_EQ(moved.cy, 50 + 10);

    SIZE none = CanvasExtent({}, 5, 6);
    EXPECT_EQ(none.cx, 10);
    EXPECT_EQ(none.cy, 12);
}

TEST(XDocumentLayout, HugeSlotsAndMarginsDoNotWrap)
{
    RECT far = PlacementForSlot(100000000, 0x7FFFFFFF, 10);
    EXPECT_EQ(far.right, 0x7FFFFFFF);
    SIZE extent = CanvasExtent({far}, 1200, 1200);
    EXPECT_EQ(extent.cx, 0x7FFFFFFF);
}

TEST(XDocumentLayout, FullViewCentresTheImagesOnTheScreen)
{
    POINT small = FullViewOrigin({PlacementForSlot(0, 200, 100)}, 640, 480);
    EXPECT_EQ(small.x, 220);
    EXPECT_EQ(small.y, 190);
    // Wider than the screen: from the left edge, still centred vertically.
    POINT wide = FullViewOrigin({PlacementForSlot(0, 800, 100)}, 640, 480);
    EXPECT_EQ(wide.x, 0);
    EXPECT_EQ(wide.y, 190);
    // A merge window: the box spans both placements.
    POINT merged = FullViewOrigin({PlacementForSlot(0, 100, 80), PlacementForSlot(1, 100, 80)}, 640, 480);
    EXPECT_EQ(merged.x, (640 - 150) / 2);
    EXPECT_EQ(merged.y, (480 - 130) / 2);
}
