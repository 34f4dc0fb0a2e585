// The armed state of the interactive modes (Region, Freehand, Button and
// Window with Select a Window): the screen is frozen under the cover
// window, the mode's cursor is shown, the hook library stops reporting the
// left button and the main frame holds the mouse until the button goes
// down. Keys are not looked at while armed; a new trigger abandons it.
#include "CaptureCore.h"
#include "CaptureSeams.h"
#include "CaptureState.h"

#include "../hook/kesthook.h"
#include "../shell/AppState.h"

namespace {

// Cursor resources of the modes.
const WORD kCursorButton = 92;
const WORD kCursorRegion = 93;
const WORD kCursorFreehand = 97;
const WORD kCursorWindow = 98;

WORD ModeCursorId()
{
    switch (g_nCaptureMode) {
    case kCaptureRegion: return kCursorRegion;
    case kCaptureFreehand: return kCursorFreehand;
    case kCaptureButton: return kCursorButton;
    default: return kCursorWindow;
    }
}

HCURSOR ModeCursor()
{
    HCURSOR cursor = LoadCursorA(g_hInstance, MAKEINTRESOURCEA(ModeCursorId()));
    return cursor ? cursor : LoadCursorA(nullptr, IDC_CROSS);
}

void EndArmedState()
{
    g_bTracking = FALSE;
    ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    PassLeftButtonStatus(0);
}

}  // namespace

void ArmTracking()
{
    FreezeScreen();
    g_bTracking = TRUE;
    SetCursor(ModeCursor());
    PassLeftButtonStatus(1);
    SetCapture(g_hMainWnd);
}

void OnTrackingMouseDown(const CaptureSettings& settings)
{
    if (!g_bTracking) return;
    switch (g_nCaptureMode) {
    case kCaptureRegion:
        RunRegionSelection(settings);
        ThawScreen();
        break;
    case kCaptureFreehand:
        FinishCapture(settings);
        ThawScreen();
        break;
    case kCaptureButton:
        RunButtonSearch(settings);
        ThawScreen();
        break;
    case kCaptureWindow:
        // The real windows, not the cover, must be under the pointer.
        ThawScreen();
        RunWindowPick(settings);
        break;
    default:
        ThawScreen();
        RestoreHiddenWindows();
        g_bCaptureInProgress = FALSE;
        break;
    }
    EndArmedState();
}

void AbandonTracking()
{
    if (!g_bTracking) return;
    EndArmedState();
    ThawScreen();
    RestoreHiddenWindows();
    g_bCaptureInProgress = FALSE;
}
