// A grab put together piece by piece: a white device bitmap the size of
// the capture area, onto which chosen parts of the display are copied and
// on which chosen parts are painted white again. Every part is clipped to
// the area and to the screen, so nothing is read from outside the screen.
// Used by the Window grab (Capture with Current, Workspace off) and the
// Title & Menu composite.
#pragma once

#include "CapturedBitmap.h"
#include "CaptureGdi.h"

#include <windows.h>

class CompositeGrab {
public:
    // area in screen coordinates; without a bitmap (no memory, or nothing
    // in area) every call below does nothing.
    explicit CompositeGrab(const RECT& area);
    ~CompositeGrab();
    CompositeGrab(const CompositeGrab&) = delete;
    CompositeGrab& operator=(const CompositeGrab&) = delete;

    // Copies part (screen coordinates) of the display to its place.
    void CopyFromDisplay(const RECT& part);
    // Paints part (screen coordinates) white.
    void Whiten(const RECT& part);
    // The memory context, (0, 0) at the area's top-left corner; null
    // without a bitmap.
    HDC Dc() const { return m_memory; }
    // Hands the bitmap over as the grab of the area.
    CapturedBitmap Finish();

private:
    // part moved into the picture and clipped to it and to the screen;
    // false when nothing of it is left.
    bool ToPicture(const RECT& part, RECT* picture) const;

    RECT m_area;
    DisplayDC m_display;
    HBITMAP m_bitmap = nullptr;
    HDC m_memory = nullptr;
    HGDIOBJ m_old = nullptr;
};
