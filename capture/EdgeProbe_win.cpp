// Gathering the rectangles around a window that an edge probe needs, and
// the probe itself.
#include "EdgeProbe.h"

#include "../framework/GdiObject.h"

namespace {
bool MayShowBelow(HWND window)
{
    if (GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TRANSPARENT | WS_EX_LAYERED)) return true;
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    return !region || GetWindowRgn(window, region.get()) != ERROR;
}

// The window's rectangle and its parents', with those of the visible
// windows above it at each level.
std::optional<WindowsAround> AroundWindow(HWND window)
{
    WindowsAround around;
    const HWND desktop = GetDesktopWindow();
    for (HWND level = window; level && level != desktop; level = GetAncestor(level, GA_PARENT)) {
        RECT rc;
        if (MayShowBelow(level) || !GetWindowRect(level, &rc)) return std::nullopt;
        around.ancestry.push_back(rc);
        for (HWND above = GetWindow(level, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
            if (IsWindowVisible(above) && GetWindowRect(above, &rc)) around.above.push_back(rc);
    }
    return around;
}
}  // namespace

EdgeProbe::EdgeProbe(HWND window) : m_window(window), m_around(AroundWindow(window)) {}

HWND EdgeProbe::WindowAt(POINT pt) const
{
    return m_around && !m_around->MayShowOther(pt) ? m_window : WindowFromPoint(pt);
}
