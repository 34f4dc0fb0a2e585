// Arithmetic of the progress meter that the main frame draws in pane 0 of
// its status bar for kMsgProgress (index of the item just done, item count).
#pragma once

#include "framework/kernel.h"

// ((index + 1) * 100) / total in 64 bits, at most 100 and at least 0;
// -1 for a total of 0 or less, which reports nothing.
int MeterPercent(int index, int total);

// Remembers the percentage last drawn, so the meter redraws only when the
// whole-number percentage changes, and whether a meter short of 100 % is
// standing in the status bar.
class MeterTracker {
public:
    // True when percent differs from the last one drawn (and records it).
    bool Update(int percent);
    int Last() const { return m_nLast; }
    bool Showing() const { return m_bShowing; }
    // Forgets a meter whose work ended early; as at start, 0 % was last.
    void Reset();

private:
    int m_nLast = 0;
    bool m_bShowing = false;
};

// Where the meter's parts go, in status-bar coordinates.
struct MeterLayout {
    RECT done;       // navy, left of the split
    RECT remaining;  // yellow, right of the split
    POINT text;      // top-left of the "%d%%" text
};

// pane: the rectangle of pane 0; textWidth, textHeight: the size of the
// percentage text in the title font.
MeterLayout LayoutMeter(const RECT& pane, int percent, int textWidth, int textHeight);
