// Open Note Text and Save Note Text of an image window once the child frame
// has asked for the file, and the two colour commands of the document
// (full-screen and merge backgrounds).
#include "XDocument.h"

#include "../framework/ColorDialog.h"
#include "../framework/GlobalBlock.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "ImageWindowOptions.h"
#include "XViewNotepad.h"

#include <vector>

namespace {
// The whole file as a NUL-terminated global block; null when it cannot be
// read or memory is short.
HGLOBAL ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    HGLOBAL result = nullptr;
    LARGE_INTEGER size;
    // A note is text for an edit control; a file beyond 64 MiB is not one.
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 && size.QuadPart < (64 << 20)) {
        OwnedBlock block;
        DWORD length = DWORD(size.QuadPart), read = 0;
        if (block.Allocate(size_t(length) + 1)) {
            LockedBlock<char> text(block.get());
            if (text && ReadFile(file, text.get(), length, &read, nullptr) && read == length) result = block.release();
        }
    }
    CloseHandle(file);
    return result;
}

}

void XDocument::OpenNoteFile(const std::string& path)
{
    HGLOBAL note = ReadWholeFile(path);
    if (!note) return;
    if (m_hNote) GlobalFree(m_hNote);
    m_hNote = note;
    XViewNotepad* notepad = GetNotepadView();
    if (notepad && notepad->m_bShown)
        UpdateAllViews(nullptr);
    else
        OnViewNotepad(ID_VIEW_NOTEPAD);
    if (notepad && m_hNote) notepad->OnUpdate(nullptr, 0);
}

void XDocument::SaveNoteFile(const std::string& path)
{
    XViewNotepad* notepad = GetNotepadView();
    if (!notepad || !notepad->m_hEdit) return;
    int length = GetWindowTextLengthA(notepad->m_hEdit);
    std::vector<char> text(size_t(length > 0 ? length : 0) + 1);
    int got = GetWindowTextA(notepad->m_hEdit, text.data(), int(text.size()));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    // The text byte for byte, without a terminator.
    WriteFile(file, text.data(), DWORD(got > 0 ? got : 0), &written, nullptr);
    CloseHandle(file);
}

bool XDocument::HasNoteText() const
{
    XViewNotepad* notepad = GetNotepadView();
    return notepad && notepad->m_hEdit && GetWindowTextLengthA(notepad->m_hEdit) > 0;
}

void XDocument::OnViewBackground(UINT) { ChooseColorFor(WinApp::MainWnd(), &ImageOptions().session.fullViewBack); }

void XDocument::OnMergeBackground(UINT) { ChooseColorFor(WinApp::MainWnd(), &ImageOptions().session.mergeBack); }

void XDocument::OnUpdateMergeBackground(CmdUI& ui) { ui.Enable(m_images.size() >= 2); }
