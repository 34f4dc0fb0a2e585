// The Freehand grab: the stroke is drawn as single pixels in the pen colour
// on the frozen screen while the left button is down, then the stroke's
// bounding box is cut out with the outside of each row's span painted
// white. A backup of the whole screen restores what the stroke covered,
// before the cut (Include Border off) or after it (on). Every way out that
// drew on the screen restores it first.
#include "CaptureKinds.h"

#include "CaptureGdi.h"
#include "CaptureText.h"
#include "FreehandStroke.h"
#include "SelectionInput.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../resources/resource.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

CapturedBitmap OutOfMemory()
{
    CapturedBitmap grab;
    grab.failure = GrabFailure::kOutOfMemory;
    return grab;
}

// A stroke point, kept on the screen.
StrokePoint OnScreen(POINT pt, int width, int height)
{
    return StrokePoint{int32_t(std::max<LONG>(0, std::min<LONG>(pt.x, width - 1))),
                       int32_t(std::max<LONG>(0, std::min<LONG>(pt.y, height - 1)))};
}

void CopyBox(HDC picture, HDC display, const RECT& box)
{
    BitBlt(picture, 0, 0, box.right - box.left, box.bottom - box.top, display, box.left, box.top, SRCCOPY);
}

void RestoreBox(HDC display, HDC backup, const RECT& box)
{
    BitBlt(display, box.left, box.top, box.right - box.left, box.bottom - box.top, backup, box.left, box.top,
           SRCCOPY);
}

// Paints white what lies outside each row's span.
void WhitenOutside(HDC picture, int width, int height, const int32_t* minX, const int32_t* maxX)
{
    for (int row = 0; row < height; ++row) {
        const int32_t left = std::min<int32_t>(minX[row], width);
        const int32_t right = std::max<int32_t>(maxX[row] + 1, left);
        if (left > 0) PatBlt(picture, 0, row, left, 1, WHITENESS);
        if (right < width) PatBlt(picture, right, row, width - right, 1, WHITENESS);
    }
}

}  // namespace

CapturedBitmap GrabFreehand(const CaptureRequest&, const CaptureOptions& options)
{
    const FreehandOptions& freehand = options.freehand;
    const int screenWidth = ScreenWidth(), screenHeight = ScreenHeight();
    DisplayDC display;
    if (!display) return OutOfMemory();
    HDC dc = display.get();
    GdiObject<HBITMAP> backup(CreateCompatibleBitmap(dc, screenWidth, screenHeight));
    StrokePoints points;
    if (!backup || !points.Allocate()) return OutOfMemory();
    MemoryDC backupDc(dc), pictureDc(dc);
    if (!backupDc || !pictureDc) return OutOfMemory();
    SelectedObject backupSelected(backupDc.get(), backup);
    BitBlt(backupDc.get(), 0, 0, screenWidth, screenHeight, dc, 0, 0, SRCCOPY);

    points.Add(OnScreen(PressPosition(), screenWidth, screenHeight));
    bool full = false;
    for (SelectionInput input = NextSelectionInput(); !input.released; input = NextSelectionInput()) {
        const StrokePoint pt = OnScreen(input.pt, screenWidth, screenHeight);
        if (!points.Add(pt)) {
            full = true;
            break;
        }
        SetPixel(dc, pt.x, pt.y, freehand.pen);
    }
    if (full) ShowCaptureMessage(IDS_INSUFFICIENT_MEMORY);

    HCURSOR oldCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const RECT box = StrokeBounds(points.data(), points.size());
    const int width = box.right - box.left, height = box.bottom - box.top;
    GdiObject<HBITMAP> picture(CreateCompatibleBitmap(dc, width, height));
    std::unique_ptr<int32_t[]> minX(new (std::nothrow) int32_t[size_t(height)]);
    std::unique_ptr<int32_t[]> maxX(new (std::nothrow) int32_t[size_t(height)]);
    if (!picture || !minX || !maxX) {
        RestoreBox(dc, backupDc.get(), box);
        SetCursor(oldCursor);
        return OutOfMemory();
    }
    {
        SelectedObject pictureSelected(pictureDc.get(), picture);
        if (freehand.includeBorder) {
            CopyBox(pictureDc.get(), dc, box);
            RestoreBox(dc, backupDc.get(), box);
        } else {
            RestoreBox(dc, backupDc.get(), box);
            CopyBox(pictureDc.get(), dc, box);
        }
        StrokeRowSpans(points.data(), points.size(), box, minX.get(), maxX.get());
        WhitenOutside(pictureDc.get(), width, height, minX.get(), maxX.get());
    }
    SetCursor(oldCursor);
    return GrabbedArea(picture.release(), box);
}
