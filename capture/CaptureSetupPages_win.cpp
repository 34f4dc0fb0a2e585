// The Capture Setup pages without a sample: Send To, Capture, Screen,
// Window and Running Mode. Check boxes are 0/1, radio groups the index of
// the chosen button, numbers are range-checked when the page is left.
#include "CaptureSetupPages.h"

#include "CaptureCore.h"
#include "CaptureState.h"

#include "../resources/resource.h"

#include <limits>

// Send To -------------------------------------------------------------------

SendToPage::SendToPage(SetupSheetState& sheet) : SetupPage(IDD_SETUP_SEND_TO, 0, "Kestrel setup", sheet) {}

void SendToPage::Show()
{
    const SendToOptions& s = Values().capture.sendTo;
    SetCheck(IDC_SEND_WINDOW, s.window);
    SetCheck(IDC_SEND_CLIPBOARD, s.clipboard);
    SetCheck(IDC_SEND_PRINTER, s.printer);
    SetCheck(IDC_SEND_FILE, s.file);
    // The spins reach the screen size; the range check accepts 0-1200.
    SetSpinRange(IDC_SPIN_1, 0, Context().screenWidth);
    SetSpinRange(IDC_SPIN_2, 0, Context().screenHeight);
    SetNumber(IDC_MARGIN_X, s.marginX);
    SetNumber(IDC_MARGIN_Y, s.marginY);
    SetCheck(IDC_USE_PRINT_DIALOG, s.usePrintDialog);
    SetRadio(IDC_NAMING_AUGMENT, IDC_NAMING_TIME, s.fileNaming);
    EnableOptions();
}

bool SendToPage::Take()
{
    SendToOptions& s = Values().capture.sendTo;
    int marginX = 0, marginY = 0;
    if (!GetNumber(IDC_MARGIN_X, 0, kMarginMax, &marginX) || !GetNumber(IDC_MARGIN_Y, 0, kMarginMax, &marginY))
        return false;
    s.window = GetCheck(IDC_SEND_WINDOW);
    s.clipboard = GetCheck(IDC_SEND_CLIPBOARD);
    s.printer = GetCheck(IDC_SEND_PRINTER);
    s.file = GetCheck(IDC_SEND_FILE);
    s.marginX = marginX;
    s.marginY = marginY;
    s.usePrintDialog = GetCheck(IDC_USE_PRINT_DIALOG);
    s.fileNaming = GetRadio(IDC_NAMING_AUGMENT, IDC_NAMING_TIME);
    return true;
}

void SendToPage::EnableOptions() const
{
    const bool file = GetCheck(IDC_SEND_FILE);
    for (int id : {IDC_FILE_GROUP, IDC_NAMING_AUGMENT, IDC_NAMING_PROMPT, IDC_NAMING_TIME}) Enable(id, file);
    Enable(IDC_SET_FILE, file && Context().setFile);
    const bool printer = GetCheck(IDC_SEND_PRINTER);
    Enable(IDC_PRINTER_GROUP, printer);
    Enable(IDC_USE_PRINT_DIALOG, printer);
    Enable(IDC_SET_PRINT, printer && Context().setPrint);
}

bool SendToPage::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_SEND_FILE:
    case IDC_SEND_PRINTER: EnableOptions(); return true;
    case IDC_SET_FILE:
        if (Context().setFile) Context().setFile(Values().files, Values().format);
        return true;
    case IDC_SET_PRINT:
        if (Context().setPrint) Context().setPrint();
        return true;
    default: return false;
    }
}

// Capture -------------------------------------------------------------------

CapturePage::CapturePage(SetupSheetState& sheet) : SetupPage(IDD_SETUP_CAPTURE, 1, "capture setup", sheet) {}

void CapturePage::Show()
{
    const CapturePageOptions& c = Values().capture.capture;
    SetCheck(IDC_HIDE_POINTER, c.hideMousePointer);
    SetCheck(IDC_HIDE_WINDOWS, c.hideAllWindows);
    SetCheck(IDC_ADD_FRAME, c.addFrameAndMat);
    SetCheck(IDC_BRING_TO_TOP, c.bringKestrelToTop);
    SetCheck(IDC_IMAGE_INFO, c.displayImageInfo);
    SetRadio(IDC_COLOR_AS_IS, IDC_COLOR_REDUCE, c.colorOption);
    SetRadio(IDC_FLASH_NONE, IDC_FLASH_UP_DOWN, c.notification);
    EnableButtons();
}

