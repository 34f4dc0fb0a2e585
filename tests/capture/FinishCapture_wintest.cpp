// The after-capture pipeline end to end on the display: the window and
// clipboard destinations against an independent read of the screen, and
// the quiet and out-of-memory endings, which must clear both flags, hand
// no half-made image to a window and show windows hidden for the capture
// again.
#include "CaptureTestSupport.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "framework/WinApp.h"
#include "image/ImageHandover.h"
#include "image/XImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

// Stands for an image handed to a new window among the posted commands.
const WPARAM kOpenWindow = 0;

// Collects the commands and images FinishCapture posts to the main frame.
class FinishCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        options.capture.capture.notification = kNoFlash;
        options.capture.capture.bringKestrelToTop = FALSE;
        m_frame = CreateWindowExA(0, "STATIC", "Kestrel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        WinApp::SetMainWnd(m_frame);
        m_window = CreateColourWindow(RECT{100, 100, 340, 260}, RGB(200, 40, 90));
        PumpMessages(150);
    }
    void TearDown() override
    {
        DestroyWindow(m_window);
        DestroyWindow(m_frame);
        WinApp::SetMainWnd(nullptr);
    }
    // What was posted to the frame, in order: a command's id, or
    // kOpenWindow for an image handed to a new window (kept in m_images).
    std::vector<WPARAM> Posted()
    {
        std::vector<WPARAM> posted;
        MSG msg;
        while (PeekMessageA(&msg, m_frame, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_COMMAND) posted.push_back(msg.wParam);
            if (msg.message != kMsgOpenImageWindow) continue;
            posted.push_back(kOpenWindow);
            m_images.push_back(TakePostedImage(msg.lParam));
        }
        return posted;
    }
    // The one image handed to a window since the last call.
    XImage* HandedImage()
    {
        m_images.clear();
        EXPECT_EQ(Posted(), std::vector<WPARAM>{kOpenWindow});
        return m_images.size() == 1 ? m_images[0].get() : nullptr;
    }
    void ExpectIdle()
    {
        EXPECT_FALSE(g_bCaptureBusy);
        EXPECT_FALSE(g_bCaptureInProgress);
    }
    std::vector<std::unique_ptr<XImage>> m_images;
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
    // The image first, then Image Info, so that the info finds the new window.
    EXPECT_EQ(Posted(), (std::vector<WPARAM>{kOpenWindow, 32780}));
    ASSERT_EQ(m_images.size(), 1u);
    XImage* image = m_images[0].get();
    EXPECT_EQ(image->m_nOriginId, 32918u);
    EXPECT_EQ(image->m_nWidth, 281);
    EXPECT_EQ(image->m_nHeight, 180);
    EXPECT_EQ(image->m_nBitCount, 24);
    ASSERT_NE(image->m_hBits, nullptr);
    ASSERT_NE(image->m_hInfo, nullptr);
    EXPECT_TRUE(ReadImageBlock(image->m_hBits, 281, 180) == want);
    EXPECT_NE(image->m_tStamp, 0);
    EXPECT_EQ(image->m_bitmap, nullptr);
}

TEST_F(FinishCaptureTest, ClipboardOnlyLeavesBitmapOnClipboardAndNoWindow)
{
    options.capture.screen.area = RECT{90, 95, 200, 190};
    options.capture.sendTo.window = FALSE;
    options.capture.sendTo.clipboard = TRUE;
    Pixels want = ReadScreen(options.capture.screen.area);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    ExpectIdle();
    EXPECT_TRUE(Posted().empty());
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
        CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
        ExpectIdle();
        EXPECT_TRUE(IsWindowVisible(m_window));
        EXPECT_TRUE(Posted().empty());
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
    EXPECT_TRUE(IsWindowVisible(m_window));
    EXPECT_TRUE(Posted().empty());
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
    XImage* image = HandedImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nOriginId, 32918u);
    EXPECT_TRUE(image->m_strTitle.empty());
    EXPECT_EQ(options.files.fileNameDirect, "IMG0010.BMP");
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
    XImage* image = HandedImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nOriginId, 57604u);
    EXPECT_EQ(image->m_strTitle, path);
    EXPECT_EQ(options.files.fileNameDirect, "CAP0100.BMP");
    EXPECT_TRUE(ReadBmpFile(path) == want);
    DeleteFileA(path.c_str());

    // Filename by Time: day, hour, minute and second of the capture, local;
    // the capture's second lies between the two readings of the clock.
    options.capture.sendTo.fileNaming = kFileNameByTime;
    options.capture.sendTo.window = FALSE;
    const time_t before = std::time(nullptr);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    const time_t after = std::time(nullptr);
    ExpectIdle();
    EXPECT_TRUE(Posted().empty());  // no window
    std::string expected;
    for (time_t stamp = before; stamp <= after && expected.empty(); ++stamp) {
        const std::tm* local = std::localtime(&stamp);
        char name[16];
        std::snprintf(name, sizeof name, "%02d%02d%02d%02d.BMP", local->tm_mday, local->tm_hour, local->tm_min,
                      local->tm_sec);
        if (options.files.fileNameDirect == name) expected = name;
    }
    ASSERT_FALSE(expected.empty()) << options.files.fileNameDirect;
    EXPECT_TRUE(ReadBmpFile(options.files.pathNameDirect + expected) == want);
    DeleteFileA((options.files.pathNameDirect + expected).c_str());
}

TEST_F(FinishCaptureTest, AutomaticNameNeverOverwritesAnExistingFile)
{
    options.capture.screen.area = RECT{40, 30, 90, 70};
    options.capture.sendTo.file = TRUE;
    options.files.pathNameDirect = TempFolder();
    options.files.fileNameDirect = "KEEP0007.BMP";
    const std::string kept = options.files.pathNameDirect + "KEEP0007.BMP";
    const std::string next = options.files.pathNameDirect + "KEEP0008.BMP";
    DeleteFileA(next.c_str());
    HANDLE file = CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "keep", 4, &written, nullptr);
    CloseHandle(file);
    Pixels want = ReadScreen(options.capture.screen.area);
    CaptureScreen(CaptureRequest(), CaptureSettingsOf(options));
    ExpectIdle();
    XImage* image = HandedImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_strTitle, next);
    EXPECT_EQ(options.files.fileNameDirect, "KEEP0009.BMP");
    EXPECT_TRUE(ReadBmpFile(next) == want);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(kept.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 4u);
    DeleteFileA(kept.c_str());
    DeleteFileA(next.c_str());
}
