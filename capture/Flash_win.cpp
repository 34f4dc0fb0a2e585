// The notification flashes and the size readout, drawn straight on the
// display. A flash inverts the lines of its plan (FlashGeometry) with
// PatBlt DSTINVERT, holds the user-interface thread until more than 350 ms
// have passed since the first phase ended, and inverts the lines back.
#include "CaptureCore.h"
#include "CaptureGdi.h"
#include "CaptureGeometry.h"
#include "FlashGeometry.h"

#include "../framework/Display.h"
#include "../settings/CaptureOptions.h"

#include <string>

namespace {

const DWORD kFlashPauseMs = 350;

void InvertStrips(HDC dc, const std::vector<InvertStrip>& strips)
{
    for (const InvertStrip& s : strips) PatBlt(dc, s.x, s.y, s.width, s.height, DSTINVERT);
    GdiFlush();
}

void RunFlash(const FlashPlan& plan)
{
    if (plan.phase1.empty()) return;
    DisplayDC display;
    if (!display) return;
    InvertStrips(display.get(), plan.phase1);
    DWORD start = GetTickCount();
    // Unsigned difference: correct across the tick counter's wrap.
    while (GetTickCount() - start <= kFlashPauseMs) Sleep(1);
    InvertStrips(display.get(), plan.phase2);
}

}  // namespace

void FlashCenterIn(const RECT& area) { RunFlash(CenterInPlan(area, FlashRepeatCount(kFlashCenterIn, DisplayDepth()))); }

void FlashInsideOut(const RECT& area)
{
    RunFlash(InsideOutPlan(area, FlashRepeatCount(kFlashInsideOut, DisplayDepth())));
}

void FlashUpDown(const RECT& area) { RunFlash(UpDownPlan(area, FlashRepeatCount(kFlashUpDown, DisplayDepth()))); }

void DrawSizeReadout(HDC target, const RECT& area)
{
    if (!target) return;
    std::string text = SizeReadoutText(area);
    HDC memory = CreateCompatibleDC(target);
    if (!memory) return;
    SIZE size = {0, 0};
    if (GetTextExtentPoint32A(memory, text.c_str(), int(text.size()), &size) && size.cx > 0 && size.cy > 0) {
        HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
        if (mask) {
            HGDIOBJ old = SelectObject(memory, mask);
            if (old) {
                // White glyphs on black: against the target's black text and
                // white background colours the glyph bits XOR as white
                // (invert) and the rest as black (no change).
                SetTextColor(memory, RGB(255, 255, 255));
                SetBkColor(memory, RGB(0, 0, 0));
                SetBkMode(memory, OPAQUE);
                TextOutA(memory, 0, 0, text.c_str(), int(text.size()));
                POINT at = SizeReadoutOrigin(area, size.cx, size.cy);
                BitBlt(target, at.x, at.y, size.cx, size.cy, memory, 0, 0, SRCINVERT);
                SelectObject(memory, old);
            }
            DeleteObject(mask);
        }
    }
    DeleteDC(memory);
}
