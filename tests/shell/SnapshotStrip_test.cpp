// Placement of the title-bar clock and the snapshot strip, the strip's
// tick plan and the pressed-button hit test. The expected places are
// worked out by hand for one window: window rectangle (100, 50)-(600, 400),
// client area at (104, 73) (border 4), caption height 19, title font 16,
// buttons 15 x 13.
#include "shell/CaptionPlacement.h"
#include "shell/SnapshotStrip.h"

#include <gtest/gtest.h>

namespace {
const DWORD kSysMenu = 0x80000, kMinimizeBox = 0x20000, kMaximizeBox = 0x10000;

CaptionFacts Notepad(DWORD style = kSysMenu | kMinimizeBox | kMaximizeBox)
{
    return CaptionFacts{RECT{100, 50, 600, 400}, POINT{104, 73}, style, 19, true};
}

bool Uncovered(POINT) { return true; }

SnapshotStrip Strip(bool s, bool w, bool r, bool f, bool b)
{
    const bool switches[kSnapButtonCount] = {s, w, r, f, b};
    return BuildSnapshotStrip(switches, 15, 13);
}

void ExpectRect(const RECT& rc, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(rc.left, left);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(rc.right, right);
    EXPECT_EQ(rc.bottom, bottom);
}

const SIZE kText = {60, 16};  // clock text 64 wide with its margin
}

TEST(SnapshotStrip, TableKeepsButtonOrderAndCodes)
{
    SnapshotStrip strip = Strip(true, false, true, false, true);
    EXPECT_EQ(strip.count, 3);
    EXPECT_EQ(strip.width, 45);
    EXPECT_EQ(strip.buttons[0], kSnapScreen);
    EXPECT_EQ(strip.buttons[1], kSnapRegion);
    EXPECT_EQ(strip.buttons[2], kSnapButton);
    EXPECT_EQ(strip.codes[0], 1);
    EXPECT_EQ(strip.codes[1], 3);
    EXPECT_EQ(strip.codes[2], 7);
    strip = Strip(false, true, false, true, false);
    EXPECT_EQ(strip.codes[0], 2);
    EXPECT_EQ(strip.codes[1], 5);
    EXPECT_EQ(Strip(false, false, false, false, false).width, 0);
    const bool all[kSnapButtonCount] = {true, true, true, true, true};
    EXPECT_EQ(BuildSnapshotStrip(all, 0, 13).width, 0);  // caption of 4 pixels
    EXPECT_EQ(BuildSnapshotStrip(all, 2, -1).width, 0);
}

TEST(SnapshotStrip, ClockSitsLeftOfTheStripForEveryCaptionButtonSet)
{
    SnapshotStrip strip = Strip(true, true, true, false, false);
    struct Case {
        DWORD style;
        bool windows4;
        LONG stripLeft;
    } cases[] = {
        {kSysMenu | kMinimizeBox | kMaximizeBox, true, 497},
        {kSysMenu, true, 513},
        {kSysMenu | kMinimizeBox, false, 513},
        {kSysMenu, false, 548},
    };
    for (const Case& c : cases) {
        CaptionFacts caption = Notepad(c.style);
        caption.windows4 = c.windows4;
        RECT rcStrip, rcClock;
        ASSERT_TRUE(PlaceSnapshotStrip(caption, strip.width, strip.buttonHeight, &rcStrip));
        ExpectRect(rcStrip, c.stripLeft, 56, c.stripLeft + 45, 69);
        ASSERT_TRUE(PlaceTitleClock(caption, kText, 16, strip.width, Uncovered, &rcClock));
        ExpectRect(rcClock, c.stripLeft - 64, 54, c.stripLeft, 70);
    }
    // Without a strip the clock moves to the right end of the free space;
    // style bit 0x0400 takes one more caption height.
    RECT rc;
    ASSERT_TRUE(PlaceTitleClock(Notepad(), kText, 16, 0, Uncovered, &rc));
    EXPECT_EQ(rc.left, 478);
    ASSERT_TRUE(PlaceTitleClock(Notepad(kSysMenu | 0x0400), kText, 16, 0, Uncovered, &rc));
    EXPECT_EQ(rc.left, 497);
    ASSERT_TRUE(PlaceTitleClock(Notepad(kSysMenu | kMinimizeBox | 0x0400), kText, 16, 0, Uncovered, &rc));
    EXPECT_EQ(rc.left, 459);
}

