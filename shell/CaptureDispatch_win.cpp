// Capture dispatch: decides from a trigger code which capture starts. The
// hotkey matching and the countdown are portable (HotKey, Countdown); this
// file reads the system (pointer, foreground and menu windows), builds the
// capture request from the trigger context and hands it to the capture
// engine.
//
// Triggers are dropped, not queued, while a capture is busy, a countdown
// runs or the printing flag is set. A trigger that arrives while a
// selection is armed (before its mouse-down) abandons that selection.
#include "CaptureDispatch.h"

#include "AppSettings.h"
#include "Countdown.h"
#include "HotKey.h"
#include "TitleBarSeams.h"

#include "../capture/CaptureCore.h"
#include "../capture/CaptureKinds.h"
#include "../capture/CaptureState.h"
#include "../framework/WinApp.h"
#include "../hook/HookWire.h"
#include "../hook/kesthook.h"
#include "../resources/resource.h"

#include <windowsx.h>

#include <cstring>

POINT g_ptLastButton = {0, 0};
BOOL g_bLastButtonRight = FALSE;
BOOL g_bSnapshotPressed = FALSE;

namespace {

Countdown g_countdown;

// The trigger context every capture request is built from: the mode the
// latest trigger set, the foreground window when it arrived and the last
// cursor a trigger carried. The capture rectangle stays empty here; the
// capture that takes the request fills it in.
CaptureRequest g_trigger;

void SendTrigger(int code, LPARAM cursor)
{
    SendMessageA(WinApp::MainWnd(), kMsgTrigger, WPARAM(code), cursor);
}

// The menu window recorded in the settings. A value left over from an
// earlier session may name any window by now, so it counts only while it
// is still a pop-up menu window.
HWND RecordedMenuWindow(const MenuOptions& recorded)
{
    HWND menu = reinterpret_cast<HWND>(static_cast<intptr_t>(recorded.window));
    if (!menu || !IsWindow(menu)) return nullptr;
    char name[16] = {};
    GetClassNameA(menu, name, sizeof name);
    return std::strcmp(name, "#32768") == 0 ? menu : nullptr;
}

bool MenuWindowVisible(const MenuOptions& recorded)
{
    HWND menu = RecordedMenuWindow(recorded);
    return menu && IsWindowVisible(menu);
}

void StartScreenTrigger(const ScreenOptions& screen)
{
    g_trigger.mode = kCaptureScreen;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    if (screen.countdown)
        g_countdown.Start(ScreenCountdownSeconds(screen));
    else
        SendTrigger(kCaptureScreen, 0);
}

void StartWindowTrigger(const Options& options)
{
    const WindowOptions& window = options.capture.window;
    if (MenuWindowVisible(options.menu) && window.choice == kSelectWindow) return;
    g_trigger.mode = kCaptureWindow;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    if (window.countdown)
        g_countdown.Start(WindowCountdownSeconds(window));
    else
        SendTrigger(kCaptureWindow, 0);
}

// Region (3) and Freehand (5): hide the windows and arm the selection.
void StartFrozenSelection(const Options& options, int code)
{
    if (MenuWindowVisible(options.menu)) return;
    g_trigger.mode = code;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    HideAllWindows(options.capture.capture);
    ArmTracking(g_trigger);
}

// The pointer position is the one the report was posted at: a fresh query
// of the pointer may still answer with an older position under Wine.
void RecordButtonReport(LPARAM right, POINT postedAt)
{
    g_ptLastButton = postedAt;
    g_bLastButtonRight = right != 0;
}

// A hotkey's report is sent, so it overtakes the button reports the mouse
// hook posted before it; those still waiting are taken first, or a menu
// opened by the last click would be looked for at an older one.
void TakePostedButtonReports()
{
    MSG msg;
    while (PeekMessageA(&msg, WinApp::MainWnd(), kMsgTrigger, kMsgTrigger, PM_NOREMOVE) &&
           msg.wParam == kCodeButtonReport) {
        PeekMessageA(&msg, WinApp::MainWnd(), kMsgTrigger, kMsgTrigger, PM_REMOVE);
        RecordButtonReport(msg.lParam, msg.pt);
    }
}

void StartTitleMenu(Options& options)
{
    g_trigger.mode = kCaptureTitleMenu;
    TakePostedButtonReports();
    const TitleMenuOptions& titleMenu = options.capture.titleMenu;
    if (titleMenu.titleBar || titleMenu.menuBar) PrepareTitleBar();
    g_trigger.lastButton = g_ptLastButton;
    g_trigger.lastButtonRight = g_bLastButtonRight != FALSE;
    std::optional<RECT> area = SelectTitleAndMenu(g_trigger, options.capture, options.menu);
    FinishSelection(g_trigger, area, ShellCaptureSettings(options));
}

void StartPointer(Options& options)
{
    g_trigger.mode = kCapturePointer;
    FinishCapture(g_trigger, ShellCaptureSettings(options));
}

void StartButton(const Options& options)
{
    if (MenuWindowVisible(options.menu)) return;
    g_trigger.mode = kCaptureButton;
    PrepareTitleBar();
    ArmTracking(g_trigger);
}

void CaptureWindowNow(Options& options)
{
    g_trigger.mode = kCaptureWindow;
    // Any stored choice but Select a Window grabs the active window, so an
    // unknown value cannot leave the capture in progress for good.
    if (options.capture.window.choice == kSelectWindow)
        ArmTracking(g_trigger);
    else
        FinishSelection(g_trigger, SelectActiveWindow(g_trigger, options.capture), ShellCaptureSettings(options));
}

void SnapshotReleased(const AppSettings& settings)
{
    g_bSnapshotPressed = FALSE;
    UpdateSnapshotButtons(settings);
    // A press that landed on no button starts nothing; the press set
    // capture in progress, which no capture would clear now.
    const int code = PressedSnapshotCode();
    if (!code) g_bCaptureInProgress = FALSE;
    SendTrigger(code, 0);
}

void SnapshotPressed()
{
    g_bSnapshotPressed = TRUE;
    g_bCaptureInProgress = TRUE;
    ShowPressedSnapshotButton();
}

void SwitchToBackground(AppSettings& settings)
{
    settings.options.mode.runningMode = 0;
    ShowWindow(WinApp::MainWnd(), SW_HIDE);
    settings.Write(KeyGroup::kExit);
}

void SwitchToForeground(ModeOptions& mode)
{
    BringMainFrameForward(mode.runningMode, g_trigger.triggerWindow);
    mode.runningMode = 1;
}

void ShowHelpContents()
{
    if (GetActiveWindow() == WinApp::MainWnd()) PostMessageA(WinApp::MainWnd(), WM_COMMAND, ID_HELP_CONTENTS, 0);
}

}  // namespace

