// The save dialog for both purposes: document Save As (the save folder and
// the Save As filter index) and capture file naming (the Send To File name,
// folder and format). The format follows the typed extension.
#include "XDialogFile4.h"

#include "../capture/CaptureOptions.h"
#include "../framework/Dialog.h"
#include "../framework/ShowMessage.h"
#include "../framework/Window.h"
#include "../resources/resource.h"
#include "../shell/Settings.h"

namespace {
const char* const kPatterns[] = {"*.bmp", "*.clp", "*.dib", "*.fst", "*.gif", "*.gif",
                                 "*.jpg", "*.pcx", "*.rle", "*.tif", "*.wpg"};

int ValidFormat(int index) { return index >= 1 && index <= 11 ? index : 1; }

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

bool SaveImageDialog(SavePurpose purpose, SaveChoice* choice)
{
    const bool capture = purpose == SavePurpose::CaptureNaming;
    const int format = ValidFormat(capture ? g_nSendToFormat : g_nSaveFilter);
    std::string name = kPatterns[format - 1];
    if (capture) {
        name = g_strFileNameDirect;
        const size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
    }
    const std::string& folder = capture ? g_strPathNameDirect : g_strPathNameSave;

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
        g_strFileNameDirect = NameOf(choice->path);
        g_strPathNameDirect = FolderOf(choice->path);
        g_nSendToFormat = choice->format;
    } else {
        g_strPathNameSave = FolderOf(choice->path);
        g_nSaveFilter = choice->format;
    }
    return true;
}
