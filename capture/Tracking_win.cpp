// The armed state of the interactive modes (Region, Freehand, Button and
// Window with Select a Window): the screen is frozen under the cover
// window, the mode's cursor is shown, the hook library stops reporting the
// left button and the main frame holds the mouse until the button goes
// down. Keys are not looked at while armed; a new trigger abandons it.
#include "CaptureCore.h"
#include "CaptureKinds.h"
#include "CaptureState.h"

#include "../framework/WinApp.h"
#include "../hook/kesthook.h"
#include "../resources/resource.h"

namespace {

// The cursor resource of the armed mode.
WORD ModeCursorId(int mode)
{
    switch (mode) {
    case kCaptureRegion: return IDCUR_REGION_CAPTURE;
    case kCaptureFreehand: return IDCUR_FREEHAND_CAPTURE;
    case kCaptureButton: return IDCUR_BUTTON_CAPTURE;
    default: return IDCUR_WINDOW_SELECT;
    }
}

HCURSOR ModeCursor(int mode)
{
    HCURSOR cursor = LoadCursorA(WinApp::Instance(), MAKEINTRESOURCEA(ModeCursorId(mode)));
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

void ArmTracking(const CaptureRequest& request)
{
    FreezeScreen();
    g_bTracking = TRUE;
    SetCursor(ModeCursor(request.mode));
    PassLeftButtonStatus(1);
    SetCapture(WinApp::MainWnd());
}

void OnTrackingMouseDown(const CaptureRequest& request, const CaptureSettings& settings)
{
    if (!g_bTracking) return;
    switch (request.mode) {
    case kCaptureRegion:
        FinishSelection(request, SelectRegion(request, settings.options), settings);
        ThawScreen();
        break;
    case kCaptureFreehand:
        FinishCapture(request, settings);
        ThawScreen();
        break;
    case kCaptureButton:
        FinishSelection(request, SelectButton(request), settings);
        ThawScreen();
        break;
    case kCaptureWindow:
        // The real windows, not the cover, must be under the pointer.
        ThawScreen();
        FinishSelection(request, PickWindowUnderPointer(request, settings.options), settings);
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
