// The Title & Menu capture: the trigger window's title bar and menu bar,
// the open pull-down or context menu and the submenus cascading from it,
// in the combination the Title & Menu page asks for, as one rectangle of
// the screen or (Erase Background) as those parts alone on white.
//
// The selection finds the menus once and keeps what it found for the
// composite grab that follows, so that both take the same parts.
#include "CaptureKinds.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "CaptureText.h"
#include "CompositeGrab.h"
#include "EdgeProbe.h"
#include "MenuGeometry.h"
#include "WindowGeometry.h"

#include "../framework/Display.h"
#include "../resources/resource.h"

#include <cstring>
#include <optional>
#include <vector>

namespace {

struct FoundMenus {
    bool triggerShown = false;       // the trigger window exists and is not minimised
    HWND menuWindow = nullptr;
    RECT menuRect = {0, 0, 0, 0};    // its window rectangle as found
    RECT menuBar = {0, 0, 0, 0};
    bool separateMenuBar = false;
    bool contextMenuMode = false;    // the menu hangs from no menu bar of the trigger window
    std::vector<RECT> cascade;       // the submenus cascading from the menu
};

FoundMenus g_found;

bool IsMenuWindow(HWND window)
{
    char name[16] = {};
    return window && GetClassNameA(window, name, sizeof name) && std::strcmp(name, "#32768") == 0;
}

bool Shown(HWND window) { return window && IsWindowVisible(window); }

// The pop-up menu under pt, if any: a right click that opened no menu, or
// a corner with no menu open, gives nothing to take.
HWND MenuWindowAt(POINT pt)
{
    HWND window = WindowFromPoint(pt);
    return IsMenuWindow(window) ? window : nullptr;
}

BOOL CALLBACK RememberShownMenu(HWND window, LPARAM lowest)
{
    if (IsWindowVisible(window) && IsMenuWindow(window)) *reinterpret_cast<HWND*>(lowest) = window;
    return TRUE;
}

// The window an open pull-down menu shows in: the recorded pop-up menu
// window while it shows; otherwise the open menu lowest in the window
// order, where a system that gives each menu a window of its own puts the
// first menu of a cascade.
HWND OpenPulldownMenu(HWND recorded)
{
    if (Shown(recorded)) return recorded;
    HWND lowest = nullptr;
    EnumWindows(RememberShownMenu, reinterpret_cast<LPARAM>(&lowest));
    return lowest;
}

// The context menu a right-button release opened at click: right and below
// the click, or, when it opened to the left, one pixel left of it.
HWND ContextMenuAt(POINT click)
{
    POINT pt = {click.x + 1, click.y + 1};
    HWND menu = MenuWindowAt(pt);
    RECT rc;
    if (menu && GetWindowRect(menu, &rc) && (rc.left == pt.x || rc.left == pt.x - 1)) return menu;
    pt.x -= 2;
    return MenuWindowAt(pt);
}

FrameMeasures MeasuresOf(HWND window)
{
    FrameMeasures frame = {{0, 0, 0, 0}, {0, 0}, GetSystemMetrics(SM_CYCAPTION)};
    GetWindowRect(window, &frame.window);
    ClientToScreen(window, &frame.clientOrigin);
    return frame;
}

// One row of screen pixels, read in one block transfer and only where it
// lies on the screen; pixels off the screen match no colour.
class ScreenRow {
public:
    ScreenRow(LONG y, LONG left, LONG right) : m_y(y)
    {
        const RECT row = ClipToScreen(RECT{left, y, right, y + 1}, ScreenWidth(), ScreenHeight());
        const LONG width = row.right - row.left;
        if (width <= 0) return;
        m_left = row.left;
        DisplayDC display;
        HDC memory = display ? CreateCompatibleDC(display.get()) : nullptr;
        if (!memory) return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(display.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = section ? SelectObject(memory, section) : nullptr;
        if (old && BitBlt(memory, 0, 0, width, 1, display.get(), row.left, y, SRCCOPY)) {
            GdiFlush();
            const DWORD* pixels = static_cast<const DWORD*>(bits);
            for (LONG x = 0; x < width; ++x)
                m_pixels.push_back(RGB((pixels[x] >> 16) & 0xFF, (pixels[x] >> 8) & 0xFF, pixels[x] & 0xFF));
        }
        if (old) SelectObject(memory, old);
        if (section) DeleteObject(section);
        DeleteDC(memory);
    }

    bool Is(LONG x, LONG y, COLORREF colour) const
    {
        return y == m_y && x >= m_left && x - m_left < LONG(m_pixels.size()) && m_pixels[size_t(x - m_left)] == colour;
    }

private:
    LONG m_y;
    LONG m_left = 0;
    std::vector<COLORREF> m_pixels;
};

// A system colour as the display shows it; black for the highlight on a
// one-bit display.
COLORREF DisplayColour(int index)
{
    DisplayDC display;
    if (!display) return GetSysColor(index);
    if (index == COLOR_HIGHLIGHT && GetDeviceCaps(display.get(), BITSPIXEL) * GetDeviceCaps(display.get(), PLANES) == 1)
        return RGB(0, 0, 0);
    return GetNearestColor(display.get(), GetSysColor(index));
}

// The menu bar of window: in its frame, or a window of its own just below
// the caption (a tool-bar-like menu bar).
RECT MeasureMenuBar(HWND window, bool* separate)
{
    RECT bar = FrameMenuBarRect(MeasuresOf(window));
    *separate = false;
    if (bar.bottom - bar.top <= 1) {
        HWND below = WindowFromPoint(POINT{bar.left + 5, bar.bottom + 2});
        RECT own;
        if (below && below != window && GetWindowRect(below, &own)) {
            bar = own;
            *separate = true;
        }
    }
    return bar;
}

HWND FindCommandBarMenu(const RECT& bar)
{
    const COLORREF light = DisplayColour(COLOR_3DHILIGHT);
    const ScreenRow row(bar.top + 2, bar.left, bar.right);
    return WindowFromPoint(CommandBarMenuPoint(bar, [&](LONG x, LONG y) { return row.Is(x, y, light); }));
}

RECT HighlightedItem(const RECT& bar)
{
    const COLORREF highlight = DisplayColour(COLOR_HIGHLIGHT);
    const ScreenRow row(bar.top + 1, bar.left, bar.right);
    return HighlightedItemRect(bar, [&](LONG x, LONG y) { return row.Is(x, y, highlight); });
}

RECT PressedMenuButton(const RECT& bar)
{
    const COLORREF light = DisplayColour(COLOR_3DHILIGHT), shadow = DisplayColour(COLOR_3DSHADOW);
    const ScreenRow row(bar.top + 4, bar.left, bar.right);
    return PressedMenuButtonRect(bar, [&](LONG x, LONG y) { return row.Is(x, y, light); },
                                 [&](LONG x, LONG y) { return row.Is(x, y, shadow); });
}

std::vector<RECT> CascadeRects(HWND menu)
{
    std::optional<EdgeProbe> edges;  // of the menu probed last
    auto windowAt = [&edges](HWND menu, POINT pt) {
        if (!edges || edges->Window() != menu) edges.emplace(menu);
        return edges->WindowAt(pt);
    };
    const MenuProbe probe = {windowAt, IsMenuWindow,
                             [](HWND window, RECT* rc) { return GetWindowRect(window, rc) != FALSE; }, ScreenWidth(),
                             ScreenHeight()};
    std::vector<RECT> rects;
    for (HWND submenu : CascadingMenuChain(menu, probe)) {
        RECT rc;
        if (GetWindowRect(submenu, &rc)) rects.push_back(rc);
    }
    return rects;
}

std::optional<RECT> NoMenuFound()
{
    ShowCaptureMessage(IDS_NO_MENU_FOUND);
    return std::nullopt;
}

}  // namespace

std::optional<RECT> SelectTitleAndMenu(const CaptureRequest& request, const CaptureOptions& options,
                                       const MenuOptions& recordedMenu)
{
    const TitleMenuOptions& page = options.titleMenu;
    g_found = FoundMenus();
    FoundMenus& found = g_found;
    HWND trigger = request.triggerWindow;
    found.triggerShown = trigger && IsWindow(trigger) && !IsIconic(trigger);
    const bool newShell = (WindowsVersion() & 0xFF) >= 4;
    HWND recorded = reinterpret_cast<HWND>(static_cast<intptr_t>(recordedMenu.window));
    if (!IsMenuWindow(recorded)) recorded = nullptr;

    HWND menu = nullptr;
    if (newShell && !Shown(recorded) && request.lastButtonRight) menu = ContextMenuAt(request.lastButton);
    if (menu) {
        found.contextMenuMode = true;
    } else {
        if (found.triggerShown) found.menuBar = MeasureMenuBar(trigger, &found.separateMenuBar);
        menu = found.separateMenuBar ? FindCommandBarMenu(found.menuBar) : OpenPulldownMenu(recorded);
    }
    if (newShell && !Shown(menu) && !request.lastButtonRight && page.pulldownMenu) {
        // A menu near the bottom-left corner of the screen (the start menu).
        if (HWND corner = MenuWindowAt(POINT{30, ScreenHeight() - 40})) {
            menu = corner;
            found.contextMenuMode = true;
        }
    }
    found.menuWindow = menu;
    const bool menuShown = Shown(menu);
    if (menuShown) GetWindowRect(menu, &found.menuRect);
    if (!found.triggerShown && !menuShown) return NoMenuFound();

    RECT area = {0, 0, 0, 0};
    const bool bars = found.triggerShown && !found.contextMenuMode;
    if (page.titleBar && bars) area = TitleBarRect(MeasuresOf(trigger));
    if (page.menuBar && bars) area = UniteRects(area, found.menuBar);
    if (page.pulldownMenu) {
        if (menuShown) {
            RECT pulldown = found.menuRect;
            if (bars) {
                RECT window;
                GetWindowRect(trigger, &window);
                pulldown = AdjustPulldownRect(pulldown, window.top, GetSystemMetrics(SM_CYMENU));
            }
            area = UniteRects(area, pulldown);
        } else if (!page.menuBar) {
            return NoMenuFound();
        }
    }
    if (page.cascadingMenu && menuShown) {
        found.cascade = CascadeRects(menu);
        for (const RECT& submenu : found.cascade) area = UniteRects(area, submenu);
    }
    int32_t width, height;
    if (!CaptureExtent(area, &width, &height)) return NoMenuFound();
    const RECT clipped = ClipCaptureRect(area, nullptr, ScreenWidth(), ScreenHeight());
    if (!CaptureExtent(clipped, &width, &height)) return std::nullopt;
    return clipped;
}

bool TitleMenuWindowVisible() { return Shown(g_found.menuWindow); }

CapturedBitmap GrabTitleAndMenu(const CaptureRequest& request, const CaptureOptions& options)
{
    const TitleMenuOptions& page = options.titleMenu;
    const FoundMenus& found = g_found;
    HWND trigger = request.triggerWindow;
    CompositeGrab grab(request.captureRect);
    if (found.triggerShown && IsWindow(trigger) && !IsIconic(trigger)) {
        const FrameMeasures frame = MeasuresOf(trigger);
        const bool bars = !found.contextMenuMode;
        bool separate = false;
        const RECT menuBar = MeasureMenuBar(trigger, &separate);
        if (page.titleBar && bars)
            grab.CopyFromDisplay(frame.window);
        else if (!page.menuBar || !bars)
            grab.CopyFromDisplay(HighlightedItem(menuBar));
        else
            grab.CopyFromDisplay(menuBar);
        grab.Whiten(ClientOnScreen(trigger));

        RECT bar = {0, 0, 0, 0};
        if (page.titleBar && bars) bar = TitleBarRect(frame);
        if (page.menuBar && bars) bar = UniteRects(bar, menuBar);
        if (!page.titleBar && !page.menuBar) bar = separate ? PressedMenuButton(menuBar) : HighlightedItem(menuBar);
        grab.CopyFromDisplay(bar);
    }
    grab.CopyFromDisplay(found.menuRect);
    if (page.cascadingMenu)
        for (const RECT& submenu : found.cascade) grab.CopyFromDisplay(submenu);
    if (grab.Dc()) DrawPointerOverlay(grab.Dc(), request, options);
    return grab.Finish();
}
