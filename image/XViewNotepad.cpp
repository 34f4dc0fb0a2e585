// Notepad pane: an edit control for the image's note text. It is shown
// while the splitter gives its row a height; the note block of the
// document is taken over (and freed) when the pane paints, so a note
// arrives once the pane has opened, or on an update of all views.
#include "XViewNotepad.h"

#include "../framework/GlobalBlock.h"
#include "../framework/MDIFrameWindow.h"
#include "../framework/WinApp.h"
#include "XDocument.h"

namespace {
// Lines wrap at the formatting rectangle: no horizontal scrolling.
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
}

bool XViewNotepad::Create(HWND parent, UINT id, Document* document)
{
    if (!View::Create(parent, id, document)) return false;
    m_hEdit = CreateWindowExA(0, "EDIT", "", kEditStyle, 0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(1), nullptr,
                              nullptr);
    return m_hEdit != nullptr;
}

void XViewNotepad::OnDraw(HDC)
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
    if (!m_hEdit) return;
    MoveWindow(m_hEdit, 0, 0, cx, cy, TRUE);
    RECT format = {10, 10, cx - 25, cy + 10};
    SendMessageA(m_hEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
    m_bShown = cy >= 1;
    if (!m_bShown) return;
    // Only the active image window takes the focus: resizing the windows
    // behind it (Tile, Cascade) must not pull the keyboard into them.
    WinApp* app = WinApp::Current();
    MDIChildWindow* active = app && app->m_pMainWnd ? app->m_pMainWnd->MDIGetActive() : nullptr;
    if (!active || active == GetParentFrame()) SetFocus(m_hEdit);
}

LRESULT XViewNotepad::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        View::WindowProc(msg, wParam, lParam);
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        // The edit control covers the whole pane.
        return 1;
    case WM_SETFOCUS:
        View::WindowProc(msg, wParam, lParam);
        if (m_hEdit) SetFocus(m_hEdit);
        return 0;
    default:
        return View::WindowProc(msg, wParam, lParam);
    }
}
