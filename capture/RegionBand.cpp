// Rubber-band geometry of the Region selection (see RegionBand.h). A strip
// is given as a corner and a signed width and height; a negative extent
// means the strip lies on the other side of that corner. Strips are
// normalised here so that the drawing code inverts plain rectangles and
// every inversion covers exactly the pixels that the next one undoes.
#include "RegionBand.h"

#include <algorithm>

namespace {

void AddStrip(BandInversions* out, LONG x, LONG y, LONG width, LONG height)
{
    RECT rc = {std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
    if (!BandRectEmpty(rc)) out->rects[out->count++] = rc;
}

void AddRect(BandInversions* out, const RECT& rc) { AddStrip(out, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top); }

RECT SpanOf(POINT a, POINT b)
{
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

bool BandRectEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

RegionBand StartRegionBand(POINT anchor) { return RegionBand{anchor, SpanOf(anchor, anchor), kAnchorTopLeft}; }

BandInversions BandInversionsTo(const RegionBand& band, POINT pt)
{
    const RECT& old = band.rect;
    const POINT a = band.anchor;
    const bool right = pt.x >= a.x, below = pt.y >= a.y;
    BandInversions out;
    if (right && below && band.corner == kAnchorTopLeft) {
        AddStrip(&out, old.right, old.top, pt.x - old.right, pt.y - old.top);
        AddStrip(&out, old.left, old.bottom, old.right - old.left, pt.y - old.bottom);
    } else if (!right && below && band.corner == kAnchorTopRight) {
        AddStrip(&out, pt.x, old.top, old.left - pt.x, pt.y - old.top);
        AddStrip(&out, old.left, old.bottom, old.right - old.left, pt.y - old.bottom);
    } else if (right && !below && band.corner == kAnchorBottomLeft) {
        AddStrip(&out, old.right, pt.y, pt.x - old.right, old.bottom - pt.y);
        AddStrip(&out, old.left, pt.y, old.right - old.left, old.top - pt.y);
    } else if (!right && !below && band.corner == kAnchorBottomRight) {
        AddStrip(&out, pt.x, pt.y, old.left - pt.x, old.bottom - pt.y);
        AddStrip(&out, old.left, pt.y, old.right - old.left, old.top - pt.y);
    } else {
        AddRect(&out, old);
        AddRect(&out, SpanOf(a, pt));
    }
    return out;
}

void MoveRegionBand(RegionBand* band, POINT pt)
{
    const POINT a = band->anchor;
    band->rect = SpanOf(a, pt);
    const bool left = a.x == band->rect.left, top = a.y == band->rect.top;
    const bool rightEdge = a.x == band->rect.right, bottomEdge = a.y == band->rect.bottom;
    if (left && top) band->corner = kAnchorTopLeft;
    if (left && bottomEdge) band->corner = kAnchorBottomLeft;
    if (rightEdge && top) band->corner = kAnchorTopRight;
    if (rightEdge && bottomEdge) band->corner = kAnchorBottomRight;
}
