// The Region selection: the rubber band drawn on the frozen screen through
// the "DISPLAY" context while the left button is down. The outline is a
// dotted NOT-XOR line and the readout an XOR blit, so drawing either twice
// removes it; the inverted selection is moved with destination inversions
// (RegionBand.h). All of it is erased in the iteration that takes the
// release, before FinishCapture grabs the frozen picture.
#include "CaptureKinds.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "RegionBand.h"
#include "SelectionInput.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"

#include <algorithm>

namespace {

POINT OnScreen(POINT pt)
{
    pt.x = std::max<LONG>(0, std::min<LONG>(pt.x, ScreenWidth() - 1));
    pt.y = std::max<LONG>(0, std::min<LONG>(pt.y, ScreenHeight() - 1));
    return pt;
}

void InvertArea(HDC dc, const RECT& rc)
{
    if (!BandRectEmpty(rc)) PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, DSTINVERT);
}

// Draws, or with a second call removes, the outline and the size readout.
void ToggleBandMarks(HDC dc, const RECT& rc, bool showSize)
{
    if (BandRectEmpty(rc)) return;
    MoveToEx(dc, rc.left, rc.top, nullptr);
    LineTo(dc, rc.right, rc.top);
    LineTo(dc, rc.right, rc.bottom);
    LineTo(dc, rc.left, rc.bottom);
    LineTo(dc, rc.left, rc.top);
    if (showSize) DrawSizeReadout(dc, rc);
}

}  // namespace

std::optional<RECT> SelectRegion(const CaptureRequest&, const CaptureOptions& options)
{
    const bool invert = options.region.invertSelection != FALSE;
    const bool showSize = options.region.showImageSize != FALSE;
    RegionBand band = StartRegionBand(OnScreen(PressPosition()));
    DisplayDC display;
    if (!display) return std::nullopt;
    HDC dc = display.get();
    GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, options.region.pen));
    SelectedObject selectedPen(dc, pen);
    SetROP2(dc, R2_NOTXORPEN);
    for (;;) {
        const SelectionInput input = NextSelectionInput();
        ToggleBandMarks(dc, band.rect, showSize);
        if (input.released) {
            if (invert) InvertArea(dc, band.rect);
            break;
        }
        const POINT pt = OnScreen(input.pt);
        if (invert) {
            const BandInversions inversions = BandInversionsTo(band, pt);
            for (int i = 0; i < inversions.count; ++i) InvertArea(dc, inversions.rects[i]);
        }
        MoveRegionBand(&band, pt);
        ToggleBandMarks(dc, band.rect, showSize);
    }
    return band.rect;
}
