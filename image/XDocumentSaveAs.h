// Save As of an image document: the format follows the extension typed in
// the save dialog (the chosen filter's extension is added when none is
// typed), and a failed write never removes a file the user already had.
// ChooseSaveFormat is portable; the dialog and the write are in
// XDocumentSaveAs_win.cpp.
#pragma once

#include <string>

class XDocument;

struct SaveChoice {
    std::string path;  // with the filter's extension added when none was typed
    int format;        // save format index 1-11; 0 for an unrecognized extension
};

// typedPath as the dialog returned it, filterIndex the chosen filter (1-11).
SaveChoice ChooseSaveFormat(const std::string& typedPath, int filterIndex);

// Win32: writes the document's one image as the save dialog chose (the
// child frame asks the dialog); the document then takes the file's path as
// its title. A failed write shows the writer's message.
void SaveDocumentAs(XDocument& document, const SaveChoice& choice);
