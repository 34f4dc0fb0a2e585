// Reading the display: the one-blit grab of a screen area and the pointer
// overlay drawn into it. The grab is the hot path of
// every capture: one CreateCompatibleBitmap, one BitBlt, nothing per pixel.
#include "ScreenGrab.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"

#include <cstdint>

bool PointerOverlayAllowed(POINT pt, const CaptureRequest& request, const CaptureOptions& options)
{
    const int mode = request.mode;
    const RECT& area = request.captureRect;
    if (options.capture.hideMousePointer) return false;
    if (mode == kCaptureRegion || mode == kCaptureButton) return false;
    if (mode == kCaptureWindow && options.window.choice == kSelectWindow) return false;
    if (pt.x < area.left || pt.x >= area.right || pt.y < area.top || pt.y >= area.bottom) return false;
    return !PtInRect(&request.snapshotStrip, pt);
}

void DrawPointerOverlay(HDC memoryDc, const CaptureRequest& request, const CaptureOptions& options)
{
    const HCURSOR cursor = request.triggerCursor;
    const RECT& area = request.captureRect;
    POINT pt;
    if (!cursor || !GetCursorPos(&pt) || !PointerOverlayAllowed(pt, request, options)) return;
    ICONINFO info;
    if (!GetIconInfo(cursor, &info)) return;
    // The query hands us copies of the cursor's bitmaps; they are ours to delete.
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DrawIconEx(memoryDc, pt.x - LONG(info.xHotspot) - area.left, pt.y - LONG(info.yHotspot) - area.top, cursor, 0,
               0, 0, nullptr, DI_NORMAL);
}

HBITMAP GrabDisplayArea(const CaptureRequest& request, const CaptureOptions& options)
{
    const RECT& rc = request.captureRect;
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
            if (copied) DrawPointerOverlay(memory, request, options);
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

CapturedBitmap GrabScreenRect(const CaptureRequest& request, const CaptureOptions& options)
{
    return GrabbedArea(GrabDisplayArea(request, options), request.captureRect);
}
