// The capture dispatch under Wine with a real frame window standing in for
// the main frame: trigger codes, the drop rules, the countdown on the
// timer, and the background and foreground chords.
#include "DispatchStandIns.h"

#include "capture/CaptureNaming.h"
#include "capture/CaptureState.h"
#include "framework/WinApp.h"
#include "hook/HookWire.h"
#include "resources/resource.h"
#include "shell/CaptureDispatch.h"
#include "tests/settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

std::vector<UINT> g_commands;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kMsgTrigger: OnTriggerMessage(TestSettings(), wParam, lParam); return 0;
    case kMsgKeyRelease: OnHotKeyMessage(TestSettings(), wParam, lParam); return 0;
    case WM_COMMAND: g_commands.push_back(LOWORD(wParam)); return 0;
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
        g_bCaptureBusy = g_bCaptureInProgress = g_bPrinting = g_bTracking = FALSE;
        g_nCaptureMode = 0;
        g_calls.clear();
        g_commands.clear();
    }
    void TearDown() override
    {
        TestSettings().UseProfile(nullptr);
        DestroyWindow(WinApp::MainWnd());
        WinApp::SetMainWnd(nullptr);
    }

    void Trigger(int code, LPARAM cursor = 0)
    {
        SendMessageA(WinApp::MainWnd(), kMsgTrigger, WPARAM(code), cursor);
    }

    MapProfile profile;
    Options& options = TestSettings().options;
};

}  // namespace

TEST_F(Dispatch, CtrlOneRunsTheScreenCapture)
{
    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, CtrlRelease('1'), 0x777);
    EXPECT_EQ(CallCount("CaptureScreen"), 1);
    EXPECT_EQ(CallCount("PrepareTitleBar"), 1);
    EXPECT_EQ(g_nCaptureMode, 10);
    EXPECT_TRUE(g_bCaptureInProgress);
    EXPECT_EQ(TriggerCursor, reinterpret_cast<HCURSOR>(0x777));

    g_calls.clear();
    SendMessageA(WinApp::MainWnd(), kMsgKeyRelease, CtrlRelease('1') & ~0x1000000u, 0);  // Ctrl+Shift+1
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(Dispatch, TriggersAreDroppedWhileBusyPrintingOrCountingDown)
{
    g_bCaptureBusy = TRUE;
    Trigger(1);
    g_bCaptureBusy = FALSE;
    g_bPrinting = TRUE;
    Trigger(3);
    g_bPrinting = FALSE;
    EXPECT_TRUE(g_calls.empty());

    // 3 seconds: beeps at ticks 10, 20, 30 and the capture at the 30th.
    options.capture.screen.countdown = TRUE;
    options.capture.screen.countdownSeconds = 3;
    Trigger(1);
    for (int tick = 1; tick < 30; ++tick) {
        OnMainTimer(TestSettings());
        Trigger(3);  // ignored while counting down
    }
    EXPECT_EQ(CallCount("CaptureScreen"), 0);
    EXPECT_EQ(CallCount("ArmTracking"), 0);
    OnMainTimer(TestSettings());
    EXPECT_EQ(CallCount("CaptureScreen"), 1);
    EXPECT_EQ(CallCount("DrawTitleClock"), 30);
    Trigger(3);
    EXPECT_EQ(CallCount("ArmTracking"), 1);
}

TEST_F(Dispatch, SelectionCapturesNameTheImageAndAbandonArmedOnes)
{
    Trigger(3);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_REGION));
    EXPECT_EQ(g_nCaptureMode, 3);
    EXPECT_EQ(CallCount("HideAllWindows"), 1);
    EXPECT_TRUE(g_bTracking);

    Trigger(5);  // a new trigger while armed abandons the first selection
    EXPECT_EQ(CallCount("AbandonTracking"), 1);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_FREEHAND));

    g_bTracking = FALSE;
    g_calls.clear();
    Trigger(6);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_POINTER));
    EXPECT_EQ(CallCount("FinishCapture"), 1);

    options.menu.window = 1234;
    Trigger(4);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_TITLE_MENU));
    EXPECT_EQ(CallCount("SelectTitleAndMenu"), 1);
    EXPECT_EQ(options.menu.window, 1234);  // put back after the selection
    EXPECT_EQ(CallCount("PrepareTitleBar"), 0);  // Title Bar and Menu Bar are off

    Trigger(7);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_BUTTON));

    g_calls.clear();
    g_bTracking = FALSE;
    options.capture.window.choice = kActiveWindow;
    Trigger(2);
    EXPECT_EQ(CaptureOriginId(g_nCaptureMode), UINT(IDS_ORIGIN_WINDOW));
    EXPECT_EQ(CallCount("CaptureActiveWindow"), 1);
    options.capture.window.choice = kSelectWindow;
    Trigger(2);
    EXPECT_EQ(CallCount("ArmTracking"), 1);
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
    EXPECT_TRUE(std::find(g_calls.begin(), g_calls.end(), "ArmTracking") == g_calls.end());
    options.capture.window.choice = kActiveWindow;
    Trigger(2);
    EXPECT_EQ(CallCount("CaptureActiveWindow"), 1);
    DestroyWindow(menu);

    // A stored value naming a visible window of another class is no menu.
    g_calls.clear();
    options.menu.window = int(reinterpret_cast<INT_PTR>(WinApp::MainWnd()));
    Trigger(3);
    EXPECT_EQ(CallCount("ArmTracking"), 1);
}

TEST_F(Dispatch, ButtonReportsSnapshotsAndOtherCodes)
{
    TriggerCursor = reinterpret_cast<HCURSOR>(0x55);
    TriggerWindow = nullptr;
    Trigger(14, 1);
    EXPECT_TRUE(g_bLastButtonRight);
    EXPECT_EQ(TriggerCursor, reinterpret_cast<HCURSOR>(0x55));
    EXPECT_EQ(TriggerWindow, nullptr);  // a report is no trigger

    Trigger(13);
    EXPECT_TRUE(g_bSnapshotPressed);
    EXPECT_TRUE(g_bCaptureInProgress);
    g_nPressedSnapshotCode = 1;
    Trigger(12);
    EXPECT_FALSE(g_bSnapshotPressed);
    EXPECT_EQ(CallCount("CaptureScreen"), 1);
    g_nPressedSnapshotCode = 0;

    g_calls.clear();
    Trigger(0, 0x66);
    Trigger(8);
    Trigger(9);
    Trigger(99);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(TriggerCursor, reinterpret_cast<HCURSOR>(0x66));
    EXPECT_EQ(TriggerWindow, GetForegroundWindow());

    Trigger(300);
    EXPECT_EQ(g_nCaptureMode, 300);

    Trigger(256);  // the frame is active: help contents
    Pump();
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], UINT(ID_HELP_CONTENTS));
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
