// The line sequences of the three notification flashes. Each flash inverts
// lines of the capture rectangle on the screen (phase 1), pauses, and then
// inverts them back (phase 2); these functions only list the lines, in the
// order they are drawn, so the Win32 side is one PatBlt per strip.
//
// Center-In works on a box whose width and height are made even: with an
// odd width the column just right of the rectangle joins it, with an odd
// height the row just below. Inside Out and Up-Down split at the centre
// line; with an odd width (height) the column left of (row above) the
// rectangle joins. Every pixel is inverted an odd number of times in
// phase 1 and exactly once in phase 2, so the screen ends as it began.
#pragma once

#include "../framework/kernel.h"

#include <vector>

// One destination-invert blit: x, y, width, height in screen pixels.
struct InvertStrip {
    LONG x, y, width, height;
};

struct FlashPlan {
    std::vector<InvertStrip> phase1;  // before the pause
    std::vector<InvertStrip> phase2;  // after the pause
};

// How many times phase 1 repeats each inversion: once on displays deeper
// than 8 bits; otherwise 3 for Center-In, 5 for Up-Down, 1 for Inside Out.
// notification is the option value (1 Center-In, 2 Inside Out, 3 Up-Down).
int FlashRepeatCount(int notification, int displayDepth);

// Rings from the border to the centre, then from the centre outwards; the
// second phase draws exactly as many rings as the first, so an empty or
// reversed rectangle gives an empty plan.
FlashPlan CenterInPlan(const RECT& rc, int repeat);
// Column pairs spreading from the vertical centre line, then withdrawn
// from the sides back to it.
FlashPlan InsideOutPlan(const RECT& rc, int repeat);
// The same on rows from the horizontal centre line.
FlashPlan UpDownPlan(const RECT& rc, int repeat);
