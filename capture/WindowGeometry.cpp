// Window rectangle choice, clipping and edge probes.
#include "WindowGeometry.h"

#include "CaptureGeometry.h"

#include <algorithm>

WindowArea ChooseWindowRect(bool frame, bool workspace, const RECT& windowRect, const RECT& clientOnScreen)
{
    WindowArea area{windowRect, !workspace, clientOnScreen};
    if (!frame && workspace) area.capture = clientOnScreen;
    return area;
}

RECT ClipCaptureRect(const RECT& rc, const RECT* parentClient, int screenWidth, int screenHeight)
{
    RECT clipped = rc;
    if (parentClient) {
        clipped.left = std::max(clipped.left, parentClient->left);
        clipped.top = std::max(clipped.top, parentClient->top);
        clipped.right = std::min(clipped.right, parentClient->right);
        clipped.bottom = std::min(clipped.bottom, parentClient->bottom);
    }
    return ClipToScreen(clipped, screenWidth, screenHeight);
}

namespace {

// Probes the column x from top to bottom - 1, only where it is on screen.
HWND ProbeColumn(LONG x, LONG top, LONG bottom, int screenWidth, int screenHeight,
                 const std::function<HWND(POINT)>& windowAt, const std::function<bool(HWND)>& found)
{
    if (x < 0 || x >= screenWidth) return nullptr;
    for (LONG y = std::max<LONG>(top, 0); y < std::min<LONG>(bottom, screenHeight); ++y) {
        HWND hit = windowAt(POINT{x, y});
        if (hit && found(hit)) return hit;
    }
    return nullptr;
}

HWND ProbeRow(LONG y, LONG left, LONG right, int screenWidth, int screenHeight,
              const std::function<HWND(POINT)>& windowAt, const std::function<bool(HWND)>& found)
{
    if (y < 0 || y >= screenHeight) return nullptr;
    for (LONG x = std::max<LONG>(left, 0); x < std::min<LONG>(right, screenWidth); ++x) {
        HWND hit = windowAt(POINT{x, y});
        if (hit && found(hit)) return hit;
    }
    return nullptr;
}

}  // namespace

HWND FindEdgeWindow(const RECT& rc, bool rows, int screenWidth, int screenHeight,
                    const std::function<HWND(POINT)>& windowAt, const std::function<bool(HWND)>& found)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top) return nullptr;
    HWND hit = ProbeColumn(rc.right - 1, rc.top, rc.bottom, screenWidth, screenHeight, windowAt, found);
    if (!hit) hit = ProbeColumn(rc.left, rc.top, rc.bottom, screenWidth, screenHeight, windowAt, found);
    if (!hit && rows) hit = ProbeRow(rc.bottom - 1, rc.left, rc.right, screenWidth, screenHeight, windowAt, found);
    if (!hit && rows) hit = ProbeRow(rc.top, rc.left, rc.right, screenWidth, screenHeight, windowAt, found);
    return hit;
}

bool WindowsAround::MayShowOther(POINT pt) const
{
    auto contains = [pt](const RECT& rc) {
        return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
    };
    return std::any_of(above.begin(), above.end(), contains) ||
           !std::all_of(ancestry.begin(), ancestry.end(), contains);
}

RECT UniteRects(const RECT& a, const RECT& b)
{
    const bool aEmpty = a.right <= a.left || a.bottom <= a.top;
    const bool bEmpty = b.right <= b.left || b.bottom <= b.top;
    if (bEmpty) return a;
    if (aEmpty) return b;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}
