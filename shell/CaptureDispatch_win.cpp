// Capture dispatch: decides from a trigger code which capture starts. The
// hotkey matching and the countdown are portable (HotKey, Countdown); this
// file reads the system (pointer, foreground and menu windows) and calls
// the capture engine.
//
// Triggers are dropped, not queued, while a capture is busy, a countdown
// runs or the printing flag is set. A trigger that arrives while a
// selection is armed (before its mouse-down) abandons that selection.
#include "CaptureDispatch.h"

#include "CaptureDispatchSeams.h"
#include "Countdown.h"
#include "HotKey.h"
#include "Settings.h"
#include "TitleBarSeams.h"

#include "../capture/CaptureCore.h"
#include "../capture/CaptureOptions.h"
#include "../capture/CaptureState.h"
#include "../framework/WinApp.h"
#include "../hook/HookWire.h"
#include "../hook/kesthook.h"
#include "../image/XImage.h"
#include "../resources/resource.h"

#include <cstring>

POINT g_ptLastButton = {0, 0};
BOOL g_bLastButtonRight = FALSE;
BOOL g_bSnapshotPressed = FALSE;

namespace {

Countdown g_countdown;

void SendTrigger(int code, LPARAM cursor)
{
    SendMessageA(WinApp::MainWnd(), kMsgTrigger, WPARAM(code), cursor);
}

// The menu window recorded in the settings. A value left over from an
// earlier session may name any window by now, so it counts only while it
// is still a pop-up menu window.
HWND RecordedMenuWindow()
{
    HWND menu = reinterpret_cast<HWND>(static_cast<intptr_t>(g_nMenuWindow));
    if (!menu || !IsWindow(menu)) return nullptr;
    char name[16] = {};
    GetClassNameA(menu, name, sizeof name);
    return std::strcmp(name, "#32768") == 0 ? menu : nullptr;
}

bool MenuWindowVisible()
{
    HWND menu = RecordedMenuWindow();
    return menu && IsWindowVisible(menu);
}

void SetPendingName(UINT id)
{
    if (g_pPendingImage) g_pPendingImage->m_nOriginId = id;
}

void StartScreenTrigger()
{
    g_nCaptureMode = kCaptureScreen;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    if (g_bScreenCountdown)
        g_countdown.Start(ScreenCountdownSeconds());
    else
        SendTrigger(kCaptureScreen, 0);
}

void StartWindowTrigger()
{
    if (MenuWindowVisible() && g_nWindowChoice == kSelectWindow) return;
    g_nCaptureMode = kCaptureWindow;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    if (g_bWindowCountdown)
        g_countdown.Start(WindowCountdownSeconds());
    else
        SendTrigger(kCaptureWindow, 0);
}

// Region (3) and Freehand (5): hide the windows and arm the selection.
void StartFrozenSelection(int code)
{
    if (MenuWindowVisible()) return;
    g_nCaptureMode = code;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    HideAllWindows();
    SetPendingName(code == kCaptureRegion ? IDS_ORIGIN_REGION : IDS_ORIGIN_FREEHAND);
    ArmTracking();
}

void StartTitleMenu()
{
    g_nCaptureMode = kCaptureTitleMenu;
    if (g_bTitleBar || g_bMenuBar) PrepareTitleBar();
    SetPendingName(IDS_ORIGIN_TITLE_MENU);
    // The selection may record another menu window; the stored value stays.
    const int recorded = g_nMenuWindow;
    SelectTitleAndMenu();
    g_nMenuWindow = recorded;
}

void StartPointer()
{
    g_nCaptureMode = kCapturePointer;
    SetPendingName(IDS_ORIGIN_POINTER);
    FinishCapture();
}

void StartButton()
{
    if (MenuWindowVisible()) return;
    g_nCaptureMode = kCaptureButton;
    PrepareTitleBar();
    SetPendingName(IDS_ORIGIN_BUTTON);
    ArmTracking();
}

void CaptureWindowNow()
{
    g_nCaptureMode = kCaptureWindow;
    SetPendingName(IDS_ORIGIN_WINDOW);
    // Any stored choice but Select a Window grabs the active window, so an
    // unknown value cannot leave the capture in progress for good.
    if (g_nWindowChoice == kSelectWindow)
        ArmTracking();
    else
        CaptureActiveWindow();
}

void SnapshotReleased()
{
    g_bSnapshotPressed = FALSE;
    UpdateSnapshotButtons();
    SendTrigger(PressedSnapshotCode(), 0);
}

void SnapshotPressed()
{
    g_bSnapshotPressed = TRUE;
    g_bCaptureInProgress = TRUE;
    ShowPressedSnapshotButton();
}

void SwitchToBackground()
{
    g_nRunningMode = 0;
    ShowWindow(WinApp::MainWnd(), SW_HIDE);
    WriteExitSettings();
}

void SwitchToForeground()
{
    BringMainFrameForward();
    g_nRunningMode = 1;
}

void ShowHelpContents()
{
    if (GetActiveWindow() == WinApp::MainWnd()) PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_HELP_CONTENTS, 0);
}

}  // namespace

void OnTriggerMessage(WPARAM wParam, LPARAM cursor)
{
    if (g_bCaptureBusy || g_countdown.Active() || g_bPrinting) return;
    const int code = int(wParam);
    if (code == kCodeButtonReport) {
        GetCursorPos(&g_ptLastButton);
        g_bLastButtonRight = cursor != 0;
        return;
    }

    if (cursor) TriggerCursor = reinterpret_cast<HCURSOR>(cursor);
    if (g_bTracking) AbandonTracking();
    TriggerWindow = GetForegroundWindow();

    if (code > kCodeHelp) {
        g_nCaptureMode = code;
        return;
    }
    switch (code) {
    case kCodeHelp: ShowHelpContents(); break;
    case kCaptureScreenTrigger: StartScreenTrigger(); break;
    case kCaptureWindowTrigger: StartWindowTrigger(); break;
    case kCaptureRegion:
    case kCaptureFreehand: StartFrozenSelection(code); break;
    case kCaptureTitleMenu: StartTitleMenu(); break;
    case kCapturePointer: StartPointer(); break;
    case kCaptureButton: StartButton(); break;
    case kCaptureScreen: g_nCaptureMode = kCaptureScreen; CaptureScreen(); break;
    case kCaptureWindow: CaptureWindowNow(); break;
    case kCodeSnapshotRelease: SnapshotReleased(); break;
    case kCodeSnapshotPress: SnapshotPressed(); break;
    case kCodeBackground: SwitchToBackground(); break;
    case kCodeForeground: SwitchToForeground(); break;
    default: break;  // 0, 8, 9 and unknown codes: the trigger context only
    }
}

void OnHotKeyMessage(WPARAM report, LPARAM cursor)
{
    const int code = MatchHotKey(uint32_t(report), g_hotKeys);
    if (code) SendTrigger(code, cursor);
}

void OnMainTimer()
{
    UpdateSnapshotButtons();
    DrawTitleClock();
    ClickCounter();
    const Countdown::Tick tick = g_countdown.OnTick();
    if (tick.beep) MessageBeep(MB_OK);
    if (tick.fire) SendTrigger(g_nCaptureMode, 0);
}
