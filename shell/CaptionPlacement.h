// Where the title-bar clock and the snapshot strip go on the caption of
// the foreground window, and whether another window covers that place.
// Screen coordinates throughout. The Win32 side fills CaptionFacts from the
// window and answers the probes with the window under each point.
#pragma once

#include "framework/kernel.h"

#include <array>
#include <functional>

struct CaptionFacts {
    RECT window;         // window rectangle
    POINT clientOrigin;  // client area's top-left corner
    DWORD style;         // window style bits
    int captionHeight;   // system caption height
    bool windows4;       // Windows version 4 or later (caption buttons on the right, one caption wide each)
};

// A window gets the clock and the strip when it is visible, not minimized
// and has a system menu, a minimize box or a maximize box.
bool QualifiesAsTitleTarget(bool visible, bool minimized, DWORD style);

// The six points tested for a rectangle on the caption: the four corners
// (right and bottom as given, so one past the drawn pixels) and the middle
// of the top and bottom edges.
std::array<POINT, 6> CaptionProbePoints(const RECT& rc);

// True when the window under the point is the title target.
using TargetAtPoint = std::function<bool(POINT)>;

// The clock's rectangle for a text of textSize in the title font, or false
// when the caption is too short, too narrow or covered at a probe point.
// reservedRight is the strip's width when the strip is drawn this tick
// (0 while it is held back for a capture or during printing), so the
// clock sits left of the buttons.
bool PlaceTitleClock(const CaptionFacts& caption, SIZE textSize, int titleFontHeight, int reservedRight,
                     const TargetAtPoint& onTarget, RECT* clock);

// The strip's rectangle before the probes, or false when the caption is
// too short or too narrow for it (or there is no strip).
bool PlaceSnapshotStrip(const CaptionFacts& caption, int stripWidth, int buttonHeight, RECT* strip);
