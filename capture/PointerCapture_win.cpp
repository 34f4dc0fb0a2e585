// The Pointer grab: the cursor that was current when the capture was
// triggered, drawn at (0, 0) of a 32 x 32 picture on white whatever its
// hot spot or the system's cursor size. A cursor that cannot be drawn any
// more (its program has ended and taken it along, or the system keeps
// cursors per process) gives the standard arrow rather than an empty
// picture.
#include "CaptureKinds.h"

#include "CaptureGdi.h"

#include "../framework/GdiHandles.h"

namespace {
const int kPointerSize = 32;
}

CapturedBitmap GrabPointer(const CaptureRequest& request)
{
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    // Only the notification flash uses the area.
    const RECT area = {pt.x, pt.y, pt.x + kPointerSize, pt.y + kPointerSize};
    DisplayDC display;
    if (!display) return GrabbedArea(nullptr, area);
    GdiObject<HBITMAP> picture(CreateCompatibleBitmap(display.get(), kPointerSize, kPointerSize));
    MemoryDC memory(display.get());
    if (!picture || !memory) return GrabbedArea(nullptr, area);
    {
        SelectedObject selected(memory.get(), picture);
        PatBlt(memory.get(), 0, 0, kPointerSize, kPointerSize, WHITENESS);
        if (!request.triggerCursor || !DrawIcon(memory.get(), 0, 0, request.triggerCursor))
            DrawIcon(memory.get(), 0, 0, LoadCursorA(nullptr, IDC_ARROW));
    }
    return GrabbedArea(picture.release(), area);
}
