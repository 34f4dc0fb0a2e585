// Bodies of the capture kinds not built yet (see CaptureKinds.h): every
// selection finds nothing and every grab captures nothing, so the capture
// ends quietly. The code that builds a kind replaces its bodies with a
// file of its own.
#include "CaptureKinds.h"

#include "CaptureCore.h"

std::optional<RECT> SelectRegion(const CaptureRequest&, const CaptureOptions&) { return std::nullopt; }

CapturedBitmap GrabFreehand(const CaptureRequest&, const CaptureOptions&) { return CapturedBitmap(); }

CapturedBitmap GrabPointer(const CaptureRequest&) { return CapturedBitmap(); }

std::optional<RECT> SelectButton(const CaptureRequest&) { return std::nullopt; }
