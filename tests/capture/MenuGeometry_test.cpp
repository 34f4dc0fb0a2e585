// Menu bars, the pull-down adjustment, the menu-bar scans and the cascading
// chain, which must end on a loop, a window that is no menu, or its length.
#include "capture/MenuGeometry.h"

#include <gtest/gtest.h>

#include <map>

namespace {

HWND Handle(intptr_t n) { return reinterpret_cast<HWND>(n); }

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MenuGeometry, BarsFollowTheFrame)
{
    const FrameMeasures frame = {{100, 50, 500, 400}, {104, 92}, 18};
    EXPECT_TRUE(Same(FrameMenuBarRect(frame), RECT{103, 71, 497, 92}));
    EXPECT_TRUE(Same(TitleBarRect(frame), RECT{100, 50, 500, 71}));
}

TEST(MenuGeometry, PulldownReachesItsMenuBarItem)
{
    EXPECT_TRUE(Same(AdjustPulldownRect(RECT{110, 92, 200, 300}, 50, 19), RECT{110, 73, 200, 300}));
    EXPECT_TRUE(Same(AdjustPulldownRect(RECT{110, 52, 200, 300}, 50, 19), RECT{109, 33, 200, 300}));
    EXPECT_TRUE(Same(AdjustPulldownRect(RECT{110, 10, 200, 40}, 50, 19), RECT{109, 10, 200, 59}));
}

TEST(MenuGeometry, ScansFindTheHighlightOrEndAtTheirBound)
{
    const RECT bar = {0, 10, 100, 30};
    auto item = [](LONG x, LONG y) { return y == 11 && x >= 20 && x < 45; };
    EXPECT_TRUE(Same(HighlightedItemRect(bar, item), RECT{20, 10, 45, 30}));
    auto none = [](LONG, LONG) { return false; };
    EXPECT_EQ(CommandBarMenuPoint(bar, none).x, 8);
    auto light = [](LONG x, LONG y) { return y == 14 && x == 60; };
    auto shadow = [](LONG x, LONG y) { return y == 14 && x == 40; };
    EXPECT_TRUE(Same(PressedMenuButtonRect(bar, light, shadow), RECT{40, 10, 61, 30}));
    EXPECT_TRUE(Same(PressedMenuButtonRect(bar, none, none), RECT{9, 10, 10, 30}));
}

// Menus side by side, 10 pixels wide: menu n covers x from 10n to 10n + 9.
MenuProbe Row(const std::map<intptr_t, intptr_t>& rightNeighbour, bool menus = true)
{
    MenuProbe probe;
    probe.windowAt = [rightNeighbour](HWND, POINT pt) {
        const intptr_t n = pt.x / 10;
        auto next = rightNeighbour.find(n);
        return Handle(pt.x % 10 == 9 && next != rightNeighbour.end() ? next->second : n);
    };
    probe.isMenu = [menus](HWND h) { return menus || h != Handle(3); };
    probe.windowRect = [](HWND h, RECT* rc) {
        const LONG n = LONG(reinterpret_cast<intptr_t>(h));
        *rc = RECT{10 * n, 0, 10 * n + 10, 5};
        return true;
    };
    probe.screenWidth = 100000;
    probe.screenHeight = 100;
    return probe;
}

TEST(MenuGeometry, CascadeEndsAtALoopANonMenuOrItsLength)
{
    std::vector<HWND> chain = CascadingMenuChain(Handle(1), Row({{1, 2}, {2, 3}}));
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[1], Handle(3));
    EXPECT_EQ(CascadingMenuChain(Handle(1), Row({{1, 2}, {2, 3}}, false)).size(), 1u);
    EXPECT_EQ(CascadingMenuChain(Handle(1), Row({{1, 2}, {2, 1}})).size(), 1u);
    std::map<intptr_t, intptr_t> endless;
    for (intptr_t n = 1; n < 100; ++n) endless[n] = n + 1;
    EXPECT_EQ(CascadingMenuChain(Handle(1), Row(endless)).size(), kMaxCascadeLinks);
}

}  // namespace
