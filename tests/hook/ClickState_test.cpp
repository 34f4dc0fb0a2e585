#include "hook/ClickState.h"

#include "hook/HookWire.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

HookData Fresh(uint32_t doubleClickTime = 500)
{
    HookData data = {};
    data.doubleClickTime = doubleClickTime;
    data.lastCursor = 0x1234;
    return data;
}

// Polls every 100 ms from start to end; returns the codes posted with the
// tick of each post.
std::vector<std::pair<uint32_t, int>> Poll(HookData& data, uint32_t start, uint32_t end)
{
    std::vector<std::pair<uint32_t, int>> posts;
    for (uint32_t t = start; t <= end; t += 100) {
        int code = PollClicks(data, t);
        if (code >= 0) posts.push_back({t, code});
    }
    return posts;
}

}  // namespace

TEST(ClickState, RightDoubleAndSingle)
{
    HookData data = Fresh();
    StoreButtonShotDef(data, 0, 0, 0, 3, 6);

    OnMouseMessage(data, kMsgRightUp, 500, 500, 10000);
    MouseActions second = OnMouseMessage(data, kMsgNcRightUp, 500, 500, 10200);
    EXPECT_TRUE(second.postButtonReport);
    EXPECT_EQ(second.buttonReportParam, 1);
    EXPECT_TRUE(second.takeCursor);
    auto posts = Poll(data, 10250, 12000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0], std::make_pair(10250u, 6));

    // One release: the single code at the first poll more than 500 ms later.
    OnMouseMessage(data, kMsgRightUp, 500, 500, 20000);
    posts = Poll(data, 20050, 22000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0], std::make_pair(20550u, 3));
}

TEST(ClickState, MiddleAndLeftClicks)
{
    HookData data = Fresh();
    StoreButtonShotDef(data, 4, 0, 2, 0, 0);
    EXPECT_EQ(data.leftDoubleCode, 5);  // column Fre is Freehand

    // A slot holding 0 still posts code 0.
    OnMouseMessage(data, kMsgMiddleDown, 1, 1, 5000);
    auto posts = Poll(data, 5100, 6000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].second, 0);

    OnMouseMessage(data, kMsgMiddleDown, 1, 1, 7000);
    OnMouseMessage(data, kMsgNcMiddleDown, 1, 1, 7300);
    posts = Poll(data, 7400, 9000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].second, 2);

    // A single left click is never posted; a double is.
    OnMouseMessage(data, kMsgLeftDown, 1, 1, 10000);
    EXPECT_TRUE(Poll(data, 10100, 12000).empty());
    EXPECT_EQ(data.leftFirst, 0u);
    OnMouseMessage(data, kMsgLeftDown, 1, 1, 13000);
    MouseActions second = OnMouseMessage(data, kMsgLeftDown, 1, 1, 13100);
    EXPECT_TRUE(second.takeCursor);
    posts = Poll(data, 13150, 14000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].second, 5);

    // Presses too far apart are two singles, not a double.
    OnMouseMessage(data, kMsgMiddleDown, 1, 1, 20000);
    posts = Poll(data, 20050, 20650);
    OnMouseMessage(data, kMsgMiddleDown, 1, 1, 20700);
    auto later = Poll(data, 20750, 22000);
    ASSERT_EQ(posts.size(), 1u);
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].second, 0);

    // The tick counter wraps between the click and the poll.
    OnMouseMessage(data, kMsgRightUp, 1, 1, 0xFFFFFF00u);
    EXPECT_EQ(PollClicks(data, 0x00000010u), -1);
    EXPECT_EQ(PollClicks(data, 0x00000200u), 0);
}