void CapturePage::TakeChoices()
{
    CapturePageOptions& c = Values().capture.capture;
    c.hideMousePointer = GetCheck(IDC_HIDE_POINTER);
    c.hideAllWindows = GetCheck(IDC_HIDE_WINDOWS);
    c.addFrameAndMat = GetCheck(IDC_ADD_FRAME);
    c.bringKestrelToTop = GetCheck(IDC_BRING_TO_TOP);
    c.displayImageInfo = GetCheck(IDC_IMAGE_INFO);
    c.colorOption = GetRadio(IDC_COLOR_AS_IS, IDC_COLOR_REDUCE);
    c.notification = GetRadio(IDC_FLASH_NONE, IDC_FLASH_UP_DOWN);
}

bool CapturePage::Take()
{
    TakeChoices();
    return true;
}

void CapturePage::EnableButtons() const
{
    Enable(IDC_SET_FRAME, GetCheck(IDC_ADD_FRAME) && Context().setFrame);
    Enable(IDC_SET_BLACK_WHITE, GetCheck(IDC_COLOR_BLACK_WHITE) && Context().setBlackWhite);
    Enable(IDC_FLASH_TEST, GetRadio(IDC_FLASH_NONE, IDC_FLASH_UP_DOWN) > 0);
}

// The flash runs on the screen area as confirmed, not as the Screen page
// shows it now.
void CapturePage::RunTest()
{
    TakeChoices();
    const RECT& area = Context().storedScreenArea;
    switch (Values().capture.capture.notification) {
    case kFlashCenterIn: FlashCenterIn(area); break;
    case kFlashInsideOut: FlashInsideOut(area); break;
    case kFlashUpDown: FlashUpDown(area); break;
    default: break;
    }
}

bool CapturePage::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED) return false;
    if (id == IDC_ADD_FRAME || (id >= IDC_COLOR_AS_IS && id <= IDC_COLOR_REDUCE) ||
        (id >= IDC_FLASH_NONE && id <= IDC_FLASH_UP_DOWN)) {
        EnableButtons();
        return true;
    }
    switch (id) {
    case IDC_SET_FRAME:
        if (Context().setFrame) Context().setFrame();
        return true;
    case IDC_SET_BLACK_WHITE:
        if (Context().setBlackWhite) Context().setBlackWhite();
        return true;
    case IDC_FLASH_TEST: RunTest(); return true;
    default: return false;
    }
}

// Screen --------------------------------------------------------------------

ScreenPage::ScreenPage(SetupSheetState& sheet) : SetupPage(IDD_SETUP_SCREEN, 2, "screen capture", sheet) {}

void ScreenPage::Show()
{
    const ScreenOptions& s = Values().capture.screen;
    SetSpinRange(IDC_SPIN_1, 0, Context().screenWidth);
    SetSpinRange(IDC_SPIN_3, 0, Context().screenHeight);
    SetSpinRange(IDC_SPIN_2, 0, Context().screenWidth);
    SetSpinRange(IDC_SPIN_4, 0, Context().screenHeight);
    SetSpinRange(IDC_SPIN_5, 0, kCountdownMax);
    SetNumber(IDC_AREA_LEFT, s.area.left);
    SetNumber(IDC_AREA_TOP, s.area.top);
    SetNumber(IDC_AREA_RIGHT, s.area.right);
    SetNumber(IDC_AREA_BOTTOM, s.area.bottom);
    SetCheck(IDC_SCREEN_COUNTDOWN, s.countdown);
    SetNumber(IDC_SCREEN_SECONDS, s.countdownSeconds);
    ShowCaptureTools(1);
}

