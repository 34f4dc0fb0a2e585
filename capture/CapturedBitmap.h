// What a grab hands back: a new device bitmap, compatible with the
// display, holding the captured screen area (with the pointer where the
// mode allows it), or no bitmap and the reason. An empty area means there
// was nothing to capture and the capture ends quietly; an area without a
// bitmap means memory ran short.
#pragma once

#include "CaptureGeometry.h"

#include "../framework/GdiObject.h"

#include <windows.h>

enum class GrabFailure { kNone, kNothingToCapture, kOutOfMemory };

struct CapturedBitmap {
    GdiObject<HBITMAP> bitmap;     // the area's width x height; null unless failure is kNone
    RECT area = {0, 0, 0, 0};      // screen coordinates; the notification flashes it
    GrabFailure failure = GrabFailure::kNothingToCapture;
};

// The grab of area: takes ownership of bitmap (which may be null) and
// names the reason when there is none.
inline CapturedBitmap GrabbedArea(HBITMAP bitmap, const RECT& area)
{
    CapturedBitmap grab;
    grab.bitmap.reset(bitmap);
    grab.area = area;
    int32_t width, height;
    if (bitmap)
        grab.failure = GrabFailure::kNone;
    else if (CaptureExtent(area, &width, &height))
        grab.failure = GrabFailure::kOutOfMemory;
    else
        grab.failure = GrabFailure::kNothingToCapture;
    return grab;
}