// Over a window class with CS_DBLCLKS the second press of a double click
// arrives as WM_LBUTTONDBLCLK (0x0203) or WM_MBUTTONDBLCLK (0x0209), or
// their non-client forms (0x00A3, 0x00A9), never as a press.
TEST(ClickState, DoubleClickMessagesAreSecondPresses)
{
    HookData data = Fresh();
    StoreButtonShotDef(data, 1, 0, 3, 0, 0);

    OnMouseMessage(data, 0x0201, 1, 1, 1000);
    MouseActions second = OnMouseMessage(data, 0x0203, 1, 1, 1100);
    EXPECT_TRUE(second.takeCursor);
    auto posts = Poll(data, 1150, 3000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].second, 1);

    OnMouseMessage(data, 0x00A1, 1, 1, 4000);
    OnMouseMessage(data, 0x00A3, 1, 1, 4100);
    posts = Poll(data, 4150, 6000);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].second, 1);

    for (unsigned dbl : {0x0209u, 0x00A9u}) {
        OnMouseMessage(data, 0x0207, 1, 1, 7000);
        MouseActions middle = OnMouseMessage(data, dbl, 1, 1, 7100);
        EXPECT_TRUE(middle.postButtonReport);
        posts = Poll(data, 7150, 9000);
        ASSERT_EQ(posts.size(), 1u);
        EXPECT_EQ(posts[0].second, 3);
    }

    // A double-click message inside the snapshot strip is a snapshot press.
    data.snapLeft = 100;
    data.snapTop = 10;
    data.snapRight = 180;
    data.snapBottom = 26;
    EXPECT_TRUE(OnMouseMessage(data, 0x00A3, 120, 12, 10000).sendSnapshotPress);
    EXPECT_EQ(data.leftTime1, 0u);
}

TEST(ClickState, SnapshotPressAndTakenButton)
{
    HookData data = Fresh();
    data.snapLeft = 100;
    data.snapTop = 10;
    data.snapRight = 180;
    data.snapBottom = 26;

    MouseActions press = OnMouseMessage(data, kMsgNcLeftDown, 100, 10, 1000);
    EXPECT_TRUE(press.sendSnapshotPress);
    EXPECT_EQ(data.snapshotPressed, 1u);
    EXPECT_EQ(data.leftTime1, 0u);  // never counted as a click
    MouseActions release = OnMouseMessage(data, kMsgLeftUp, 300, 300, 1100);
    EXPECT_TRUE(release.postButtonReport);
    EXPECT_EQ(release.buttonReportParam, 0);
    EXPECT_TRUE(release.postSnapshotRelease);
    EXPECT_EQ(data.snapshotPressed, 0u);

    // Right and bottom are exclusive.
    EXPECT_FALSE(OnMouseMessage(data, kMsgLeftDown, 180, 10, 2000).sendSnapshotPress);
    EXPECT_FALSE(OnMouseMessage(data, kMsgLeftDown, 120, 26, 2100).sendSnapshotPress);
    EXPECT_FALSE(OnMouseMessage(data, kMsgLeftUp, 120, 26, 2150).postSnapshotRelease);

    // While the program owns the left button nothing is counted or posted.
    HookData taken = Fresh();
    taken.leftButtonTaken = 1;
    for (unsigned msg : {kMsgLeftDown, kMsgLeftUp, kMsgRightUp, kMsgMiddleDown}) {
        MouseActions a = OnMouseMessage(taken, msg, 1, 1, 3000);
        EXPECT_FALSE(a.postButtonReport || a.sendSnapshotPress || a.takeCursor);
    }
    EXPECT_EQ(taken.rightTime1 | taken.middleTime1 | taken.leftTime1 | taken.lastTick, 0u);

    // Other mouse messages only record the tick.
    MouseActions move = OnMouseMessage(data, 0x0200, 1, 1, 4000);
    EXPECT_FALSE(move.postButtonReport || move.takeCursor);
    EXPECT_EQ(data.lastTick, 4000u);
}

TEST(ClickState, ButtonShotDefTranslation)
{
    HookData data = Fresh();
    const int expected[] = {0, 1, 2, 3, 5, 6, 7};
    for (int column = 0; column < 7; ++column) {
        StoreButtonShotDef(data, column, 1, 2, 3, 4);
        EXPECT_EQ(data.leftDoubleCode, expected[column]) << column;
    }
    StoreButtonShotDef(data, 9, 4, 5, 6, 7);
    EXPECT_EQ(data.leftDoubleCode, 7);  // unchanged
    StoreButtonShotDef(data, -1, 4, 5, 6, 7);
    EXPECT_EQ(data.leftDoubleCode, 7);
    EXPECT_EQ(data.middleSingleCode, 4);
    EXPECT_EQ(data.rightDoubleCode, 7);
}
