// Writing the capture image for the Send To File destination. A failed
// write removes what it left behind, but never a file it did not touch.
#include "CaptureFile.h"

#include "CaptureText.h"

#include "../formats/ImageFile.h"
#include "../image/XImage.h"

#include <windows.h>

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
    if (formatIndex < kSaveBmp || formatIndex > kSavePng) formatIndex = kSaveBmp;
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
