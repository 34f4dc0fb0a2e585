// The after-capture pipeline end to end on the display: the window and
// clipboard destinations against an independent read of the screen, and
// the quiet and out-of-memory endings, which must clear both flags, leave
// no half-made image and show windows hidden for the capture again.
#include "CaptureTestSupport.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "framework/WinApp.h"
#include "image/XImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

namespace {

// Collects the commands FinishCapture posts to the main frame.
class FinishCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        options.capture.capture.notification = kNoFlash;
        options.capture.capture.bringKestrelToTop = FALSE;
        m_frame = CreateWindowExA(0, "STATIC", "Kestrel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        WinApp::SetMainWnd(m_frame);
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
        WinApp::SetMainWnd(nullptr);
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
    Options options = DefaultOptions(ScreenDefaults());
    HWND m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(FinishCaptureTest, ScreenCaptureToWindowHoldsTheScreenPixels)
{
    options.capture.screen.area = RECT{80, 90, 361, 270};
    options.capture.capture.displayImageInfo = TRUE;
    Pixels want = ReadScreen(options.capture.screen.area);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
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
    options.capture.screen.area = RECT{90, 95, 200, 190};
    options.capture.sendTo.window = FALSE;
    options.capture.sendTo.clipboard = TRUE;
    Pixels want = ReadScreen(options.capture.screen.area);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
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
    options.capture.capture.hideAllWindows = TRUE;
    for (RECT area : {RECT{100, 100, 100, 300}, RECT{300, 300, 100, 100}}) {
        options.capture.screen.area = area;
        g_pPendingImage->m_nOriginId = 0;
        CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
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
    options.capture.capture.hideAllWindows = TRUE;
    options.capture.sendTo.clipboard = TRUE;
    options.capture.screen.area = RECT{0, 0, 200000, 200000};
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
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
    MessageBoxWatcher watcher;
    options.capture.screen.area = RECT{100, 100, 150, 150};
    options.capture.sendTo.file = TRUE;
    options.files.pathNameDirect = "C:\\no\\such\\folder";
    options.files.fileNameDirect = "IMG0009.BMP";
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    ExpectIdle();
    // The window keeps the capture's name rather than a path to a file
    // that does not exist; the writer's message was shown.
    EXPECT_EQ(g_pPendingImage->m_nOriginId, 32918u);
    EXPECT_TRUE(g_pPendingImage->m_strTitle.empty());
    EXPECT_EQ(options.files.fileNameDirect, "IMG0010.BMP");
    EXPECT_EQ(PostedCommands(), std::vector<WPARAM>{57600});
    PumpMessages(100);
    EXPECT_EQ(watcher.Texts().size(), 1u);
}

namespace {

// Pixels of a 24-bit bottom-up BMP file, read by the file layout alone.
Pixels ReadBmpFile(const std::string& path)
{
    Pixels p;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return p;
    std::vector<BYTE> bytes(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(file);
    if (got < 54 || bytes[0] != 'B' || bytes[1] != 'M') return p;
    auto u32 = [&](size_t at) { return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24; };
    uint32_t offset = u32(10);
    int width = int(u32(18)), height = int(u32(22));
    if ((bytes[28] | bytes[29] << 8) != 24) return p;
    size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
    if (offset + rowBytes * height > bytes.size()) return p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = bytes.data() + offset + size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x)
            p.data.push_back(uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x]);
    }
    return p;
}

std::string TempFolder()
{
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, n);  // ends in a backslash
}

}  // namespace

TEST_F(FinishCaptureTest, SendToFileWritesTheScreenAndTitlesTheWindowWithThePath)
{
    options.capture.screen.area = RECT{95, 97, 190, 171};
    options.capture.sendTo.file = TRUE;
    options.files.pathNameDirect = TempFolder();
    options.files.fileNameDirect = "CAP0099.BMP";
    std::string path = options.files.pathNameDirect + "CAP0099.BMP";
    DeleteFileA(path.c_str());
    Pixels want = ReadScreen(options.capture.screen.area);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    ExpectIdle();
    EXPECT_EQ(g_pPendingImage->m_nOriginId, 57604u);
    EXPECT_EQ(g_pPendingImage->m_strTitle, path);
    EXPECT_EQ(options.files.fileNameDirect, "CAP0100.BMP");
    EXPECT_TRUE(ReadBmpFile(path) == want);
    EXPECT_EQ(PostedCommands(), std::vector<WPARAM>{57600});
    DeleteFileA(path.c_str());

    // Filename by Time: day, hour, minute and second of the capture, local.
    options.capture.sendTo.fileNaming = kFileNameByTime;
    options.capture.sendTo.window = FALSE;
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    ExpectIdle();
    time_t stamp = time_t(g_pPendingImage->m_tStamp);
    const std::tm* local = std::localtime(&stamp);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d%02d%02d%02d.BMP", local->tm_mday, local->tm_hour, local->tm_min,
                  local->tm_sec);
    EXPECT_EQ(options.files.fileNameDirect, expected);
    EXPECT_TRUE(ReadBmpFile(options.files.pathNameDirect + expected) == want);
    EXPECT_EQ(g_pPendingImage->m_hBits, nullptr);  // no window: blocks freed
    DeleteFileA((options.files.pathNameDirect + expected).c_str());
}
