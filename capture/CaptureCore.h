// Entry points of the capture core: the Screen capture, the after-capture
// pipeline (FinishCapture), the display grab with its pointer overlay, the
// armed state of the interactive modes with the frozen screen, hiding and
// restoring top-level windows, the notification flashes and the size
// readout. Everything runs on the user-interface thread. A capture works
// on the CaptureRequest the dispatcher built for its trigger and the
// options the shell passes in (CaptureSettings.h); FinishCapture makes each
// capture's image, and only the flags of CaptureState.h outlive it.
#pragma once

#include "CaptureRequest.h"
#include "CaptureSettings.h"
#include "CapturedBitmap.h"

#include <windows.h>

#include <optional>

// Restores a minimised main frame, shows it in the background running mode,
// or raises it in the foreground mode unless triggerWindow (the foreground
// window when the trigger arrived) is its child; then makes it the
// foreground window. runningMode is Mode's first field.
void BringMainFrameForward(int runningMode, HWND triggerWindow);

// Code 10: hides all windows (option), takes the configured screen area as
// the capture rectangle of trigger and runs FinishCapture, which names the
// image "Screen Capture".
void CaptureScreen(const CaptureRequest& trigger, const CaptureSettings& settings);

// The after-capture pipeline every mode ends in: a new image named after
// request's mode, the grab for that mode, flash, convert, frame and colour
// options, then clipboard, file, printer and window destinations (the
// window takes the image over). Always clears both capture flags on return.
void FinishCapture(const CaptureRequest& request, const CaptureSettings& settings);

// The end of a selection (CaptureKinds.h): FinishCapture on the selected
// area, or, when nothing was selected, the quiet ending: hidden windows
// shown again, the arrow cursor and both capture flags cleared.
void FinishSelection(const CaptureRequest& request, const std::optional<RECT>& area,
                     const CaptureSettings& settings);

// Copies the request's capture rectangle of the display into a new device
// bitmap, with the pointer overlay.
CapturedBitmap GrabScreenRect(const CaptureRequest& request, const CaptureOptions& options);

// Draws the request's trigger cursor into a grab's memory context whose
// (0, 0) is the top-left corner of its capture rectangle, when the pointer
// may appear in the mode.
void DrawPointerOverlay(HDC memoryDc, const CaptureRequest& request, const CaptureOptions& options);

// Entry of the interactive modes (Region, Freehand, Button, Window with
// Select a Window): freezes the screen, sets the cursor of request's mode
// and takes the mouse for the main frame.
void ArmTracking(const CaptureRequest& request);
// The main frame's left-button-down while armed with request: runs the
// mode's selection, then ends the armed state.
void OnTrackingMouseDown(const CaptureRequest& request, const CaptureSettings& settings);
// A new trigger while armed: ends the armed state, thaws the screen and
// shows the windows hidden for the abandoned capture.
void AbandonTracking();

// Shows the cover window with a fresh copy of the screen / hides it again.
void FreezeScreen();
void ThawScreen();

// Hide every visible top-level window (Hide All Windows option only) and
// show them again, last hidden first.
void HideAllWindows(const CapturePageOptions& capture);
void RestoreHiddenWindows();

// Notification flashes on area, screen coordinates (destination invert,
// pause, undo).
void FlashCenterIn(const RECT& area);
void FlashInsideOut(const RECT& area);
void FlashUpDown(const RECT& area);

// XOR-draws "%dx%d" (area's size) in area's middle on target; a second
// call at the same place removes it.
void DrawSizeReadout(HDC target, const RECT& area);
