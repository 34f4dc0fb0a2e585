// Meter arithmetic. The bar fills the pane less one pixel on each side; the
// text is centred on the bar's right edge halved, and sits at most 2 pixels
// from the top (2 as well when the text is taller than the bar).
#include "Meter.h"

#include <cstdint>

int MeterPercent(int index, int total)
{
    if (total <= 0) return -1;
    int64_t percent = (int64_t(index) + 1) * 100 / total;
    if (percent > 99) percent = 100;
    if (percent < 0) percent = 0;
    return int(percent);
}

bool MeterTracker::Update(int percent)
{
    if (percent == m_nLast) return false;
    m_nLast = percent;
    m_bShowing = percent != 100;
    return true;
}

void MeterTracker::Reset()
{
    m_nLast = 0;
    m_bShowing = false;
}

MeterLayout LayoutMeter(const RECT& pane, int percent, int textWidth, int textHeight)
{
    RECT inner = {pane.left + 1, pane.top + 1, pane.right - 1, pane.bottom - 1};
    const LONG split = LONG(inner.left + int64_t(inner.right - inner.left) * percent / 100);

    MeterLayout layout;
    layout.done = {inner.left, inner.top, split, inner.bottom};
    layout.remaining = {split, inner.top, inner.right, inner.bottom};
    const LONG room = (inner.bottom - inner.top - textHeight) / 2;
    layout.text.x = (inner.right - textWidth) / 2;
    layout.text.y = (room < 0 || room > 2) ? 2 : room;
    return layout;
}
