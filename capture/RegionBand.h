// The rubber band of a Region selection as pure geometry: the rectangle
// spanned by the anchor (the press point) and the pointer, the corner of it
// the anchor occupies, and the inversions that move the inverted selection
// from the old rectangle to the new one. While the pointer stays in one
// quadrant around the anchor only two strips change; across the anchor the
// whole old rectangle and the whole new one are inverted.
#pragma once

#include "../framework/kernel.h"

// The anchor's corner of the rectangle: top-left (pointer to the lower
// right), bottom-left, top-right and bottom-right.
enum BandCorner { kAnchorBottomLeft = 1, kAnchorBottomRight = 2, kAnchorTopRight = 3, kAnchorTopLeft = 4 };

struct RegionBand {
    POINT anchor;
    RECT rect;   // normalised; right and bottom are the larger coordinates, not one beyond
    int corner;  // BandCorner
};

// Up to two rectangles to invert, each normalised and never empty.
struct BandInversions {
    RECT rects[2];
    int count = 0;
};

// The band at the press: an empty rectangle at anchor, corner top-left.
RegionBand StartRegionBand(POINT anchor);

// What to invert so that exactly the rectangle of band.anchor and pt ends
// up inverted when exactly band.rect was before.
BandInversions BandInversionsTo(const RegionBand& band, POINT pt);

// band moved to pt: the normalised rectangle of anchor and pt and the
// anchor's corner of it (on the anchor's column the pointer counts as left
// of it, on its row as above it).
void MoveRegionBand(RegionBand* band, POINT pt);

// True when rc has no pixels (zero width or height).
bool BandRectEmpty(const RECT& rc);
