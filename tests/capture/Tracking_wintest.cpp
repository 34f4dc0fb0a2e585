// The armed state: arming freezes the screen and takes the mouse; a new
// trigger abandons it and brings everything back; a click that selects
// nothing ends the capture quietly with everything back as well.
#include "CaptureTestSupport.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "capture/CoverWindow.h"
#include "framework/WinApp.h"
#include "image/ImageHandover.h"

#include <gtest/gtest.h>

namespace {

class TrackingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureCoverWindowClass());
        ASSERT_TRUE(CreateCoverWindow(GetModuleHandleA(nullptr)));
        options.capture.capture.notification = kNoFlash;
        options.capture.capture.hideAllWindows = TRUE;
        m_frame = CreateWindowExA(0, "STATIC", "Kestrel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        WinApp::SetMainWnd(m_frame);
        m_window = CreateColourWindow(RECT{100, 100, 300, 200}, RGB(40, 160, 60));
        PumpMessages(100);
    }
    void TearDown() override
    {
        DestroyCoverWindow();
        DestroyWindow(m_window);
        DestroyWindow(m_frame);
        WinApp::SetMainWnd(nullptr);
    }
    // What the dispatcher does for a Region trigger.
    void ArmRegion()
    {
        g_bCaptureInProgress = TRUE;
        HideAllWindows(options.capture.capture);
        ArmTracking(region);
        ASSERT_TRUE(g_bTracking);
        EXPECT_FALSE(IsWindowVisible(m_window));
        EXPECT_TRUE(IsWindowVisible(CoverWindowHandle()));
        EXPECT_NE(FrozenScreenBitmap(), nullptr);
        EXPECT_EQ(GetCapture(), m_frame);
    }
    void ExpectAllBack()
    {
        EXPECT_FALSE(g_bTracking);
        EXPECT_FALSE(g_bCaptureInProgress);
        EXPECT_FALSE(g_bCaptureBusy);
        EXPECT_FALSE(IsWindowVisible(CoverWindowHandle()));
        EXPECT_EQ(FrozenScreenBitmap(), nullptr);
        EXPECT_TRUE(IsWindowVisible(m_window));
        EXPECT_EQ(GetCapture(), nullptr);
        // Nothing was handed to a window.
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, m_frame, kMsgOpenImageWindow, kMsgOpenImageWindow, PM_NOREMOVE));
    }
    Options options = DefaultOptions(ScreenDefaults());
    CaptureRequest region = RequestFor(kCaptureRegion, RECT{0, 0, 0, 0});
    HWND m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(TrackingTest, NewTriggerAbandonsArmedRegionCapture)
{
    ArmRegion();
    AbandonTracking();
    ExpectAllBack();
}

TEST_F(TrackingTest, ClickWithoutSelectionEndsQuietly)
{
    MessageBoxWatcher watcher;
    ArmRegion();
    OnTrackingMouseDown(region, CaptureSettingsOf(options));
    ExpectAllBack();
    PumpMessages(100);
    EXPECT_TRUE(watcher.Texts().empty());
}
