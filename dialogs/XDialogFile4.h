// The program's open and save dialogs. The open dialog previews the
// selected image file with its size and a facts line, and hands the
// previewed image on with the chosen path; the save dialog decides the
// format from the typed extension. Both start from
// and remember their directory, name and filter in the options they are
// given (the application's, which the settings store writes at exit).
#pragma once

#include "../image/XDocumentSaveAs.h"
#include "../image/XImage.h"
#include "../settings/Options.h"

#include <windows.h>

#include <memory>
#include <string>

// What the open dialog hands on: the chosen path and, when the preview
// read exactly that file, the image it read (with the message of a failed
// read in its m_nOriginId), so that the document need not read it again;
// null otherwise.
struct OpenChoice {
    std::string path;
    std::unique_ptr<XImage> preview;
};

// Runs the open dialog (the Explorer-style one with the preview template,
// or the classic one extended by code on systems below major version 4).
// True with the choice on OK. On Cancel the previewed image goes with the
// dialog. On OK the path, folder, filter and Preview check go into files
// and format.
bool OpenImageDialog(HWND owner, FileOptions& files, FormatOptions& format, OpenChoice* choice);

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
