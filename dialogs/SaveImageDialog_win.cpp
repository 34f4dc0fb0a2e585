// The save dialog for both purposes: document Save As (the save folder and
// the Save As filter index) and capture file naming (the Send To File name,
// folder and format). The format follows the typed extension.
#include "XDialogFile4.h"

#include "../framework/Dialog.h"
#include "../framework/ShowMessage.h"
#include "../framework/Window.h"
#include "../resources/resource.h"

namespace {
const char* const kPatterns[] = {"*.bmp", "*.clp", "*.dib", "*.fst", "*.gif", "*.gif",
                                 "*.jpg", "*.pcx", "*.rle", "*.tif", "*.wpg", "*.png"};

int ValidFormat(int index) { return index >= 1 && index <= 12 ? index : 1; }

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}

bool SaveImageDialog(SavePurpose purpose, FileOptions& files, FormatOptions& formats, SaveChoice* choice)
{
    const bool capture = purpose == SavePurpose::CaptureNaming;
    const int format = ValidFormat(capture ? formats.sendToFormat : formats.saveFilter);
    std::string name = kPatterns[format - 1];
    if (capture) {
        name = files.fileNameDirect;
        const size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
    }
    const std::string& folder = capture ? files.pathNameDirect : files.pathNameSave;

    FileDialog dialog(false, nullptr, name.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      LoadResourceString(IDS_FILTER_SAVE).c_str());
    dialog.m_ofn.nFilterIndex = DWORD(format);
    if (!folder.empty()) dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal(GetForegroundWindow()) != IDOK) return false;

    *choice = ChooseSaveFormat(dialog.GetPathName(), int(dialog.m_ofn.nFilterIndex));
    if (choice->format == 0) {
        ShowMessage(IDS_UNRECOGNIZED_FORMAT);
        return false;
    }
    if (capture) {
        files.fileNameDirect = NameOf(choice->path);
        files.pathNameDirect = FolderOf(choice->path);
        formats.sendToFormat = choice->format;
    } else {
        files.pathNameSave = FolderOf(choice->path);
        formats.saveFilter = choice->format;
    }
    return true;
}
