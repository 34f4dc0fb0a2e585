// Capture dispatch: decides from a trigger code which capture starts. The
// hotkey matching, countdown and meter arithmetic are portable (HotKey,
// Countdown, Meter); this file reads the system (pointer, foreground and
// menu windows), draws the meter and calls the capture engine.
//
// Triggers are dropped, not queued, while a capture is busy, a countdown
// runs or the printing flag is set. A trigger that arrives while a
// selection is armed (before its mouse-down) abandons that selection.
#include "CaptureDispatch.h"

#include "AppSettings.h"
#include "AppState.h"
#include "CaptureDispatchSeams.h"
#include "Countdown.h"
#include "HotKey.h"
#include "Meter.h"
#include "TitleBarSeams.h"

#include "../capture/CaptureCore.h"
#include "../capture/CaptureState.h"
#include "../framework/GdiHandles.h"
#include "../hook/HookWire.h"
#include "../hook/kesthook.h"
#include "../image/XImage.h"
#include "../resources/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

POINT g_ptLastButton = {0, 0};
BOOL g_bLastButtonRight = FALSE;
BOOL g_bSnapshotPressed = FALSE;

namespace {

Countdown g_countdown;
MeterTracker g_meter;

void SendTrigger(int code, LPARAM cursor)
{
    SendMessageA(g_hMainWnd, kMsgTrigger, WPARAM(code), cursor);
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

void SetPendingName(UINT id)
{
    if (g_pPendingImage) g_pPendingImage->m_nOriginId = id;
}

void StartScreenTrigger(const ScreenOptions& screen)
{
    g_nCaptureMode = kCaptureScreen;
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
    g_nCaptureMode = kCaptureWindow;
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
    g_nCaptureMode = code;
    g_bCaptureInProgress = TRUE;
    PrepareTitleBar();
    HideAllWindows(options.capture.capture);
    SetPendingName(code == kCaptureRegion ? IDS_ORIGIN_REGION : IDS_ORIGIN_FREEHAND);
    ArmTracking();
}

void StartTitleMenu(Options& options)
{
    g_nCaptureMode = kCaptureTitleMenu;
    const TitleMenuOptions& titleMenu = options.capture.titleMenu;
    if (titleMenu.titleBar || titleMenu.menuBar) PrepareTitleBar();
    SetPendingName(IDS_ORIGIN_TITLE_MENU);
    // The selection may record another menu window; the stored value stays.
    const int recorded = options.menu.window;
    SelectTitleAndMenu(CaptureSettingsOf(options));
    options.menu.window = recorded;
}

void StartPointer(Options& options)
{
    g_nCaptureMode = kCapturePointer;
    SetPendingName(IDS_ORIGIN_POINTER);
    FinishCapture(CaptureSettingsOf(options));
}

void StartButton(const Options& options)
{
    if (MenuWindowVisible(options.menu)) return;
    g_nCaptureMode = kCaptureButton;
    PrepareTitleBar();
    SetPendingName(IDS_ORIGIN_BUTTON);
    ArmTracking();
}

void CaptureWindowNow(Options& options)
{
    g_nCaptureMode = kCaptureWindow;
    SetPendingName(IDS_ORIGIN_WINDOW);
    // Any stored choice but Select a Window grabs the active window, so an
    // unknown value cannot leave the capture in progress for good.
    if (options.capture.window.choice == kSelectWindow)
        ArmTracking();
    else
        CaptureActiveWindow(CaptureSettingsOf(options));
}

void SnapshotReleased(const AppSettings& settings)
{
    g_bSnapshotPressed = FALSE;
    UpdateSnapshotButtons(settings);
    SendTrigger(PressedSnapshotCode(), 0);
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
    ShowWindow(g_hMainWnd, SW_HIDE);
    settings.Write(KeyGroup::kExit);
}

void SwitchToForeground(ModeOptions& mode)
{
    BringMainFrameForward(mode.runningMode);
    mode.runningMode = 1;
}

void ShowHelpContents()
{
    if (GetActiveWindow() == g_hMainWnd) PostMessageA(g_hMainWnd, WM_COMMAND, ID_HELP_CONTENTS, 0);
}

// The meter in pane 0 of the status bar: navy left of the split, yellow
// right of it, and the percentage combined by exclusive-or from a
// monochrome bitmap of white text on black.
void DrawMeter(const DisplayFacts& display, int percent)
{
    if (!g_hStatusBar) return;
    RECT pane = {};
    if (!SendMessageA(g_hStatusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane))) return;
    WindowDC dc(g_hStatusBar);
    MemoryDC textDc(dc.get());
    if (!dc || !textDc) return;

    char text[8];
    std::snprintf(text, sizeof text, "%d%%", percent);
    const int length = int(std::strlen(text));

    LOGFONTA lf = {};
    lf.lfHeight = display.TitleFontHeight();
    std::strcpy(lf.lfFaceName, "System");
    GdiObject<HFONT> font(CreateFontIndirectA(&lf));
    SelectedObject textFont(textDc.get(), font.get());
    SIZE size = {};
    GetTextExtentPoint32A(textDc.get(), text, length, &size);

    const MeterLayout layout = LayoutMeter(pane, percent, size.cx, size.cy);
    GdiObject<HBRUSH> navy(CreateSolidBrush(RGB(0, 0, 128)));
    GdiObject<HBRUSH> yellow(CreateSolidBrush(RGB(255, 255, 0)));
    FillRect(dc.get(), &layout.done, navy.get());
    FillRect(dc.get(), &layout.remaining, yellow.get());

    GdiObject<HBITMAP> mono(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!mono) return;
    SelectedObject textBitmap(textDc.get(), mono.get());
    const RECT all = {0, 0, size.cx, size.cy};
    FillRect(textDc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(textDc.get(), RGB(255, 255, 255));
    SetBkColor(textDc.get(), RGB(0, 0, 0));
    TextOutA(textDc.get(), 0, 0, text, length);
    // Monochrome to colour: 0 bits take the text colour, 1 bits the
    // background colour of the target.
    SetTextColor(dc.get(), RGB(0, 0, 0));
    SetBkColor(dc.get(), RGB(255, 255, 255));
    BitBlt(dc.get(), layout.text.x, layout.text.y, size.cx, size.cy, textDc.get(), 0, 0, SRCINVERT);
}

}  // namespace

void OnTriggerMessage(AppSettings& settings, WPARAM wParam, LPARAM cursor)
{
    Options& options = settings.options;
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
    case kCaptureScreenTrigger: StartScreenTrigger(options.capture.screen); break;
    case kCaptureWindowTrigger: StartWindowTrigger(options); break;
    case kCaptureRegion:
    case kCaptureFreehand: StartFrozenSelection(options, code); break;
    case kCaptureTitleMenu: StartTitleMenu(options); break;
    case kCapturePointer: StartPointer(options); break;
    case kCaptureButton: StartButton(options); break;
    case kCaptureScreen: g_nCaptureMode = kCaptureScreen; CaptureScreen(CaptureSettingsOf(options)); break;
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
    if (tick.fire) SendTrigger(g_nCaptureMode, 0);
}

void OnProgressMessage(const AppSettings& settings, WPARAM index, LPARAM total)
{
    const int percent = MeterPercent(int(index), int(total));
    if (percent < 0 || !g_meter.Update(percent)) return;
    DrawMeter(settings.display, percent);
    if (percent == 100 && g_hStatusBar) InvalidateRect(g_hStatusBar, nullptr, TRUE);
}

