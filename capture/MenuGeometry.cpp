// Title bar, menu bar, pull-down adjustment, menu-bar scans and the
// cascading-menu chain.
#include "MenuGeometry.h"

#include "WindowGeometry.h"

#include <algorithm>

namespace {

LONG Border(const FrameMeasures& frame) { return frame.clientOrigin.x - frame.window.left; }

}  // namespace

RECT FrameMenuBarRect(const FrameMeasures& frame)
{
    const LONG border = Border(frame);
    return RECT{frame.clientOrigin.x - 1, frame.window.top + border + frame.captionHeight - 1,
                frame.window.right - border + 1, frame.clientOrigin.y};
}

RECT TitleBarRect(const FrameMeasures& frame)
{
    RECT title = frame.window;
    title.bottom = frame.window.top + Border(frame) + frame.captionHeight - 1;
    return title;
}

RECT AdjustPulldownRect(RECT menu, LONG windowTop, int menuBarHeight)
{
    if (menu.top >= windowTop)
        menu.top -= menuBarHeight;
    else
        menu.bottom += menuBarHeight;
    if (menu.top - 6 < windowTop) menu.left -= 1;
    return menu;
}

LONG ScanRow(LONG from, LONG to, int step, const std::function<bool(LONG)>& matches)
{
    LONG x = from;
    for (; step > 0 ? x <= to : x >= to; x += step)
        if (matches(x)) return x;
    return x;
}

RECT HighlightedItemRect(const RECT& bar, const std::function<bool(LONG x, LONG y)>& highlighted)
{
    const LONG y = bar.top + 1;
    auto atRow = [&](LONG x) { return highlighted(x, y); };
    RECT item = bar;
    item.left = ScanRow(bar.left, bar.right - 2, 1, atRow);
    item.right = ScanRow(bar.right - 1, item.left, -1, atRow) + 1;
    return item;
}

RECT PressedMenuButtonRect(const RECT& bar, const std::function<bool(LONG x, LONG y)>& lightPixel,
                           const std::function<bool(LONG x, LONG y)>& shadowPixel)
{
    const LONG y = bar.top + 4;
    RECT button = bar;
    const LONG light = ScanRow(bar.right - 1, bar.left + 10, -1, [&](LONG x) { return lightPixel(x, y); });
    button.right = light + 1;
    button.left = ScanRow(light, bar.left + 10, -1, [&](LONG x) { return shadowPixel(x, y); });
    return button;
}

POINT CommandBarMenuPoint(const RECT& bar, const std::function<bool(LONG x, LONG y)>& lightPixel)
{
    const LONG y = bar.top + 2;
    const LONG x = ScanRow(bar.right - 1, bar.left + 10, -1, [&](LONG px) { return lightPixel(px, y); });
    return POINT{x - 1, bar.bottom + 2};
}

std::vector<HWND> CascadingMenuChain(HWND menu, const MenuProbe& probe)
{
    std::vector<HWND> chain;
    HWND current = menu;
    RECT rc;
    while (chain.size() < kMaxCascadeLinks && probe.windowRect(current, &rc)) {
        HWND next = FindEdgeWindow(
            rc, false, probe.screenWidth, probe.screenHeight,
            [&probe, current](POINT pt) { return probe.windowAt(current, pt); },
            [current](HWND hit) { return hit != current; });
        const bool taken = next == menu || std::find(chain.begin(), chain.end(), next) != chain.end();
        if (!next || taken || !probe.isMenu(next)) break;
        chain.push_back(next);
        current = next;
    }
    return chain;
}
