// Bodies of the capture kinds not built yet (see CaptureKinds.h): every
// selection finds nothing and every grab captures nothing, so the capture
// ends quietly; the Title & Menu composite falls back to the plain grab.
// The code that builds a kind replaces its bodies with a file of its own.
#include "CaptureKinds.h"

#include "CaptureCore.h"

std::optional<RECT> SelectActiveWindow(const CaptureRequest&, const CaptureOptions&) { return std::nullopt; }
std::optional<RECT> PickWindowUnderPointer(const CaptureRequest&, const CaptureOptions&) { return std::nullopt; }
CapturedBitmap GrabWindow(const CaptureRequest&, const CaptureOptions&) { return CapturedBitmap(); }

std::optional<RECT> SelectTitleAndMenu(const CaptureRequest&, const CaptureOptions&, const MenuOptions&)
{
    return std::nullopt;
}
bool TitleMenuWindowVisible() { return false; }
CapturedBitmap GrabTitleAndMenu(const CaptureRequest& request, const CaptureOptions& options)
{
    return GrabScreenRect(request, options);
}
