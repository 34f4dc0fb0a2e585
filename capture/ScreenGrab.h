// The display grab underneath GrabScreenRect and the grabs of the other
// modes: one block transfer from the "DISPLAY" context into a new device
// bitmap compatible with the display, with the pointer overlay.
#pragma once

#include "CaptureRequest.h"

#include "../settings/CaptureOptions.h"

#include <windows.h>

// A new device bitmap holding the request's capture rectangle of the
// display, with the request's cursor drawn in when its mode and options
// allow it. Null when the rectangle is empty or reversed, or when a
// context or the bitmap cannot be made; nothing half-made is left behind.
// The caller owns the bitmap.
HBITMAP GrabDisplayArea(const CaptureRequest& request, const CaptureOptions& options);

// True when the pointer at pt may be drawn into a grab of the request's
// capture rectangle in its mode with options.
bool PointerOverlayAllowed(POINT pt, const CaptureRequest& request, const CaptureOptions& options);
