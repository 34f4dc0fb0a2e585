// Image window frame: splitter creation, the focus rule and the file
// dialogs of its document.
#include "XMDIChildWnd.h"

#include "../dialogs/XDialogFile4.h"
#include "../framework/Dialog.h"
#include "../framework/MDIFrameWindow.h"
#include "../framework/Splitter.h"
#include "../framework/WinApp.h"
#include "../image/ImageWindowOptions.h"
#include "../image/XDocument.h"
#include "../image/XDocumentSaveAs.h"
#include "../image/XViewImage.h"
#include "../image/XViewNotepad.h"
#include "../resources/resource.h"

#include <commdlg.h>

namespace {
const char kNoteFilter[] = "TXT(*.txt)|*.txt|";
const DWORD kNoteFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
}

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

XDocument* XMDIChildWnd::GetImageDocument() const { return dynamic_cast<XDocument*>(GetDocument()); }

bool XMDIChildWnd::OnFrameCmdMsg(UINT id, CmdUI* ui)
{
    static const CommandEntry<XMDIChildWnd> table[] = {
        {ID_FILE_SAVE_AS, ID_FILE_SAVE_AS, &XMDIChildWnd::OnSaveAs, &XMDIChildWnd::OnUpdateSaveAs},
        {ID_FILE_OPEN_NOTE, ID_FILE_OPEN_NOTE, &XMDIChildWnd::OnOpenNoteText, nullptr},
        {ID_FILE_SAVE_NOTE, ID_FILE_SAVE_NOTE, &XMDIChildWnd::OnSaveNoteText, &XMDIChildWnd::OnUpdateSaveNoteText},
    };
    return DispatchCommand(this, table, id, ui);
}

void XMDIChildWnd::OnSaveAs(UINT)
{
    XDocument* document = GetImageDocument();
    if (!document || document->ImageCount() != 1) return;
    SaveChoice choice;
    const ImageWindowOptions& options = ImageOptions();
    if (!SaveImageDialog(SavePurpose::DocumentSaveAs, options.files, options.format, &choice)) return;
    UpdateWindow(WinApp::MainWnd());
    SaveDocumentAs(*document, choice);
}

void XMDIChildWnd::OnUpdateSaveAs(CmdUI& ui)
{
    XDocument* document = GetImageDocument();
    ui.Enable(g_nDocuments > 0 && document && document->ImageCount() == 1);
}

void XMDIChildWnd::OnOpenNoteText(UINT)
{
    XDocument* document = GetImageDocument();
    if (!document) return;
    FileDialog dialog(true, nullptr, "*.txt", kNoteFlags, kNoteFilter);
    if (dialog.DoModal(WinApp::MainWnd()) != IDOK) return;
    document->OpenNoteFile(dialog.GetPathName());
}

void XMDIChildWnd::OnSaveNoteText(UINT)
{
    XDocument* document = GetImageDocument();
    XViewNotepad* notepad = GetNotepadView();
    if (!document || !notepad || !notepad->m_hEdit) return;
    FileDialog dialog(false, nullptr, "*.txt", kNoteFlags, kNoteFilter);
    if (dialog.DoModal(WinApp::MainWnd()) != IDOK) return;
    document->SaveNoteFile(dialog.GetPathName());
}

void XMDIChildWnd::OnUpdateSaveNoteText(CmdUI& ui)
{
    XDocument* document = GetImageDocument();
    ui.Enable(document && document->HasNoteText());
}
