// Save As: the write under the wait cursor, the companion note (inside the
// file for FST, beside it otherwise) and the new title. A failed write
// removes the partial file and shows the writer's message.
#include "XDocumentSaveAs.h"

#include "../formats/ImageFile.h"
#include "../formats/NoteFile.h"
#include "../framework/GlobalBlock.h"
#include "../framework/ShowMessage.h"
#include "../resources/resource.h"
#include "XDocument.h"
#include "XViewNotepad.h"

#include <cstring>
#include <vector>

namespace {
// Last-write time of path, or false when it does not exist.
bool FileWriteTime(const std::string& path, FILETIME* time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *time = data.ftLastWriteTime;
    return true;
}

// The notepad's text; a note still waiting in m_hNote for the pane's first
// paint counts as the notepad's text too.
std::string NotepadText(const XDocument& document)
{
    XViewNotepad* notepad = document.GetNotepadView();
    int length = notepad && notepad->m_hEdit ? GetWindowTextLengthA(notepad->m_hEdit) : 0;
    if (length <= 0 && document.m_hNote) {
        LockedBlock<char> waiting(document.m_hNote);
        const size_t size = GlobalSize(document.m_hNote);
        if (!waiting || size == 0) return std::string();
        return std::string(waiting.get(), strnlen(waiting.get(), size));
    }
    if (length <= 0) return std::string();
    std::vector<char> text(size_t(length) + 1);
    GetWindowTextA(notepad->m_hEdit, text.data(), length + 1);
    return std::string(text.data());
}
}

void SaveDocumentAs(XDocument& document, const SaveChoice& choice)
{
    if (document.ImageCount() != 1) return;
    XImage* image = document.GetImage(0);
    const std::string note = NotepadText(document);
    FILETIME before = {};
    bool existed = FileWriteTime(choice.path, &before);
    UINT failure = 0;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    try {
        // FST keeps the notepad's text inside the image file.
        failure = WriteImageFile(*image, choice.path.c_str(), choice.format, note);
    } catch (...) {
        failure = IDS_INSUFFICIENT_MEMORY;
    }
    SetCursor(old);
    if (failure) {
        // Remove what the writer left, but never a file it did not touch
        // (a writer that refuses the image writes nothing).
        FILETIME after = {};
        bool touched = FileWriteTime(choice.path, &after) &&
                       (!existed || CompareFileTime(&before, &after) != 0);
        if (touched) DeleteFileA(choice.path.c_str());
        ShowMessage(failure);
        return;
    }
    image->m_strTitle = choice.path;
    if (choice.format != kSaveFst) WriteNoteText(choice.path.c_str(), note.data(), note.size());
    document.SetTitle(image->m_strTitle);
}
