// The after-capture pipeline end to end on the display: the window and
// clipboard destinations against an independent read of the screen, and
// the quiet and out-of-memory endings, which must clear both flags, leave
// no half-made image and show windows hidden for the capture again.
#include "CaptureTestSupport.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureOptions.h"
#include "capture/CaptureState.h"
#include "image/XImage.h"
#include "shell/AppState.h"

#include <gtest/gtest.h>

namespace {

// Collects the commands FinishCapture posts to the main frame.
class FinishCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCaptureOptionDefaults(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        g_nNotification = kNoFlash;
        g_bBringKestrelToTop = FALSE;
        m_frame = CreateWindowExA(0, "STATIC", "Kestrel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_hMainWnd = m_frame;
        g_pPendingImage = new XImage;
        m_window = CreateColourWindow(RECT{100, 100, 340, 260}, RGB(200, 40, 90));
        PumpMessages(150);
    }
    void TearDown() override
    {
        DestroyWindow(m_window);
        DestroyWindow(m_frame);
        delete g_pPendingImage;
        g_pPendingImage = nullptr;
        g_hMainWnd = nullptr;
    }
    // Commands posted to the frame, in order.
    std::vector<WPARAM> PostedCommands()
    {
        std::vector<WPARAM> commands;
        MSG msg;
        while (PeekMessageA(&msg, m_frame, WM_COMMAND, WM_COMMAND, PM_REMOVE)) commands.push_back(msg.wParam);
        return commands;
    }
    void ExpectIdle()
    {
        EXPECT_FALSE(g_bCaptureBusy);
        EXPECT_FALSE(g_bCaptureInProgress);
        EXPECT_EQ(g_pPendingImage->m_bitmap, nullptr);
    }
    HWND m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(FinishCaptureTest, ScreenCaptureToWindowHoldsTheScreenPixels)
{
    g_rcScreenArea = RECT{80, 90, 361, 270};
    g_bDisplayImageInfo = TRUE;
    Pixels want = ReadScreen(g_rcScreenArea);
    CaptureScreen();
    ExpectIdle();
    XImage* image = g_pPendingImage;
    EXPECT_EQ(image->m_nOriginId, 32918u);
    EXPECT_EQ(image->m_nWidth, 281);
    EXPECT_EQ(image->m_nHeight, 180);
    EXPECT_EQ(image->m_nBitCount, 24);
    ASSERT_NE(image->m_hBits, nullptr);
    ASSERT_NE(image->m_hInfo, nullptr);
    EXPECT_TRUE(ReadImageBlock(image->m_hBits, 281, 180) == want);
    EXPECT_NE(image->m_tStamp, 0);
    // New first, then Image Info, so that the info finds the new window.
    EXPECT_EQ(PostedCommands(), (std::vector<WPARAM>{57600, 32780}));
}

TEST_F(FinishCaptureTest, ClipboardOnlyLeavesBitmapOnClipboardAndNoWindow)
{
    g_rcScreenArea = RECT{90, 95, 200, 190};
    g_bSendToWindow = FALSE;
    g_bSendToClipboard = TRUE;
    Pixels want = ReadScreen(g_rcScreenArea);
    CaptureScreen();
    ExpectIdle();
    EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
    EXPECT_EQ(g_pPendingImage->m_hInfo, nullptr);
    EXPECT_TRUE(PostedCommands().empty());
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP onClipboard = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    Pixels got = onClipboard ? ReadBitmap(onClipboard) : Pixels();
    CloseClipboard();
    EXPECT_TRUE(got == want);
}

TEST_F(FinishCaptureTest, EmptyOrReversedAreaEndsQuietlyAndRestoresWindows)
{
    MessageBoxWatcher watcher;
    g_bHideAllWindows = TRUE;
    for (RECT area : {RECT{100, 100, 100, 300}, RECT{300, 300, 100, 100}}) {
        g_rcScreenArea = area;
        g_pPendingImage->m_nOriginId = 0;
        CaptureScreen();
        ExpectIdle();
        EXPECT_TRUE(IsWindowVisible(m_window));
        EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
        EXPECT_TRUE(PostedCommands().empty());
    }
    PumpMessages(100);
    EXPECT_TRUE(watcher.Texts().empty());
}

TEST_F(FinishCaptureTest, BitmapThatCannotBeMadeReportsInsufficientMemory)
{
    MessageBoxWatcher watcher;
    g_bHideAllWindows = TRUE;
    g_bSendToClipboard = TRUE;
    g_rcScreenArea = RECT{0, 0, 200000, 200000};
    CaptureScreen();
    ExpectIdle();
    EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);
    EXPECT_EQ(g_pPendingImage->m_hInfo, nullptr);
    EXPECT_EQ(g_pPendingImage->m_nOriginId, 32963u);
    EXPECT_TRUE(IsWindowVisible(m_window));
    EXPECT_TRUE(PostedCommands().empty());
    PumpMessages(100);
    EXPECT_EQ(watcher.Texts(), std::vector<std::string>{"Insufficient memory!"});
}

TEST_F(FinishCaptureTest, FailedFileWriteStillEndsTheCaptureAndNumbersOn)
{
    g_rcScreenArea = RECT{100, 100, 150, 150};
    g_bSendToFile = TRUE;
    g_strFileNameDirect = "IMG0009.BMP";
    CaptureScreen();
    ExpectIdle();
    // Nothing was written (no writer here): the window keeps the capture's
    // name rather than a path to a file that does not exist.
    EXPECT_EQ(g_pPendingImage->m_nOriginId, 32918u);
    EXPECT_TRUE(g_pPendingImage->m_strTitle.empty());
    EXPECT_EQ(g_strFileNameDirect, "IMG0010.BMP");
    EXPECT_EQ(PostedCommands(), std::vector<WPARAM>{57600});
}
