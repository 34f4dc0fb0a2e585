// The capture dispatch under Wine with a real frame window standing in for
// the main frame and the real capture engine behind it: trigger codes, the
// drop rules, the countdown on the timer, the trigger context, and the
// background and foreground chords. A capture is seen by its effects: the
// image handed to the frame with its name and size, the armed state and
// the windows Hide All Windows took away.
#include "capture/CaptureCore.h"
#include "capture/CaptureNaming.h"
#include "capture/CaptureState.h"
#include "framework/WinApp.h"
#include "hook/HookWire.h"
#include "image/ImageHandover.h"
#include "resources/resource.h"
#include "shell/AppSettings.h"
#include "shell/CaptureDispatch.h"
#include "tests/capture/CaptureTestSupport.h"
#include "tests/settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

namespace {

std::vector<UINT> g_commands;
std::vector<std::unique_ptr<XImage>> g_images;

// The settings the test frame dispatches with.
AppSettings& TestSettings()
{
    static AppSettings settings;
    return settings;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kMsgTrigger: OnTriggerMessage(TestSettings(), wParam, lParam); return 0;
    case kMsgKeyRelease: OnHotKeyMessage(TestSettings(), wParam, lParam); return 0;
    case WM_COMMAND: g_commands.push_back(LOWORD(wParam)); return 0;
    case kMsgOpenImageWindow: g_images.push_back(TakePostedImage(lParam)); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Ctrl+key released, as the keyboard hook reports it.
WPARAM CtrlRelease(unsigned vk)
{
    return vk | 0x10000u | 0x1000000u | 0x10000000u;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DispatchTestFrame";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        WinApp::SetInstance(wc.hInstance);
        WinApp::SetMainWnd(CreateWindowExA(0, "DispatchTestFrame", "Kestrel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                           50, 500, 300, nullptr, nullptr, wc.hInstance, nullptr));
        ASSERT_NE(WinApp::MainWnd(), nullptr);
        SetForegroundWindow(WinApp::MainWnd());
        Pump();

        TestSettings().UseProfile(&profile);
        SystemDefaults system;
        system.screenWidth = 1024;
        system.screenHeight = 768;
        ReadModeSessionMenu(profile, options);
        ReadAllKeys(profile, options, system);
        // A small Screen capture without a flash keeps the tests quick.
        options.capture.screen.area = RECT{0, 0, 64, 48};
        options.capture.capture.notification = kNoFlash;
        options.capture.capture.bringKestrelToTop = FALSE;
        g_bCaptureBusy = g_bCaptureInProgress = g_bPrinting = g_bTracking = FALSE;
        g_commands.clear();
        g_images.clear();
    }
    void TearDown() override
    {
        if (g_bTracking) AbandonTracking();
        RestoreHiddenWindows();
        g_bCaptureInProgress = FALSE;
        TestSettings().UseProfile(nullptr);
        DestroyWindow(WinApp::MainWnd());
        WinApp::SetMainWnd(nullptr);
    }

    void Trigger(int code, LPARAM cursor = 0)
    {
        SendMessageA(WinApp::MainWnd(), kMsgTrigger, WPARAM(code), cursor);
    }
    // The commands posted to the frame since the last call.
    std::vector<UINT> Commands()
    {
        Pump();
        std::vector<UINT> commands;
        commands.swap(g_commands);
        return commands;
    }
    // The images handed to the frame since the last call.
    std::vector<std::unique_ptr<XImage>> Images()
    {
        Pump();
        std::vector<std::unique_ptr<XImage>> images;
        images.swap(g_images);
        return images;
    }
    // The one image a Screen capture handed to the frame since the last
    // call, or null.
    std::unique_ptr<XImage> ScreenCapture()
    {
        std::vector<std::unique_ptr<XImage>> images = Images();
        if (images.size() != 1 || images[0]->m_nOriginId != UINT(IDS_ORIGIN_SCREEN) || !images[0]->m_hBits)
            return nullptr;
        return std::move(images[0]);
    }

    MapProfile profile;
    Options& options = TestSettings().options;
};

}  // namespace

TEST_F(Dispatch, CtrlOneRunsTheScreenCapture)
{
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, CtrlRelease('1'), LPARAM(cross));
    std::unique_ptr<XImage> image = ScreenCapture();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nWidth, 64);
    EXPECT_EQ(image->m_nHeight, 48);
    EXPECT_FALSE(g_bCaptureInProgress);  // the capture has ended
    EXPECT_EQ(CurrentCaptureRequest().mode, kCaptureScreen);
    EXPECT_EQ(CurrentCaptureRequest().triggerCursor, cross);

    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, CtrlRelease('1') & ~0x1000000u, 0);  // Ctrl+Shift+1
    EXPECT_TRUE(Images().empty());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(Dispatch, TriggersAreDroppedWhileBusyPrintingOrCountingDown)
{
    g_bCaptureBusy = TRUE;
    Trigger(1);
    g_bCaptureBusy = FALSE;
    g_bPrinting = TRUE;
    Trigger(3);
    g_bPrinting = FALSE;
    EXPECT_TRUE(Images().empty());
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(Commands().empty());

    // 3 seconds: beeps at ticks 10, 20, 30 and the capture at the 30th.
    options.capture.screen.countdown = TRUE;
    options.capture.screen.countdownSeconds = 3;
    Trigger(1);
    for (int tick = 1; tick < 30; ++tick) {
        OnMainTimer(TestSettings());
        Trigger(3);  // ignored while counting down
    }
    EXPECT_TRUE(Images().empty());
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(g_bCaptureInProgress);
    EXPECT_TRUE(Commands().empty());
    OnMainTimer(TestSettings());
    EXPECT_NE(ScreenCapture(), nullptr);
    Trigger(3);
    EXPECT_TRUE(g_bTracking);
}

