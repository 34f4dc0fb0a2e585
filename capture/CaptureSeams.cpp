// Default bodies of the capture core's outward calls (see CaptureSeams.h):
// the image options leave the image unchanged. Each body is replaced where
// its behaviour is implemented.
#include "CaptureSeams.h"

void ApplyCaptureFrame(XImage*, const FrameOptions&) {}
void ApplyCaptureColorOption(XImage*, int, const BlackWhiteOptions&) {}
