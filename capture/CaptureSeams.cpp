// Default bodies of the capture core's outward calls (see CaptureSeams.h):
// the selections and mode grabs capture nothing, the image options leave
// the image unchanged, the file destination uses the format writers and
// printing reports that nothing was done. Each body is replaced where its
// behaviour is implemented.
#include "CaptureSeams.h"

#include "CaptureCore.h"
#include "CaptureState.h"

#include "CaptureText.h"

#include "../formats/ImageFile.h"
#include "../image/XImage.h"

namespace {
void EndWithNothing(const CaptureSettings& settings)
{
    CaptureRect = RECT{0, 0, 0, 0};
    FinishCapture(settings);
}
}

void RunRegionSelection(const CaptureSettings& settings) { EndWithNothing(settings); }
void RunButtonSearch(const CaptureSettings& settings) { EndWithNothing(settings); }
void RunWindowPick(const CaptureSettings& settings) { EndWithNothing(settings); }

void GrabWindowImage(XImage*, const CaptureOptions&) { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabFreehandImage(XImage*, const CaptureOptions&) { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabPointerImage(XImage*, const CaptureOptions&) { CaptureRect = RECT{0, 0, 0, 0}; }
void GrabTitleMenuComposite(XImage* image, const CaptureOptions& options) { GrabScreenRect(image, options); }
bool TitleMenuWindowVisible() { return false; }

bool PointerOnSnapshotButton(POINT) { return false; }

void ApplyCaptureFrame(XImage*, const FrameOptions&) {}
void ApplyCaptureColorOption(XImage*, int, const BlackWhiteOptions&) {}

namespace {

// Last-write time of path, or false when there is no such file.
bool FileTime(const std::string& path, FILETIME* written)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *written = data.ftLastWriteTime;
    return true;
}

}  // namespace

bool WriteCaptureFile(XImage* image, const std::string& path, int formatIndex)
{
    // A stored index outside the save list would write nothing at all.
    if (formatIndex < kSaveBmp || formatIndex > kSaveWpg) formatIndex = kSaveBmp;
    FILETIME before = {}, after = {};
    bool existed = FileTime(path, &before);
    const UINT failure = WriteImageFile(*image, path.c_str(), formatIndex);
    bool exists = FileTime(path, &after);
    if (failure == 0 && exists) return true;
    // Remove what this write left behind, never a file it did not touch (a
    // writer that refuses the image fails before creating anything).
    if (exists && (!existed || CompareFileTime(&before, &after) != 0)) DeleteFileA(path.c_str());
    if (failure) ShowCaptureMessage(failure);
    return false;
}
bool SaveCaptureAs(XImage*, FileOptions&, FormatOptions&) { return false; }

void PrintCaptureImage(XImage*, bool) {}
