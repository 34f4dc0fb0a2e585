// Default bodies of the capture core's outward calls (see CaptureSeams.h):
// the selections and mode grabs capture nothing, the image options leave
// the image unchanged, and writing and printing report that nothing was
// done. Each body is replaced where its behaviour is implemented.
#include "CaptureSeams.h"

#include "CaptureCore.h"
#include "CaptureState.h"

#include "../image/XImage.h"

namespace {
void EndWithNothing()
{
    CaptureRect = RECT{0, 0, 0, 0};
    FinishCapture();
}
}

void RunRegionSelection() { EndWithNothing(); }
void RunButtonSearch() { EndWithNothing(); }
void RunWindowPick() { EndWithNothing(); }

void GrabWindowImage() { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabFreehandImage() { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabPointerImage() { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabTitleMenuComposite() { GrabScreenRect(); }
bool TitleMenuWindowVisible() { return false; }

bool PointerOnSnapshotButton(POINT) { return false; }

void ApplyCaptureFrame(XImage*) {}
void ApplyCaptureColorOption(XImage*, int) {}

bool WriteCaptureFile(XImage*, const std::string&, int) { return false; }
bool SaveCaptureAs(XImage*) { return false; }

void PrintCaptureImage(XImage*, bool) {}
