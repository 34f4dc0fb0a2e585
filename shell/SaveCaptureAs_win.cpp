// The capture's Save As: the shell joins the save dialog (dialogs/) and the
// capture file writer (capture/), which know nothing of each other.
#include "SaveCaptureAs_win.h"

#include "../capture/CaptureFile.h"
#include "../dialogs/XDialogFile4.h"
#include "../image/XImage.h"

bool SaveCaptureAs(XImage& image, FileOptions& files, FormatOptions& format)
{
    SaveChoice choice;
    if (!SaveImageDialog(SavePurpose::CaptureNaming, files, format, &choice)) return false;
    if (!WriteCaptureFile(&image, choice.path, choice.format)) return false;
    image.m_strTitle = choice.path;
    return true;
}
