// The Window capture: the trigger window (Active Window) or the innermost
// window under the click (Select a Window), taken whole, as its client area
// or as its frame with a white client area, and with Capture with Current
// together with a window lying over its edges (an open drop-down list).
//
// The selection remembers the target's rectangles for the grab that
// follows it; a window that closes in between is grabbed from those.
#include "CaptureKinds.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "CompositeGrab.h"
#include "EdgeProbe.h"
#include "WindowGeometry.h"

#include "../framework/Display.h"

namespace {

struct Target {
    HWND window = nullptr;
    RECT windowRect = {0, 0, 0, 0};
    WindowArea area = {};
};

Target g_target;

std::optional<RECT> CaptureTargetWindow(HWND window, const CaptureRequest& request, const CaptureOptions& options)
{
    RECT windowRect;
    if (!window || !GetWindowRect(window, &windowRect)) return std::nullopt;
    const WindowOptions& page = options.window;
    const WindowArea area = ChooseWindowRect(page.frame != FALSE, page.workspace != FALSE, windowRect,
                                             ClientOnScreen(window));
    // A picked child (or owned pop-up) shows only inside its parent's client
    // area; the same clipping keeps what lies beyond it out of the picture.
    HWND parent = window != request.triggerWindow ? GetParent(window) : nullptr;
    RECT parentClient = parent ? ClientOnScreen(parent) : RECT{0, 0, 0, 0};
    const RECT clipped = ClipCaptureRect(area.capture, parent ? &parentClient : nullptr, ScreenWidth(), ScreenHeight());
    int32_t width, height;
    if (!CaptureExtent(clipped, &width, &height)) return std::nullopt;
    g_target = Target{window, windowRect, area};
    return clipped;
}

// The window over the target's edges (Capture with Current). Its own child
// windows are part of it, and the point query answers with the parent
// where a picked control lets the mouse through (group boxes, disabled
// controls): neither lies over it.
HWND FindOverlappingWindow(const Target& target)
{
    HWND window = target.window;
    const EdgeProbe probe(window);
    auto windowAt = [&probe](POINT pt) { return probe.WindowAt(pt); };
    return FindEdgeWindow(target.windowRect, true, ScreenWidth(), ScreenHeight(), windowAt, [window](HWND hit) {
        return hit != window && !IsChild(window, hit) && !IsChild(hit, window);
    });
}

}  // namespace

std::optional<RECT> SelectActiveWindow(const CaptureRequest& request, const CaptureOptions& options)
{
    return CaptureTargetWindow(request.triggerWindow, request, options);
}

std::optional<RECT> PickWindowUnderPointer(const CaptureRequest& request, const CaptureOptions& options)
{
    POINT pt;
    if (!GetCursorPos(&pt)) return std::nullopt;
    HWND target = WindowFromPoint(pt);
    if (!target) return std::nullopt;
    // A minimised window is taken whole. Hidden children are no part of the
    // picture, so the descent passes over them.
    if (!IsIconic(target)) {
        for (;;) {
            POINT local = pt;
            ScreenToClient(target, &local);
            HWND child = ChildWindowFromPointEx(target, local, CWP_SKIPINVISIBLE);
            if (!child || child == target) break;
            target = child;
        }
    }
    return CaptureTargetWindow(target, request, options);
}

CapturedBitmap GrabWindow(const CaptureRequest& request, const CaptureOptions& options)
{
    const WindowOptions& page = options.window;
    const RECT chosen = request.captureRect;
    RECT area = chosen;
    RECT over = {0, 0, 0, 0};
    HWND overlapping = page.captureWithCurrent ? FindOverlappingWindow(g_target) : nullptr;
    if (overlapping && GetWindowRect(overlapping, &over)) {
        over = ClipToScreen(over, ScreenWidth(), ScreenHeight());
        area = UniteRects(area, over);
    } else {
        overlapping = nullptr;
    }

    CompositeGrab grab(area);
    grab.CopyFromDisplay(overlapping && page.eraseBackground ? chosen : area);
    // The window over the edges shows whole, even where it lies over the
    // client area that Workspace off paints white.
    if (g_target.area.whitenClient) grab.Whiten(g_target.area.clientOnScreen);
    if (overlapping) grab.CopyFromDisplay(over);
    if (grab.Dc()) {
        CaptureRequest grabbed = request;
        grabbed.captureRect = area;
        DrawPointerOverlay(grab.Dc(), grabbed, options);
    }

    HWND trigger = request.triggerWindow;
    if (trigger && IsWindow(trigger) && GetForegroundWindow() != trigger) SetForegroundWindow(trigger);
    return grab.Finish();
}
