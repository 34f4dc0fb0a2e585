// Entry points of the capture core: the Screen capture, the after-capture
// pipeline (FinishCapture), the display grab with its pointer overlay, the
// armed state of the interactive modes with the frozen screen, hiding and
// restoring top-level windows, the notification flashes and the size
// readout. Everything runs on the user-interface thread and talks through
// the state in CaptureState.h and the options the shell passes in
// (CaptureSettings.h); each capture's image is made by FinishCapture.
#pragma once

#include "CaptureSettings.h"

#include <windows.h>

class XImage;

// Restores a minimised main frame, shows it in the background running mode,
// or raises it in the foreground mode unless the trigger window belongs to
// it; then makes it the foreground window. runningMode is Mode's first field.
void BringMainFrameForward(int runningMode);

// Code 10: hides all windows (option), copies the configured screen area
// into CaptureRect and runs FinishCapture, which names the image "Screen
// Capture".
void CaptureScreen(const CaptureSettings& settings);

// The after-capture pipeline every mode ends in: a new image named after
// the current mode, the grab for that mode, flash, convert, frame and
// colour options, then clipboard, file, printer and window destinations
// (the window takes the image over). Always clears both capture flags on
// return.
void FinishCapture(const CaptureSettings& settings);

// Copies CaptureRect of the display into a new device bitmap of image
// (m_bitmap), with the pointer overlay. Leaves m_bitmap null when the
// rectangle is empty or the bitmap cannot be made.
void GrabScreenRect(XImage* image, const CaptureOptions& options);

// Draws TriggerCursor into a grab's memory context whose (0, 0) is the
// top-left corner of CaptureRect, when the pointer may appear in the mode.
void DrawPointerOverlay(HDC memoryDc, const CaptureOptions& options);

// Entry of the interactive modes (Region, Freehand, Button, Window with
// Select a Window): freezes the screen, sets the mode cursor and takes the
// mouse for the main frame.
void ArmTracking();
// The main frame's left-button-down while armed: runs the mode's selection,
// then ends the armed state.
void OnTrackingMouseDown(const CaptureSettings& settings);
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

// Notification flashes on CaptureRect (destination invert, pause, undo).
void FlashCenterIn();
void FlashInsideOut();
void FlashUpDown();

// XOR-draws "%dx%d" (CaptureRect's size) in its middle on target; a second
// call at the same place removes it.
void DrawSizeReadout(HDC target);