TEST_F(Dispatch, SelectionCapturesNameTheImageAndAbandonArmedOnes)
{
    options.capture.capture.hideAllWindows = TRUE;
    HWND window = CreateColourWindow(RECT{600, 100, 700, 200}, RGB(30, 90, 200));
    Pump();
    Trigger(3);
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_REGION));
    EXPECT_EQ(CurrentCaptureRequest().mode, kCaptureRegion);
    EXPECT_FALSE(IsWindowVisible(window));  // Hide All Windows ran
    EXPECT_TRUE(g_bTracking);
    EXPECT_EQ(GetCapture(), WinApp::MainWnd());

    Trigger(5);  // a new trigger while armed abandons the first selection
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_FREEHAND));
    EXPECT_EQ(CurrentCaptureRequest().mode, kCaptureFreehand);
    EXPECT_TRUE(g_bTracking);

    // Pointer arms nothing: what the abandoned selection hid is back, and
    // the pointer capture hands over its picture at once.
    Trigger(6);
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_POINTER));
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(g_bCaptureInProgress);
    EXPECT_TRUE(Commands().empty());
    std::vector<std::unique_ptr<XImage>> pointer = Images();
    ASSERT_EQ(pointer.size(), 1u);
    EXPECT_EQ(pointer[0]->m_nOriginId, UINT(IDS_ORIGIN_POINTER));

    options.menu.window = 1234;
    {
        MessageBoxWatcher watcher;
        Trigger(4);  // no menu open, Pulldown Menu on, Menu Bar off
        EXPECT_EQ(watcher.Texts(), std::vector<std::string>{"No menu is found."});
    }
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_TITLE_MENU));
    EXPECT_EQ(options.menu.window, 1234);  // the stored value stays

    Trigger(7);
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_BUTTON));
    EXPECT_TRUE(g_bTracking);

    options.capture.window.choice = kActiveWindow;
    Trigger(2);
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_WINDOW));
    EXPECT_FALSE(g_bTracking);
    EXPECT_FALSE(g_bCaptureInProgress);
    std::vector<std::unique_ptr<XImage>> images = Images();  // the frame, the foreground window
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->m_nOriginId, UINT(IDS_ORIGIN_WINDOW));
    RECT frame;
    GetWindowRect(WinApp::MainWnd(), &frame);
    EXPECT_EQ(images[0]->m_nWidth, frame.right - frame.left);
    options.capture.window.choice = kSelectWindow;
    Trigger(2);
    EXPECT_TRUE(g_bTracking);
    EXPECT_TRUE(Commands().empty());
    DestroyWindow(window);
}

