// The program's open and save dialogs. The open dialog previews the
// selected image file (read into the pending image, which the document then
// adopts through the preloaded mark) with its size and a facts line; the
// save dialog decides the format from the typed extension. Both start from
// and remember their directory, name and filter in the options they are
// given (the application's, which the settings store writes at exit).
#pragma once

#include "../image/XDocumentSaveAs.h"
#include "../settings/Options.h"

#include <windows.h>

#include <string>

// Runs the open dialog (the Explorer-style one with the preview template,
// or the classic one extended by code on systems below major version 4).
// True with the chosen path on OK. On Cancel the pending image that a
// preview filled is replaced by an empty one and the preloaded mark cleared.
// On OK the path, folder, filter and Preview check go into files and format.
bool OpenImageDialog(HWND owner, FileOptions& files, FormatOptions& format, std::string* path);

enum class SavePurpose {
    DocumentSaveAs,  // PathNameSave and the Save As filter index
    CaptureNaming,   // FileNameDirect, PathNameDirect and the Send To format
};

// Runs the save dialog owned by the foreground window. True with the path
// (the filter's extension added when none was typed) and the format index;
// an extension outside the save list shows "Unrecognized format." and
// gives false, as Cancel does. On OK the purpose's folder (and name) and
// format go into files and format.
bool SaveImageDialog(SavePurpose purpose, FileOptions& files, FormatOptions& format, SaveChoice* choice);
