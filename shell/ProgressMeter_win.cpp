// Drawing of the progress meter and the sink that feeds it.
#include "ProgressMeter.h"

#include "Meter.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../framework/WinApp.h"
#include "../hook/HookWire.h"
#include "../framework/Progress.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

MeterTracker g_meter;

void SendProgressToMainWindow(int step, int steps)
{
    if (HWND frame = WinApp::MainWnd()) SendMessageA(frame, kMsgProgress, WPARAM(step), LPARAM(steps));
}

// Navy left of the split, yellow right of it, and the percentage combined
// by exclusive-or from a monochrome bitmap of white text on black.
void DrawMeter(HWND statusBar, int percent)
{
    RECT pane = {};
    if (!SendMessageA(statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane))) return;
    WindowDC dc(statusBar);
    MemoryDC textDc(dc.get());
    if (!dc || !textDc) return;

    char text[8];
    std::snprintf(text, sizeof text, "%d%%", percent);
    const int length = int(std::strlen(text));

    LOGFONTA lf = {};
    lf.lfHeight = ReadDisplayFacts().TitleFontHeight();
    std::strcpy(lf.lfFaceName, "System");
    GdiObject<HFONT> font(CreateFontIndirectA(&lf));
    SelectedObject textFont(textDc.get(), font.get());
    SIZE size = {};
    GetTextExtentPoint32A(textDc.get(), text, length, &size);

    const MeterLayout layout = LayoutMeter(pane, percent, size.cx, size.cy);
    GdiObject<HBRUSH> navy(CreateSolidBrush(RGB(0, 0, 128)));
    GdiObject<HBRUSH> yellow(CreateSolidBrush(RGB(255, 255, 0)));
    FillRect(dc.get(), &layout.done, navy.get());
    FillRect(dc.get(), &layout.remaining, yellow.get());

    GdiObject<HBITMAP> mono(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!mono) return;
    SelectedObject textBitmap(textDc.get(), mono.get());
    const RECT all = {0, 0, size.cx, size.cy};
    FillRect(textDc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(textDc.get(), RGB(255, 255, 255));
    SetBkColor(textDc.get(), RGB(0, 0, 0));
    TextOutA(textDc.get(), 0, 0, text, length);
    // Monochrome to colour: 0 bits take the text colour, 1 bits the
    // background colour of the target.
    SetTextColor(dc.get(), RGB(0, 0, 0));
    SetBkColor(dc.get(), RGB(255, 255, 255));
    BitBlt(dc.get(), layout.text.x, layout.text.y, size.cx, size.cy, textDc.get(), 0, 0, SRCINVERT);
}

}  // namespace

void InstallProgressMeter() { SetProgressSink(SendProgressToMainWindow); }

void OnProgressMessage(HWND statusBar, WPARAM index, LPARAM total)
{
    const int percent = MeterPercent(int(index), int(total));
    if (percent < 0 || !g_meter.Update(percent) || !statusBar) return;
    DrawMeter(statusBar, percent);
    if (percent == 100) InvalidateRect(statusBar, nullptr, TRUE);
}

void EndProgressMeter(HWND statusBar)
{
    if (!g_meter.Showing()) return;
    g_meter.Reset();
    if (statusBar) InvalidateRect(statusBar, nullptr, TRUE);
}
