// Window rectangle choice, clipping and edge probes: minimised and
// off-screen windows end empty, children stay inside their parent, and the
// probes never look off the screen.
#include "capture/WindowGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND Handle(intptr_t n) { return reinterpret_cast<HWND>(n); }

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(WindowGeometry, FrameAndWorkspaceChooseTheArea)
{
    const RECT window = {10, 20, 210, 170}, client = {14, 60, 206, 166};
    EXPECT_TRUE(Same(ChooseWindowRect(true, true, window, client).capture, window));
    EXPECT_TRUE(Same(ChooseWindowRect(false, true, window, client).capture, client));
    for (bool frame : {true, false}) {
        const WindowArea area = ChooseWindowRect(frame, false, window, client);
        EXPECT_TRUE(Same(area.capture, window));
        EXPECT_TRUE(area.whitenClient);
    }
}

TEST(WindowGeometry, ClippingKeepsOnlyWhatIsOnScreenAndInsideTheParent)
{
    const RECT minimised = {-32000, -32000, -31840, -31973};
    EXPECT_TRUE(Same(ClipCaptureRect(minimised, nullptr, 1024, 768), RECT{0, 0, 0, 0}));
    EXPECT_TRUE(Same(ClipCaptureRect(RECT{-50, 700, 300, 900}, nullptr, 1024, 768), RECT{0, 700, 300, 768}));
    const RECT parent = {100, 100, 400, 300};
    EXPECT_TRUE(Same(ClipCaptureRect(RECT{350, 80, 450, 120}, &parent, 1024, 768), RECT{350, 100, 400, 120}));
    EXPECT_TRUE(Same(ClipCaptureRect(RECT{500, 80, 600, 120}, &parent, 1024, 768), RECT{0, 0, 0, 0}));
}

TEST(WindowGeometry, EdgeProbesGoRightLeftBottomTopAndStayOnScreen)
{
    std::vector<POINT> probes;
    auto nothing = [&probes](POINT pt) {
        probes.push_back(pt);
        return Handle(1);
    };
    const RECT rc = {-2, 5, 3, 7};  // partly left of a 10 x 7 screen
    EXPECT_EQ(FindEdgeWindow(rc, true, 10, 7, nothing, [](HWND) { return false; }), nullptr);
    const std::vector<POINT> want = {{2, 5}, {2, 6}, {0, 6}, {1, 6}, {2, 6}, {0, 5}, {1, 5}, {2, 5}};
    ASSERT_EQ(probes.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(probes[i].x, want[i].x) << i;
        EXPECT_EQ(probes[i].y, want[i].y) << i;
    }
    auto belowRight = [](POINT pt) { return pt.y == 6 && pt.x == 0 ? Handle(2) : Handle(1); };
    EXPECT_EQ(FindEdgeWindow(rc, true, 10, 7, belowRight, [](HWND h) { return h == Handle(2); }), Handle(2));
    EXPECT_EQ(FindEdgeWindow(rc, false, 10, 7, belowRight, [](HWND h) { return h == Handle(2); }), nullptr);
}

TEST(WindowGeometry, OnlyPointsUnderWindowsAboveOrOutsideTheParentsMayShowAnother)
{
    // A child at (10,10)-(20,20) of a parent at (0,0)-(18,30), with a
    // window above it covering (15,5)-(25,12).
    const WindowsAround around = {{{15, 5, 25, 12}}, {{10, 10, 20, 20}, {0, 0, 18, 30}}};
    EXPECT_FALSE(around.MayShowOther(POINT{10, 10}));
    EXPECT_FALSE(around.MayShowOther(POINT{14, 19}));
    EXPECT_TRUE(around.MayShowOther(POINT{15, 11}));  // under the window above
    EXPECT_FALSE(around.MayShowOther(POINT{15, 12}));  // just below it
    EXPECT_TRUE(around.MayShowOther(POINT{18, 15}));  // beyond the parent
    EXPECT_FALSE(around.MayShowOther(POINT{17, 15}));
}

}  // namespace