bool ScreenPage::Take()
{
    // The area has no order or range check: a reversed area is captured
    // as the capture core treats it.
    const int any = std::numeric_limits<int>::min(), anyHigh = std::numeric_limits<int>::max();
    int left, top, right, bottom, seconds;
    if (!GetNumber(IDC_AREA_LEFT, any, anyHigh, &left) || !GetNumber(IDC_AREA_TOP, any, anyHigh, &top) ||
        !GetNumber(IDC_AREA_RIGHT, any, anyHigh, &right) || !GetNumber(IDC_AREA_BOTTOM, any, anyHigh, &bottom) ||
        !GetNumber(IDC_SCREEN_SECONDS, 0, kCountdownMax, &seconds))
        return false;
    ScreenOptions& s = Values().capture.screen;
    s.area = RECT{left, top, right, bottom};
    s.countdown = GetCheck(IDC_SCREEN_COUNTDOWN);
    s.countdownSeconds = seconds;
    return true;
}

bool ScreenPage::OnCommand(UINT id, UINT code)
{
    if (id != IDC_FULL_SCREEN || code != BN_CLICKED) return false;
    SetNumber(IDC_AREA_LEFT, 0);
    SetNumber(IDC_AREA_TOP, 0);
    SetNumber(IDC_AREA_RIGHT, Context().screenWidth);
    SetNumber(IDC_AREA_BOTTOM, Context().screenHeight);
    return true;
}

// Window --------------------------------------------------------------------

WindowPage::WindowPage(SetupSheetState& sheet) : SetupPage(IDD_SETUP_WINDOW, 3, "window capture", sheet) {}

void WindowPage::Show()
{
    const WindowOptions& w = Values().capture.window;
    SetRadio(IDC_ACTIVE_WINDOW, IDC_SELECT_WINDOW, w.choice);
    SetCheck(IDC_WINDOW_FRAME, w.frame);
    SetCheck(IDC_WORKSPACE, w.workspace);
    SetCheck(IDC_CAPTURE_WITH_CURRENT, w.captureWithCurrent);
    SetCheck(IDC_WINDOW_ERASE, w.eraseBackground);
    SetCheck(IDC_WINDOW_COUNTDOWN, w.countdown);
    SetSpinRange(IDC_SPIN_1, 0, kCountdownMax);
    SetNumber(IDC_WINDOW_SECONDS, w.countdownSeconds);
    ShowCaptureTools(2);
}

bool WindowPage::Take()
{
    int seconds = 0;
    if (!GetNumber(IDC_WINDOW_SECONDS, 0, kCountdownMax, &seconds)) return false;
    WindowOptions& w = Values().capture.window;
    w.choice = GetRadio(IDC_ACTIVE_WINDOW, IDC_SELECT_WINDOW);
    if (w.choice < 0) w.choice = kActiveWindow;
    w.frame = GetCheck(IDC_WINDOW_FRAME);
    w.workspace = GetCheck(IDC_WORKSPACE);
    w.captureWithCurrent = GetCheck(IDC_CAPTURE_WITH_CURRENT);
    w.eraseBackground = GetCheck(IDC_WINDOW_ERASE);
    w.countdown = GetCheck(IDC_WINDOW_COUNTDOWN);
    w.countdownSeconds = seconds;
    return true;
}

// Running Mode --------------------------------------------------------------

RunningModePage::RunningModePage(SetupSheetState& sheet)
    : SetupPage(IDD_SETUP_RUNNING_MODE, 7, "running mode setup", sheet)
{
}

void RunningModePage::Show()
{
    const ModeOptions& m = Values().mode;
    SetRadio(IDC_RUN_BACKGROUND, IDC_RUN_FOREGROUND, m.runningMode);
    SetCheck(IDC_RUN_MINIMIZED, m.runMinimized);
    SetCheck(IDC_DISPLAY_LOGO, m.displayLogo);
}

bool RunningModePage::Take()
{
    ModeOptions& m = Values().mode;
    const int mode = GetRadio(IDC_RUN_BACKGROUND, IDC_RUN_FOREGROUND);
    m.runningMode = mode < 0 ? 1 : mode;
    m.runMinimized = GetCheck(IDC_RUN_MINIMIZED);
    m.displayLogo = GetCheck(IDC_DISPLAY_LOGO);
    return true;
}