TEST_F(Dispatch, OpenMenuBlocksSelectionCaptures)
{
    HWND menu = CreateWindowExA(0, "#32768", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(menu, nullptr);
    options.menu.window = int(reinterpret_cast<INT_PTR>(menu));
    Trigger(3);
    Trigger(7);
    options.capture.window.choice = kSelectWindow;
    Trigger(2);
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(Images().empty());
    options.capture.window.choice = kActiveWindow;
    Trigger(2);
    EXPECT_EQ(CaptureOriginId(CurrentCaptureRequest().mode), UINT(IDS_ORIGIN_WINDOW));
    DestroyWindow(menu);

    // A stored value naming a visible window of another class is no menu.
    options.menu.window = int(reinterpret_cast<INT_PTR>(WinApp::MainWnd()));
    Trigger(3);
    EXPECT_TRUE(g_bTracking);
}

TEST_F(Dispatch, ButtonReportsSnapshotsAndOtherCodes)
{
    const HCURSOR recorded = reinterpret_cast<HCURSOR>(0x55);
    Trigger(0, LPARAM(recorded));
    const HWND frame = WinApp::MainWnd();
    ASSERT_EQ(CurrentCaptureRequest().triggerWindow, frame);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 400, 50, 50, nullptr, nullptr, nullptr,
                                 nullptr);
    SetForegroundWindow(other);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), other);
    Trigger(14, 1);
    EXPECT_TRUE(g_bLastButtonRight);
    // A report is no trigger: the context stays as the last trigger left it.
    EXPECT_EQ(CurrentCaptureRequest().triggerCursor, recorded);
    EXPECT_EQ(CurrentCaptureRequest().triggerWindow, frame);
    DestroyWindow(other);
    SetForegroundWindow(frame);
    Pump();

    Trigger(13);
    EXPECT_TRUE(g_bSnapshotPressed);
    EXPECT_TRUE(g_bCaptureInProgress);
    Trigger(12);
    EXPECT_FALSE(g_bSnapshotPressed);
    // No button was under the press: the release starts nothing and ends
    // the capture state the press began.
    EXPECT_FALSE(g_bCaptureInProgress);

    Trigger(0, 0x66);
    Trigger(8);
    Trigger(9);
    Trigger(99);
    EXPECT_TRUE(Images().empty());
    EXPECT_FALSE(g_bTracking);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(CurrentCaptureRequest().triggerCursor, reinterpret_cast<HCURSOR>(0x66));
    EXPECT_EQ(CurrentCaptureRequest().triggerWindow, GetForegroundWindow());

    Trigger(300);
    EXPECT_EQ(CurrentCaptureRequest().mode, 300);

    Trigger(256);  // the frame is active: help contents
    EXPECT_EQ(Commands(), std::vector<UINT>{UINT(ID_HELP_CONTENTS)});
}

TEST_F(Dispatch, BackgroundAndForegroundChords)
{
    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, 'B', 0);  // Ctrl+Shift+Alt+B, Esc up
    EXPECT_FALSE(IsWindowVisible(WinApp::MainWnd()));
    EXPECT_EQ(options.mode.runningMode, 0);
    EXPECT_EQ(profile.keys["Mode"], "0,0,1");

    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, 'F' | 0x10000000u, 0);
    EXPECT_TRUE(IsWindowVisible(WinApp::MainWnd()));
    EXPECT_EQ(options.mode.runningMode, 1);
    EXPECT_EQ(profile.keys["Mode"], "0,0,1");  // written at the next write only
}
