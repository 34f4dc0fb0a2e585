// The capture kinds that choose their area or grab in their own way:
// Window, Title & Menu, Region, Freehand, Pointer and Button. Each is a
// function of the capture request and the options it reads. A selection
// returns the screen rectangle it chose, clipped to the screen, or nothing
// when it found nothing to capture; FinishSelection then runs
// FinishCapture on that rectangle or ends the capture quietly. A grab runs
// inside FinishCapture and hands back the device bitmap (CapturedBitmap.h).
#pragma once

#include "CaptureRequest.h"
#include "CaptureSettings.h"
#include "CapturedBitmap.h"

#include <windows.h>

#include <optional>

// Window with Active Window: the trigger window's area as the Window page
// asks (whole window, client area or frame only).
std::optional<RECT> SelectActiveWindow(const CaptureRequest& request, const CaptureOptions& options);
// Window with Select a Window, at the armed click: the innermost window
// under the pointer.
std::optional<RECT> PickWindowUnderPointer(const CaptureRequest& request, const CaptureOptions& options);
// The Window mode's grab of the chosen window.
CapturedBitmap GrabWindow(const CaptureRequest& request, const CaptureOptions& options);

// Title & Menu: searches the open menu and unites title bar, menu bar and
// menus as the options ask. recordedMenu is the remembered popup-menu
// window; the selection may look at another one but never changes the
// stored value.
std::optional<RECT> SelectTitleAndMenu(const CaptureRequest& request, const CaptureOptions& options,
                                       const MenuOptions& recordedMenu);
// True when the last title-and-menu selection found a menu window that is
// visible now; FinishCapture then uses the composite grab when Erase
// Background asks for it.
bool TitleMenuWindowVisible();
// The Title & Menu composite on a white background (Erase Background).
CapturedBitmap GrabTitleAndMenu(const CaptureRequest& request, const CaptureOptions& options);

// Region, at the armed click: the rubber band on the frozen screen.
std::optional<RECT> SelectRegion(const CaptureRequest& request, const CaptureOptions& options);

// Freehand: the outline is drawn inside the grab, which starts with the
// left button down on the frozen screen.
CapturedBitmap GrabFreehand(const CaptureRequest& request, const CaptureOptions& options);

// Pointer: a 32 x 32 picture of the trigger cursor on white.
CapturedBitmap GrabPointer(const CaptureRequest& request);

// Button, at the armed click: the button's edges found around the pointer.
std::optional<RECT> SelectButton(const CaptureRequest& request);
