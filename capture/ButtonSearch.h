// The Button capture's search: the edges of a button drawn in the standard
// three-dimensional look, found by reading pixel colours around the click.
// A right edge is a shadow column with a frame column to its right, a
// bottom edge a shadow row with a frame row below it; the corner checks
// make sure both belong to one button; the left and top edges are where
// the shadow ends or the highlight meets the frame. Coordinates are screen
// pixels, right and bottom exclusive.
#pragma once

#include "../framework/kernel.h"

#include <functional>

struct ButtonColors {
    COLORREF shadow, frame, highlight;
};

// Reads the screen pixel at (x, y); asked only inside the screen.
using PixelReader = std::function<COLORREF(LONG x, LONG y)>;

// The button rectangle around the click at p on a screen of the given size.
// Without edge marks nearby the right and bottom edges stay 100 pixels from
// the click (clipped to the screen) and the left and top edges at or next
// to it. The result always lies inside the screen and holds p.
RECT FindButtonRect(POINT p, int screenWidth, int screenHeight, const ButtonColors& colors,
                    const PixelReader& pixel);
