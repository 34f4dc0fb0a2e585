// Pure geometry of the Title & Menu capture: where a window's title bar and
// menu bar lie, how a pull-down menu's rectangle is widened to reach its
// menu-bar item, the pixel scans along a menu bar and the chain of
// cascading submenus. Rectangles are in screen coordinates with right and
// bottom exclusive.
#pragma once

#include "../framework/kernel.h"

#include <functional>
#include <vector>

// The frame measures of a window: its window rectangle, its client origin
// on screen and the system's caption height.
struct FrameMeasures {
    RECT window;
    POINT clientOrigin;
    int captionHeight;
};

// The menu bar strip inside the frame: from one pixel left of the client
// area to one pixel beyond the right border, from just below the caption
// down to the client area. Its height is 1 or less without a menu bar.
RECT FrameMenuBarRect(const FrameMeasures& frame);

// The window rectangle cut off below the caption.
RECT TitleBarRect(const FrameMeasures& frame);

// A pull-down menu opened from the menu bar of a window whose top is
// windowTop: grown by one menu-bar height up (a menu below the bar) or down
// (a menu that opened upwards), and one pixel to the left when it now
// reaches above windowTop + 6.
RECT AdjustPulldownRect(RECT menu, LONG windowTop, int menuBarHeight);

// Steps x by step (1 or -1) from `from` while it has not passed `to` and
// returns the first x that matches; without one, the value one step beyond
// `to` (or `from` when the scan is empty).
LONG ScanRow(LONG from, LONG to, int step, const std::function<bool(LONG)>& matches);

// The item shown highlighted on a menu bar, scanning the row bar.top + 1:
// the first highlighted pixel from the left is the left edge, the last one
// (first from the right) plus one the right edge.
RECT HighlightedItemRect(const RECT& bar, const std::function<bool(LONG x, LONG y)>& highlighted);

// The pressed button of a menu bar that is a window of its own, scanning
// the row bar.top + 4 leftwards from the right: the first 3-D highlight
// pixel plus one is the right edge, the next 3-D shadow pixel further left
// the left edge; neither scan goes left of bar.left + 10.
RECT PressedMenuButtonRect(const RECT& bar, const std::function<bool(LONG x, LONG y)>& lightPixel,
                           const std::function<bool(LONG x, LONG y)>& shadowPixel);

// Where the menu of a separate menu bar hangs: below the bar, one pixel
// left of the rightmost 3-D highlight pixel of the row bar.top + 2 (scanned
// from the right, not left of bar.left + 10).
POINT CommandBarMenuPoint(const RECT& bar, const std::function<bool(LONG x, LONG y)>& lightPixel);

// What the cascading-menu chain looks at: the window under a screen point
// on the edge of a given menu, whether a window is a pop-up menu, and a
// window's rectangle.
struct MenuProbe {
    std::function<HWND(HWND menu, POINT)> windowAt;
    std::function<bool(HWND)> isMenu;
    std::function<bool(HWND, RECT*)> windowRect;
    int screenWidth;
    int screenHeight;
};

// Longest chain of cascading submenus followed.
const size_t kMaxCascadeLinks = 16;

// The submenus cascading from menu, in order: the first window other than
// the current menu under its right edge column, then its left edge column,
// is the next one. The chain ends at a window that is not a menu, at a menu
// already in it (or menu itself), and after kMaxCascadeLinks links.
std::vector<HWND> CascadingMenuChain(HWND menu, const MenuProbe& probe);
