// Point queries along a window's edges (the probes that look for a window
// lying over them). Each query is a round trip to the system, so the probe
// asks only where another window can show (WindowsAround) and answers the
// window itself everywhere else.
#pragma once

#include "WindowGeometry.h"

#include <windows.h>

#include <optional>

class EdgeProbe {
public:
    explicit EdgeProbe(HWND window);
    HWND Window() const { return m_window; }
    // The window under pt, or m_window where nothing else can show.
    HWND WindowAt(POINT pt) const;

private:
    HWND m_window;
    // Empty when every point must be asked: the window or a parent may show
    // what lies below it (a window region, a transparent or layered style).
    std::optional<WindowsAround> m_around;
};
