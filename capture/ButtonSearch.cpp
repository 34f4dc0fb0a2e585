// Button edge search (see ButtonSearch.h). Each probe is checked against
// the screen first, so a click near a screen edge never reads outside it.
// The corner checks may step an edge one pixel past the search box when a
// mark sits on its last column or row; the result is clipped back to the
// box, and the loop is bounded so that no colour pattern can keep it going.
#include "ButtonSearch.h"

#include <algorithm>

namespace {

const LONG kReach = 100;

class Probe {
public:
    Probe(int width, int height, const ButtonColors& colors, const PixelReader& pixel)
        : m_width(width), m_height(height), m_colors(colors), m_pixel(pixel)
    {
    }
    bool Is(LONG x, LONG y, COLORREF colour) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_pixel(x, y) == colour;
    }
    bool Shadow(LONG x, LONG y) const { return Is(x, y, m_colors.shadow); }
    bool Frame(LONG x, LONG y) const { return Is(x, y, m_colors.frame); }
    bool Highlight(LONG x, LONG y) const { return Is(x, y, m_colors.highlight); }
    // A shadow column at x with the frame column to its right, rows y-2..y+2.
    bool RightMark(LONG x, LONG y) const
    {
        for (LONG k = -2; k <= 2; ++k)
            if (!Shadow(x, y + k) || !Frame(x + 1, y + k)) return false;
        return true;
    }
    // A shadow row at y with the frame row below it, columns x-2..x+2.
    bool BottomMark(LONG x, LONG y) const
    {
        for (LONG k = -2; k <= 2; ++k)
            if (!Shadow(x + k, y) || !Frame(x + k, y + 1)) return false;
        return true;
    }
    // The right shadow and frame columns run up from the bottom corner.
    bool RightCorner(LONG right, LONG bottom) const
    {
        for (LONG k = 2; k <= 6; ++k)
            if (!Shadow(right - 2, bottom - k) || !Frame(right - 1, bottom - k)) return false;
        return true;
    }
    // The bottom shadow and frame rows run left from the corner.
    bool BottomCorner(LONG right, LONG bottom) const
    {
        for (LONG k = 2; k <= 6; ++k)
            if (!Shadow(right - k, bottom - 2) || !Frame(right - k, bottom - 1)) return false;
        return true;
    }

private:
    int m_width, m_height;
    ButtonColors m_colors;
    const PixelReader& m_pixel;
};

// The first right-edge mark from column x on, as the exclusive right edge;
// limit when there is none.
LONG NextRightEdge(const Probe& probe, LONG x, LONG y, LONG limit, bool* found)
{
    for (; x < limit; ++x)
        if (probe.RightMark(x, y)) {
            *found = true;
            return x + 2;
        }
    *found = false;
    return limit;
}

LONG NextBottomEdge(const Probe& probe, LONG x, LONG y, LONG limit, bool* found)
{
    for (; y < limit; ++y)
        if (probe.BottomMark(x, y)) {
            *found = true;
            return y + 2;
        }
    *found = false;
    return limit;
}

}  // namespace

RECT FindButtonRect(POINT p, int screenWidth, int screenHeight, const ButtonColors& colors, const PixelReader& pixel)
{
    const Probe probe(screenWidth, screenHeight, colors, pixel);
    const RECT box = {std::max<LONG>(0, p.x - kReach), std::max<LONG>(0, p.y - kReach),
                      std::min<LONG>(screenWidth, p.x + kReach), std::min<LONG>(screenHeight, p.y + kReach)};
    bool found = false;
    LONG right = NextRightEdge(probe, p.x, p.y, box.right, &found);
    LONG bottom = NextBottomEdge(probe, p.x, p.y, box.bottom, &found);

    bool rightSettled = false, bottomSettled = false;
    // Every failed check moves an edge on; this bounds the loop whatever the colours.
    for (LONG rounds = 2 * (box.right - box.left + box.bottom - box.top) + 4;
         !(rightSettled && bottomSettled) && rounds > 0; --rounds) {
        if (probe.RightCorner(right, bottom)) {
            rightSettled = true;
        } else {
            if (bottom < box.bottom) bottomSettled = false;
            right = NextRightEdge(probe, right - 1, p.y, box.right, &found);
            if (!found) rightSettled = true;
        }
        if (probe.BottomCorner(right, bottom)) {
            bottomSettled = true;
        } else {
            if (right < box.right) rightSettled = false;
            bottom = NextBottomEdge(probe, p.x, bottom - 1, box.bottom, &found);
            if (!found) bottomSettled = true;
        }
    }
    right = std::min(right, box.right);
    bottom = std::min(bottom, box.bottom);

    LONG left = box.left;
    for (LONG x = right - 2; x > left; --x) {
        if (probe.Frame(x, bottom - 3) && probe.Highlight(x - 1, bottom - 3) && x <= p.x) {
            left = x;
            break;
        }
        if (!probe.Shadow(x, bottom - 2) && x <= p.x) {
            left = probe.Frame(x - 1, bottom - 2) ? x - 1 : x;
            break;
        }
    }
    LONG top = box.top;
    for (LONG y = bottom - 2; y > top; --y) {
        if (probe.Frame(right - 3, y) && probe.Highlight(right - 3, y + 1) && y <= p.y) {
            top = y;
            break;
        }
        if (!probe.Shadow(right - 2, y) && y <= p.y) {
            top = probe.Frame(right - 2, y - 1) ? y - 1 : y;
            break;
        }
    }
    return RECT{left, top, right, bottom};
}
