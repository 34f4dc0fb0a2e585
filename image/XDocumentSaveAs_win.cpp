// Save As: the save dialog, the write under the wait cursor, the companion
// note and the new title.
#include "XDocumentSaveAs.h"

#include "../formats/ImageFile.h"
#include "../formats/NoteFile.h"
#include "../framework/Dialog.h"
#include "../framework/Window.h"
#include "../resources/resource.h"
#include "../shell/AppState.h"
#include "../shell/Settings.h"
#include "XDocument.h"
#include "XViewNotepad.h"

#include <vector>

namespace {
const char* const kPatterns[] = {"*.bmp", "*.clp", "*.dib", "*.fst", "*.gif", "*.gif",
                                 "*.jpg", "*.pcx", "*.rle", "*.tif", "*.wpg"};

// Last-write time of path, or false when it does not exist.
bool FileWriteTime(const std::string& path, FILETIME* time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *time = data.ftLastWriteTime;
    return true;
}

std::string NotepadText(const XDocument& document)
{
    XViewNotepad* notepad = document.GetNotepadView();
    if (!notepad || !notepad->m_hEdit) return std::string();
    int length = GetWindowTextLengthA(notepad->m_hEdit);
    if (length <= 0) return std::string();
    std::vector<char> text(size_t(length) + 1);
    GetWindowTextA(notepad->m_hEdit, text.data(), length + 1);
    return std::string(text.data());
}
}

void SaveDocumentAs(XDocument& document)
{
    if (document.ImageCount() != 1) return;
    XImage* image = document.GetImage(0);
    int filter = g_nSaveFilter >= 1 && g_nSaveFilter <= 11 ? g_nSaveFilter : 1;
    FileDialog dialog(false, nullptr, kPatterns[filter - 1], OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      LoadResourceString(IDS_FILTER_SAVE).c_str());
    dialog.m_ofn.nFilterIndex = DWORD(filter);
    if (!g_strPathNameSave.empty()) dialog.m_ofn.lpstrInitialDir = g_strPathNameSave.c_str();
    if (dialog.DoModal(GetForegroundWindow()) != IDOK) return;

    SaveChoice choice = ChooseSaveFormat(dialog.GetPathName(), int(dialog.m_ofn.nFilterIndex));
    if (choice.format == 0) {
        ShowMessage(IDS_UNRECOGNIZED_FORMAT);
        return;
    }
    size_t slash = choice.path.find_last_of("\\/");
    if (slash != std::string::npos) g_strPathNameSave = choice.path.substr(0, slash);
    g_nSaveFilter = choice.format;

    FILETIME before = {};
    bool existed = FileWriteTime(choice.path, &before);
    image->m_nOriginId = 0;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    WriteImageFile(image, choice.path.c_str(), choice.format);
    SetCursor(old);
    if (image->m_nOriginId) {
        // Remove what the writer left, but never a file it did not touch
        // (a writer that refuses the image writes nothing).
        FILETIME after = {};
        bool touched = FileWriteTime(choice.path, &after) &&
                       (!existed || CompareFileTime(&before, &after) != 0);
        if (touched) DeleteFileA(choice.path.c_str());
        ShowMessage(image->m_nOriginId);
        return;
    }
    image->m_strTitle = choice.path;
    if (choice.format != kSaveFst) {
        std::string note = NotepadText(document);
        WriteNoteText(choice.path.c_str(), note.data(), note.size());
    }
    document.SetTitle(image->m_strTitle);
}
