// The display grab underneath GrabScreenRect and the grabs of the other
// modes: one block transfer from the "DISPLAY" context into a new device
// bitmap compatible with the display, with the pointer overlay.
#pragma once

#include "../settings/CaptureOptions.h"

#include <windows.h>

// A new device bitmap holding the display area rc (screen coordinates,
// right and bottom exclusive), with the pointer drawn in when the current
// mode and options allow it. Null when rc is empty or reversed, or when a
// context or the bitmap cannot be made; nothing half-made is left behind.
// The caller owns the bitmap.
HBITMAP GrabDisplayArea(const RECT& rc, const CaptureOptions& options);

// True when the pointer at pt may be drawn into a grab of area in the
// current mode with options.
bool PointerOverlayAllowed(POINT pt, const RECT& area, const CaptureOptions& options);
