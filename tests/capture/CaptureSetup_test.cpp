#include "capture/CaptureSetup.h"

#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace {

CaptureSetupValues Defaults()
{
    SystemDefaults system;
    system.screenWidth = 1024;
    system.screenHeight = 768;
    const Options options = DefaultOptions(system);
    return CaptureSetupValues{options.capture, options.mode, options.files, options.format};
}

}  // namespace

TEST(CaptureSetup, HandEditedValuesOutsideTheControlsAreClampedWhenThePagesOpen)
{
    CaptureSetupValues values = Defaults();
    values.capture.sendTo.marginX = 5000;
    values.capture.sendTo.marginY = -3;
    values.capture.sendTo.fileNaming = 9;
    values.capture.sendTo.setupPage = 12;
    values.capture.sendTo.clipboard = 7;
    values.capture.capture.notification = -1;
    values.capture.capture.colorOption = 5;
    values.capture.screen.countdownSeconds = 601;
    values.capture.window.countdownSeconds = -10;
    values.mode.runningMode = 2;
    // The screen area has no range: a reversed area stays as it is.
    values.capture.screen.area = RECT{900, 700, 10, 20};

    FitToPages(values);
    const CaptureOptions& c = values.capture;
    EXPECT_EQ(c.sendTo.marginX, 1200);
    EXPECT_EQ(c.sendTo.marginY, 0);
    EXPECT_EQ(c.sendTo.fileNaming, 2);
    EXPECT_EQ(c.sendTo.setupPage, 0);
    EXPECT_EQ(c.sendTo.clipboard, 1);
    EXPECT_EQ(c.capture.notification, 0);
    EXPECT_EQ(c.capture.colorOption, 4);
    EXPECT_EQ(c.screen.countdownSeconds, 600);
    EXPECT_EQ(c.window.countdownSeconds, 0);
    EXPECT_EQ(values.mode.runningMode, 1);
    EXPECT_EQ(c.screen.area.left, 900);
    EXPECT_EQ(c.screen.area.right, 10);
}

TEST(CaptureSetup, OkWithoutDestinationOrNamingFallsBackToWindowAndAugment)
{
    SendToOptions sendTo = Defaults().capture.sendTo;
    sendTo.window = sendTo.clipboard = sendTo.printer = sendTo.file = 0;
    sendTo.fileNaming = -1;
    ConfirmSendTo(sendTo);
    EXPECT_EQ(sendTo.window, 1);
    EXPECT_EQ(sendTo.fileNaming, 0);

    sendTo.window = 0;
    sendTo.file = 1;
    ConfirmSendTo(sendTo);
    EXPECT_EQ(sendTo.window, 0);
}

TEST(CaptureSetup, TitleMenuBoxesKeepEachOtherConsistent)
{
    // Switching Menu Bar off while Title Bar and Pulldown Menu are on also
    // switches Title Bar off.
    TitleMenuOptions t = {1, 0, 1, 0, 1};
    ApplyTitleMenuRules(t, kBoxMenuBar);
    EXPECT_EQ(t.titleBar, 0);

    t = {1, 0, 1, 0, 1};
    ApplyTitleMenuRules(t, kBoxTitleBar);
    EXPECT_EQ(t.menuBar, 1);

    t = {0, 1, 0, 1, 1};
    ApplyTitleMenuRules(t, kBoxPulldown);
    EXPECT_EQ(t.cascadingMenu, 0);

    t = {1, 0, 0, 1, 1};
    ApplyTitleMenuRules(t, kBoxCascading);
    EXPECT_EQ(t.menuBar, 1);
    EXPECT_EQ(t.pulldownMenu, 1);
}

TEST(CaptureSetup, TitleMenuSampleFollowsTheBoxes)
{
    EXPECT_EQ(TitleMenuSample({1, 1, 1, 1, 0}), 72);
    EXPECT_EQ(TitleMenuSample({1, 1, 1, 1, 1}), 73);
    EXPECT_EQ(TitleMenuSample({1, 1, 0, 0, 1}), 76);
    EXPECT_EQ(TitleMenuSample({0, 1, 1, 1, 1}), 87);
    EXPECT_EQ(TitleMenuSample({0, 0, 0, 0, 1}), kSampleButtonFace);
    EXPECT_EQ(TitleMenuSample({1, 0, 1, 0, 1}), kNoSample);
}

TEST(CaptureSetup, CaptureToolsTexts)
{
    Options options = DefaultOptions(SystemDefaults());
    HotKeyAssignment& keys = options.hotKeys;
    EXPECT_EQ(HotKeyToolText("Hotkey: ", keys, 1), "Hotkey: Ctrl + 1");
    // Esc, Ctrl, Shift, Alt in that order; the space bar by its name.
    keys.modifiers[2][kModAlt] = -1;
    keys.modifiers[2][kModShift] = -1;
    keys.modifiers[2][kModEsc] = -1;
    keys.normalKey[2] = 93;
    EXPECT_EQ(HotKeyToolText("Hotkey: ", keys, 3), "Hotkey: Esc + Ctrl + Shift + Alt + Space");

    // The left double click's column 4 is Freehand (code 5); the last
    // assigned click in the order left double ... right double is named.
    HotButtonOptions hotButton = {{4, 5, 0, 5, 0}};
    EXPECT_EQ(HotButtonToolText(hotButton, 5), 4);  // right single
    EXPECT_EQ(HotButtonToolText(hotButton, 4), 0);  // nothing is Title & Menu
    hotButton = {{4, 0, 0, 0, 0}};
    EXPECT_EQ(HotButtonToolText(hotButton, 5), 1);
}
