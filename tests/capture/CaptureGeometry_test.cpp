// Capture rectangle checks, depth table, size readout and the hidden-window
// list's bound.
#include "capture/CaptureGeometry.h"
#include "capture/HiddenWindowList.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(CaptureGeometry, ExtentOnlyForPositiveSizes)
{
    int32_t w = -1, h = -1;
    ASSERT_TRUE(CaptureExtent(RECT{10, 20, 650, 500}, &w, &h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    ASSERT_TRUE(CaptureExtent(RECT{-5, -5, -4, -4}, &w, &h));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_FALSE(CaptureExtent(RECT{10, 20, 10, 500}, &w, &h));   // click without drag
    EXPECT_FALSE(CaptureExtent(RECT{10, 20, 650, 20}, &w, &h));
    EXPECT_FALSE(CaptureExtent(RECT{650, 20, 10, 500}, &w, &h));  // reversed
    EXPECT_FALSE(CaptureExtent(RECT{10, 500, 650, 20}, &w, &h));
    EXPECT_FALSE(CaptureExtent(RECT{INT32_MIN, 0, INT32_MAX, 10}, &w, &h));  // would wrap
}

TEST(CaptureGeometry, ClipToScreenAndClippedAway)
{
    RECT r = ClipToScreen(RECT{-20, 700, 100, 900}, 1024, 768);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 700);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 768);
    r = ClipToScreen(RECT{1100, 10, 1200, 20}, 1024, 768);
    int32_t w, h;
    EXPECT_FALSE(CaptureExtent(r, &w, &h));
}

TEST(CaptureGeometry, DepthTable)
{
    EXPECT_EQ(CaptureBitCount(1), 1);
    EXPECT_EQ(CaptureBitCount(4), 4);
    EXPECT_EQ(CaptureBitCount(8), 8);
    for (int deep : {15, 16, 24, 32}) EXPECT_EQ(CaptureBitCount(deep), 24);
    EXPECT_EQ(CaptureBitCount(2), 4);
}

TEST(CaptureGeometry, SizeReadoutTextAndCentredPlace)
{
    EXPECT_EQ(SizeReadoutText(RECT{100, 50, 740, 530}), "640x480");
    EXPECT_EQ(SizeReadoutText(RECT{10, 10, 10, 11}), "0x1");
    POINT p = SizeReadoutOrigin(RECT{100, 50, 741, 531}, 40, 13);
    EXPECT_EQ(p.x, (741 - 40 + 100) / 2);  // 400
    EXPECT_EQ(p.y, 284);                   // (531 - 13 + 50) / 2
}

TEST(HiddenWindowList, HoldsAtMost99)
{
    HiddenWindowList list;
    for (int i = 1; i <= 99; ++i) EXPECT_TRUE(list.Append(reinterpret_cast<HWND>(static_cast<intptr_t>(i))));
    EXPECT_TRUE(list.IsFull());
    EXPECT_FALSE(list.Append(reinterpret_cast<HWND>(static_cast<intptr_t>(100))));
    EXPECT_EQ(list.Count(), 99);
    EXPECT_EQ(list.At(98), reinterpret_cast<HWND>(static_cast<intptr_t>(99)));
}
