// Pure geometry of the Window capture: which rectangle a window gives for
// the Window Frame and Workspace options, how a selection is clipped, and
// the edge probes that look for a window lying over another one's edges.
// Rectangles are in screen coordinates with right and bottom exclusive.
#pragma once

#include "../framework/kernel.h"

#include <functional>
#include <vector>

struct WindowArea {
    RECT capture;       // the area to grab
    bool whitenClient;  // Workspace off: the grab paints clientOnScreen white
    RECT clientOnScreen;
};

// Frame and Workspace on: the window rectangle; Frame off, Workspace on:
// the client area; Workspace off: the window rectangle with a white client
// area, whatever Frame says.
WindowArea ChooseWindowRect(bool frame, bool workspace, const RECT& windowRect, const RECT& clientOnScreen);

// rc intersected with parentClient (when given: a picked child stays inside
// its parent's client area) and then with the screen; (0, 0, 0, 0) when
// nothing is left.
RECT ClipCaptureRect(const RECT& rc, const RECT* parentClient, int screenWidth, int screenHeight);

// The first window that found() accepts under the edge points of rc, in
// this order: the right column (x = right - 1, top to bottom - 1), the left
// column (x = left), and with rows also the bottom row (y = bottom - 1,
// left to right - 1) and the top row (y = top). Points off the screen are
// skipped. Null when no probe finds one.
HWND FindEdgeWindow(const RECT& rc, bool rows, int screenWidth, int screenHeight,
                    const std::function<HWND(POINT)>& windowAt, const std::function<bool(HWND)>& found);

// Which edge points of a window a point query must really ask about: only
// inside a window lying above it (at its own level or at a parent's) or
// outside the rectangle of the window or of one of its parents. Anywhere
// else the answer is the window itself, a window of its own or a parent,
// none of which lies over it.
struct WindowsAround {
    std::vector<RECT> above;    // window rectangles of the visible windows above
    std::vector<RECT> ancestry; // the window's own rectangle and its parents'
    bool MayShowOther(POINT pt) const;
};

// Smallest rectangle holding a and b; an empty one (no width or no height)
// adds nothing.
RECT UniteRects(const RECT& a, const RECT& b);
