// The Button selection: the edge search of ButtonSearch.h on the frozen
// screen. The search box and a margin for the probes around it are read
// from the display in one transfer into a 32-bit section, so the search
// reads memory instead of asking the display for each pixel.
#include "CaptureKinds.h"

#include "ButtonSearch.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "SelectionInput.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"

#include <algorithm>

namespace {

// Probes reach at most this far beyond the 100-pixel search box.
const LONG kArea = 100 + 8;

// A copy of part of the display with its pixels in memory.
class ScreenArea {
public:
    ScreenArea(HDC display, const RECT& area) : m_area(area)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = area.right - area.left;
        info.bmiHeader.biHeight = -(area.bottom - area.top);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_section.reset(CreateDIBSection(display, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDC memory(display);
        if (!m_section || !memory) return;
        SelectedObject selected(memory.get(), m_section);
        if (BitBlt(memory.get(), 0, 0, info.bmiHeader.biWidth, area.bottom - area.top, display, area.left, area.top,
                   SRCCOPY))
            m_bits = static_cast<const RGBQUAD*>(bits);
        GdiFlush();
    }
    // The pixel's colour; a colour no pixel has outside the copy.
    COLORREF Pixel(LONG x, LONG y) const
    {
        if (!m_bits || x < m_area.left || y < m_area.top || x >= m_area.right || y >= m_area.bottom)
            return CLR_INVALID;
        const RGBQUAD q = m_bits[(y - m_area.top) * (m_area.right - m_area.left) + (x - m_area.left)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }

private:
    RECT m_area;
    GdiObject<HBITMAP> m_section;
    const RGBQUAD* m_bits = nullptr;
};

}  // namespace

std::optional<RECT> SelectButton(const CaptureRequest&)
{
    const int width = ScreenWidth(), height = ScreenHeight();
    POINT p = PressPosition();
    p.x = std::max<LONG>(0, std::min<LONG>(p.x, width - 1));
    p.y = std::max<LONG>(0, std::min<LONG>(p.y, height - 1));
    DisplayDC display;
    if (!display) return std::nullopt;
    const ButtonColors colors = {GetNearestColor(display.get(), GetSysColor(COLOR_BTNSHADOW)),
                                 GetNearestColor(display.get(), GetSysColor(COLOR_WINDOWFRAME)),
                                 GetNearestColor(display.get(), GetSysColor(COLOR_BTNHIGHLIGHT))};
    const ScreenArea area(display.get(), ClipToScreen(RECT{p.x - kArea, p.y - kArea, p.x + kArea, p.y + kArea},
                                                      width, height));
    return FindButtonRect(p, width, height, colors, [&area](LONG x, LONG y) { return area.Pixel(x, y); });
}