TEST(SnapshotStrip, ShortOrNarrowCaptionGetsNeither)
{
    SnapshotStrip strip = Strip(true, true, true, false, true);
    RECT rc;
    CaptionFacts caption = Notepad();
    caption.clientOrigin.y = 50 + 18;
    EXPECT_TRUE(PlaceSnapshotStrip(caption, strip.width, 13, &rc));
    EXPECT_TRUE(PlaceTitleClock(caption, kText, 16, 0, Uncovered, &rc));
    caption.clientOrigin.y = 50 + 17;
    EXPECT_FALSE(PlaceSnapshotStrip(caption, strip.width, 13, &rc));
    EXPECT_FALSE(PlaceTitleClock(caption, kText, 16, 0, Uncovered, &rc));

    // The strip needs 60 + 4 + 3 * 19 - 3 = 118 pixels of window width, the
    // clock beside it 64 more.
    caption = Notepad();
    caption.window.right = caption.window.left + 118;
    EXPECT_TRUE(PlaceSnapshotStrip(caption, strip.width, 13, &rc));
    EXPECT_EQ(rc.left, caption.window.left);
    EXPECT_FALSE(PlaceTitleClock(caption, kText, 16, strip.width, Uncovered, &rc));
    caption.window.right += 63;
    EXPECT_FALSE(PlaceTitleClock(caption, kText, 16, strip.width, Uncovered, &rc));
    caption.window.right += 1;
    EXPECT_TRUE(PlaceTitleClock(caption, kText, 16, strip.width, Uncovered, &rc));
    caption.window.right = caption.window.left + 117;
    EXPECT_FALSE(PlaceSnapshotStrip(caption, strip.width, 13, &rc));
}

TEST(SnapshotStrip, ClockIsHiddenWhenAnyOfSixProbesIsCovered)
{
    // The clock at (433, 54)-(497, 70) is probed at its corners and at the
    // middle of its top and bottom edges.
    const POINT probes[] = {{433, 54}, {433, 70}, {497, 70}, {497, 54}, {465, 54}, {465, 70}};
    SnapshotStrip strip = Strip(true, true, true, false, false);
    RECT rc;
    for (const POINT& covered : probes) {
        auto onTarget = [&](POINT pt) { return pt.x != covered.x || pt.y != covered.y; };
        EXPECT_FALSE(PlaceTitleClock(Notepad(), kText, 16, strip.width, onTarget, &rc)) << covered.x << "," << covered.y;
    }
    // A window over the caption between the probes does not hide it.
    auto between = [](POINT pt) { return !(pt.x > 440 && pt.x < 460); };
    EXPECT_TRUE(PlaceTitleClock(Notepad(), kText, 16, strip.width, between, &rc));
}

TEST(SnapshotStrip, TickDrawsOnlyOnTheTargetAndOtherwiseEmptiesTheRectangle)
{
    SnapshotStrip strip = Strip(true, true, true, false, false);
    CaptionFacts caption = Notepad();
    StripTickState idle = {false, false, false};

    StripPlan plan = PlanSnapshotStrip(idle, strip, &caption, Uncovered);
    EXPECT_EQ(plan.action, StripAction::Draw);
    ExpectRect(plan.rect, 497, 56, 542, 69);

    // Another window over the strip's right end, at (520, 60) and beyond.
    auto coveredRight = [](POINT pt) { return pt.x < 520; };
    EXPECT_EQ(PlanSnapshotStrip(idle, strip, &caption, coveredRight).action, StripAction::Clear);
    // Between a press and its release the rectangle and the down image stay.
    EXPECT_EQ(PlanSnapshotStrip({false, true, false}, strip, &caption, coveredRight).action, StripAction::Keep);
    EXPECT_EQ(PlanSnapshotStrip({false, true, true}, strip, nullptr, Uncovered).action, StripAction::Keep);

    StripPlan cleared = PlanSnapshotStrip({true, false, false}, strip, &caption, Uncovered);
    EXPECT_EQ(cleared.action, StripAction::Clear);
    ExpectRect(cleared.rect, 0, 0, 0, 0);
    EXPECT_EQ(PlanSnapshotStrip({false, false, true}, strip, &caption, Uncovered).action, StripAction::Clear);
    EXPECT_EQ(PlanSnapshotStrip(idle, strip, nullptr, Uncovered).action, StripAction::Clear);
    EXPECT_EQ(PlanSnapshotStrip(idle, Strip(false, false, false, false, false), &caption, Uncovered).action,
              StripAction::Clear);
    caption.window.right = caption.window.left + 100;
    EXPECT_EQ(PlanSnapshotStrip(idle, strip, &caption, Uncovered).action, StripAction::Clear);
}

TEST(SnapshotStrip, PressOnABoundaryBelongsToTheRightHandButton)
{
    SnapshotStrip strip = Strip(true, false, true, false, false);  // S, R
    RECT snap = {497, 56, 527, 69};
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{497, 56}).position, 0);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{511, 68}).position, 0);
    PressedPosition pressed = SnapshotPositionAt(strip, snap, POINT{512, 60});
    EXPECT_EQ(pressed.position, 1);
    ExpectRect(pressed.rect, 512, 56, 527, 69);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{526, 60}).position, 1);
    // Outside the strip, including where buttons that are off would be.
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{527, 60}).position, -1);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{540, 60}).position, -1);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{496, 60}).position, -1);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{500, 55}).position, -1);
    EXPECT_EQ(SnapshotPositionAt(strip, snap, POINT{500, 69}).position, -1);
    EXPECT_EQ(SnapshotPositionAt(strip, RECT{0, 0, 0, 0}, POINT{0, 0}).position, -1);
}
