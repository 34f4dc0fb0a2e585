// Notepad pane: an edit control for the image's note text. It is shown
// while the splitter gives its row a height; the note block of the
// document is taken over (and freed) when the view updates.
#include "XViewNotepad.h"

#include "../framework/GlobalBlock.h"
#include "XDocument.h"

bool XViewNotepad::Create(HWND parent, UINT id, Document* document)
{
    if (!View::Create(parent, id, document)) return false;
    m_hEdit = CreateWindowExA(0, "EDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                              0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    if (m_hEdit) SendMessageA(m_hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
    return m_hEdit != nullptr;
}

void XViewNotepad::OnInitialUpdate() { TakeNote(); }

void XViewNotepad::OnUpdate(View*, LPARAM) { TakeNote(); }

void XViewNotepad::TakeNote()
{
    auto* document = dynamic_cast<XDocument*>(m_pDocument);
    if (!document || !document->m_hNote || !m_hEdit) return;
    {
        LockedBlock<char> text(document->m_hNote);
        size_t size = GlobalSize(document->m_hNote);
        // The block is NUL-terminated by its producers; a block without a
        // terminator is cut at its last byte rather than read past.
        if (text && size > 0) {
            text.get()[size - 1] = '\0';
            SetWindowTextA(m_hEdit, text.get());
        }
    }
    GlobalFree(document->m_hNote);
    document->m_hNote = nullptr;
}

void XViewNotepad::OnSize(int cx, int cy)
{
    if (m_hEdit) MoveWindow(m_hEdit, 0, 0, cx, cy, TRUE);
    BOOL shown = cy > 0;
    if (shown && !m_bShown && m_hEdit) SetFocus(m_hEdit);
    m_bShown = shown;
}

LRESULT XViewNotepad::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        View::WindowProc(msg, wParam, lParam);
        if (m_hEdit) SetFocus(m_hEdit);
        return 0;
    default:
        return View::WindowProc(msg, wParam, lParam);
    }
}
