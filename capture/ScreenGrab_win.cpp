// Reading the display: the one-blit grab of a screen area and the pointer
// overlay drawn into it. The grab is the hot path of
// every capture: one CreateCompatibleBitmap, one BitBlt, nothing per pixel.
#include "ScreenGrab.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "CaptureSeams.h"
#include "CaptureState.h"

#include <cstdint>

bool PointerOverlayAllowed(POINT pt, const RECT& area, const CaptureOptions& options)
{
    if (options.capture.hideMousePointer) return false;
    if (g_nCaptureMode == kCaptureRegion || g_nCaptureMode == kCaptureButton) return false;
    if (g_nCaptureMode == kCaptureWindow && options.window.choice == kSelectWindow) return false;
    if (pt.x < area.left || pt.x >= area.right || pt.y < area.top || pt.y >= area.bottom) return false;
    return !PointerOnSnapshotButton(pt);
}

namespace {

// area is the grabbed screen rectangle; memoryDc's (0, 0) is its corner.
void DrawPointerInto(HDC memoryDc, const RECT& area, const CaptureOptions& options)
{
    POINT pt;
    if (!TriggerCursor || !GetCursorPos(&pt) || !PointerOverlayAllowed(pt, area, options)) return;
    ICONINFO info;
    if (!GetIconInfo(TriggerCursor, &info)) return;
    // The query hands us copies of the cursor's bitmaps; they are ours to delete.
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DrawIconEx(memoryDc, pt.x - LONG(info.xHotspot) - area.left, pt.y - LONG(info.yHotspot) - area.top, TriggerCursor,
               0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace

void DrawPointerOverlay(HDC memoryDc, const CaptureOptions& options) { DrawPointerInto(memoryDc, CaptureRect, options); }

HBITMAP GrabDisplayArea(const RECT& rc, const CaptureOptions& options)
{
    int32_t width, height;
    if (!CaptureExtent(rc, &width, &height)) return nullptr;
    DisplayDC display;
    if (!display) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(display.get(), width, height);
    if (!bitmap) return nullptr;
    HDC memory = CreateCompatibleDC(display.get());
    bool copied = false;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (old) {
            copied = BitBlt(memory, 0, 0, width, height, display.get(), rc.left, rc.top, SRCCOPY) != FALSE;
            if (copied) DrawPointerInto(memory, rc, options);
            SelectObject(memory, old);
        }
        DeleteDC(memory);
    }
    if (!copied) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