void OnTriggerMessage(AppSettings& settings, WPARAM wParam, LPARAM cursor)
{
    Options& options = settings.options;
    if (g_bCaptureBusy || g_countdown.Active() || g_bPrinting) return;
    const int code = int(wParam);
    if (code == kCodeButtonReport) {
        const DWORD postedAt = GetMessagePos();
        RecordButtonReport(cursor, POINT{GET_X_LPARAM(postedAt), GET_Y_LPARAM(postedAt)});
        return;
    }

    if (cursor) g_trigger.triggerCursor = reinterpret_cast<HCURSOR>(cursor);
    if (g_bTracking) AbandonTracking();
    g_trigger.triggerWindow = GetForegroundWindow();
    g_trigger.snapshotStrip = SnapshotStripRect();

    if (code > kCodeHelp) {
        g_trigger.mode = code;
        return;
    }
    switch (code) {
    case kCodeHelp: ShowHelpContents(); break;
    case kCaptureScreenTrigger: StartScreenTrigger(options.capture.screen); break;
    case kCaptureWindowTrigger: StartWindowTrigger(options); break;
    case kCaptureRegion:
    case kCaptureFreehand: StartFrozenSelection(options, code); break;
    case kCaptureTitleMenu: StartTitleMenu(options); break;
    case kCapturePointer: StartPointer(options); break;
    case kCaptureButton: StartButton(options); break;
    case kCaptureScreen:
        g_trigger.mode = kCaptureScreen;
        CaptureScreen(g_trigger, ShellCaptureSettings(options));
        break;
    case kCaptureWindow: CaptureWindowNow(options); break;
    case kCodeSnapshotRelease: SnapshotReleased(settings); break;
    case kCodeSnapshotPress: SnapshotPressed(); break;
    case kCodeBackground: SwitchToBackground(settings); break;
    case kCodeForeground: SwitchToForeground(options.mode); break;
    default: break;  // 0, 8, 9 and unknown codes: the trigger context only
    }
}

void OnHotKeyMessage(const AppSettings& settings, WPARAM report, LPARAM cursor)
{
    const int code = MatchHotKey(uint32_t(report), settings.options.hotKeys);
    if (code) SendTrigger(code, cursor);
}

void OnMainTimer(const AppSettings& settings)
{
    UpdateSnapshotButtons(settings);
    DrawTitleClock(settings);
    ClickCounter();
    const Countdown::Tick tick = g_countdown.OnTick();
    if (tick.beep) MessageBeep(MB_OK);
    if (tick.fire) SendTrigger(g_trigger.mode, 0);
}

const CaptureRequest& CurrentCaptureRequest() { return g_trigger; }

