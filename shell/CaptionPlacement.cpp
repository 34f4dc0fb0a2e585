// Caption arithmetic. The border is the distance from the window's left
// edge to its client area; a caption whose client area starts less than
// 18 pixels below the window's top is too short to hold either piece.
// The caption buttons at the right end are skipped: from Windows 4 on they
// are about one caption height wide each, earlier ones sit 3 pixels in.
#include "CaptionPlacement.h"

namespace {
const DWORD kSysMenu = 0x80000;
const DWORD kMinimizeBox = 0x20000;
const DWORD kMaximizeBox = 0x10000;
// A window with this style bit gets one more caption width of room left
// of the clock (the strip ignores it).
const DWORD kStyle0400 = 0x0400;
const int kMinCaptionDepth = 18;

int Border(const CaptionFacts& caption) { return caption.clientOrigin.x - caption.window.left; }

bool CaptionTooShort(const CaptionFacts& caption)
{
    return caption.clientOrigin.y - caption.window.top < kMinCaptionDepth;
}

bool AllOnTarget(const RECT& rc, const TargetAtPoint& onTarget)
{
    for (const POINT& pt : CaptionProbePoints(rc))
        if (!onTarget(pt)) return false;
    return true;
}
}

bool QualifiesAsTitleTarget(bool visible, bool minimized, DWORD style)
{
    return visible && !minimized && (style & (kSysMenu | kMinimizeBox | kMaximizeBox)) != 0;
}

std::array<POINT, 6> CaptionProbePoints(const RECT& rc)
{
    LONG middle = (rc.left + rc.right) / 2;
    return {{{rc.left, rc.top},
             {rc.left, rc.bottom},
             {rc.right, rc.bottom},
             {rc.right, rc.top},
             {middle, rc.top},
             {middle, rc.bottom}}};
}

bool PlaceTitleClock(const CaptionFacts& caption, SIZE textSize, int titleFontHeight, int reservedRight,
                     const TargetAtPoint& onTarget, RECT* clock)
{
    if (CaptionTooShort(caption)) return false;
    int border = Border(caption);
    int width = textSize.cx + 4;
    int height = textSize.cy;
    int x = caption.window.right - border - width - reservedRight;
    int y = caption.window.top + border - 1 + (caption.captionHeight - titleFontHeight) / 2;
    bool minimize = (caption.style & kMinimizeBox) != 0;
    bool extra = (caption.style & kStyle0400) != 0;
    if (minimize) x -= 2 * caption.captionHeight;
    if (extra) x -= caption.captionHeight;
    if (!minimize && !extra) x -= 3;
    if (caption.windows4) {
        x += 3 - caption.captionHeight;
        if (!minimize && !extra) x -= caption.captionHeight;
    }
    if (x < caption.window.left) return false;
    RECT rc = {x, y, x + width, y + height};
    if (!AllOnTarget(rc, onTarget)) return false;
    *clock = rc;
    return true;
}

bool PlaceSnapshotStrip(const CaptionFacts& caption, int stripWidth, int buttonHeight, RECT* strip)
{
    if (stripWidth <= 0 || buttonHeight <= 0 || CaptionTooShort(caption)) return false;
    int border = Border(caption);
    int x = caption.window.right - border - stripWidth;
    bool minimize = (caption.style & kMinimizeBox) != 0;
    x -= minimize ? 2 * caption.captionHeight : 3;
    if (caption.windows4) {
        x += 3 - caption.captionHeight;
        if (!minimize) x -= caption.captionHeight;
    }
    if (x < caption.window.left) return false;
    int top = caption.window.top + border + 2;
    *strip = RECT{x, top, x + stripWidth, top + buttonHeight};
    return true;
}
