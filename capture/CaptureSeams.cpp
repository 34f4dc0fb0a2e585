// Default bodies of the capture core's outward calls (see CaptureSeams.h):
// no snapshot button is ever under the pointer, the image options leave
// the image unchanged, Save As writes nothing and printing does nothing.
// Each body is replaced where its behaviour is implemented.
#include "CaptureSeams.h"

bool PointerOnSnapshotButton(POINT) { return false; }

void ApplyCaptureFrame(XImage*, const FrameOptions&) {}
void ApplyCaptureColorOption(XImage*, int, const BlackWhiteOptions&) {}

bool SaveCaptureAs(XImage*, FileOptions&, FormatOptions&) { return false; }

void PrintCaptureImage(XImage*, bool) {}
