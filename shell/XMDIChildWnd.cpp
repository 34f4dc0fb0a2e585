// Image window frame: splitter creation and the focus rule.
#include "XMDIChildWnd.h"

#include "../framework/MDIFrameWindow.h"
#include "../framework/Splitter.h"
#include "../framework/WinApp.h"
#include "../image/XViewImage.h"
#include "../image/XViewNotepad.h"

bool XMDIChildWnd::OnCreateClient(Document* document)
{
    auto* splitter = new StaticSplitter;
    if (!splitter->Create(m_hWnd, StaticSplitter::kFirstPaneId)) {
        delete splitter;
        return false;
    }
    m_hWndClientArea = splitter->m_hWnd;
    // The views and the splitter delete themselves with their windows.
    auto* imageView = new XViewImage;
    if (!imageView->Create(splitter->m_hWnd, StaticSplitter::PaneId(0), document, WS_HSCROLL | WS_VSCROLL)) {
        delete imageView;
        return false;
    }
    auto* notepad = new XViewNotepad;
    if (!notepad->Create(splitter->m_hWnd, StaticSplitter::PaneId(1), document)) {
        if (!notepad->m_hWnd) delete notepad;
        return false;
    }
    splitter->SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), 0);
    splitter->RecalcLayout();
    SetActiveView(imageView, false);
    return true;
}

void XMDIChildWnd::OnSetFocus()
{
    XViewNotepad* notepad = GetNotepadView();
    if (notepad && notepad->m_bShown && notepad->m_hEdit) {
        SetFocus(notepad->m_hEdit);
        return;
    }
    if (XViewImage* view = ActiveImageView()) SetFocus(view->m_hWnd);
}

StaticSplitter* XMDIChildWnd::GetSplitter() const
{
    return dynamic_cast<StaticSplitter*>(Window::FromHandle(m_hWndClientArea));
}

XViewImage* XMDIChildWnd::GetImageView() const
{
    StaticSplitter* splitter = GetSplitter();
    return splitter ? dynamic_cast<XViewImage*>(Window::FromHandle(splitter->GetPane(0))) : nullptr;
}

XViewNotepad* XMDIChildWnd::GetNotepadView() const
{
    StaticSplitter* splitter = GetSplitter();
    return splitter ? dynamic_cast<XViewNotepad*>(Window::FromHandle(splitter->GetPane(1))) : nullptr;
}

XViewImage* XMDIChildWnd::ActiveImageView()
{
    WinApp* app = WinApp::Current();
    auto* child = app && app->m_pMainWnd ? dynamic_cast<XMDIChildWnd*>(app->m_pMainWnd->MDIGetActive()) : nullptr;
    return child ? child->GetImageView() : nullptr;
}

XViewNotepad* XMDIChildWnd::ActiveNotepadView()
{
    WinApp* app = WinApp::Current();
    auto* child = app && app->m_pMainWnd ? dynamic_cast<XMDIChildWnd*>(app->m_pMainWnd->MDIGetActive()) : nullptr;
    return child ? child->GetNotepadView() : nullptr;
}
