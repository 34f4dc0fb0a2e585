// MDI child frame: creation through WM_MDICREATE, focus and menu switching,
// and ownership of the document.
#include "MDIChildWindow.h"

#include "DocTemplate.h"
#include "Document.h"
#include "MDIFrameWindow.h"
#include "View.h"
#include "WinApp.h"

#include <vector>

namespace {
const char kChildClass[] = "KestrelImageFrame";

// Set while CascadeChildWindows runs: the children's frames are not drawn.
bool g_bCascading = false;

// The window rectangles of the client's children, in window order.
std::vector<RECT> ChildRects(HWND client)
{
    std::vector<RECT> rects;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rc = {};
        GetWindowRect(child, &rc);
        rects.push_back(rc);
    }
    return rects;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!EqualRect(&a[i], &b[i])) return false;
    return true;
}
}  // namespace

void CascadeChildWindows(HWND client)
{
    const std::vector<RECT> before = ChildRects(client);
    g_bCascading = true;
    SendMessageA(client, WM_MDICASCADE, 0, 0);
    g_bCascading = false;
    if (!SameRects(before, ChildRects(client)))
        RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

MDIChildWindow::~MDIChildWindow() = default;

bool MDIChildWindow::Create(MDIFrameWindow* frame, DocTemplate* docTemplate, Document* document)
{
    m_pDocument.reset(document);
    m_pTemplate = docTemplate;
    m_pMDIFrame = frame;
    document->m_pFrame = this;
    const UINT iconId = docTemplate ? docTemplate->m_nResourceId : 1;
    if (!RegisterThunkClass(kChildClass, CS_DBLCLKS, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), iconId,
                            MDIChildThunk)) {
        delete this;
        return false;
    }
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = kChildClass;
    mcs.szTitle = document->GetTitle().c_str();
    mcs.hOwner = WinApp::Instance();
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    mcs.lParam = reinterpret_cast<LPARAM>(static_cast<Window*>(this));
    bool destroyed = false;
    m_pDestroyedFlag = &destroyed;
    HWND hwnd = reinterpret_cast<HWND>(
        SendMessageA(frame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (destroyed) return false;  // WM_CREATE refused; OnFinalMessage deleted us
    m_pDestroyedFlag = nullptr;
    if (!hwnd) {
        delete this;
        return false;
    }
    return true;
}

void MDIChildWindow::InitialUpdateFrame()
{
    if (m_pDocument)
        for (View* view : std::vector<View*>(m_pDocument->GetViews())) view->OnInitialUpdate();
    // Activated while still hidden, then shown: the frame is drawn once, as
    // the active one, rather than on showing and again on activating. The
    // Window menu lists visible windows only, so it is refreshed after.
    const HWND client = m_pMDIFrame->m_hWndMDIClient;
    SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    ShowWindow(m_hWnd, SW_SHOW);
    SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
    if (View* view = GetActiveView()) SetFocus(view->m_hWnd);
}

void MDIChildWindow::DestroyFrame()
{
    if (m_hWnd && m_pMDIFrame)
        SendMessageA(m_pMDIFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

View* MDIChildWindow::GetActiveView() const
{
    return dynamic_cast<View*>(Window::FromHandle(m_hWndActiveView));
}

void MDIChildWindow::SetActiveView(View* view, bool focus)
{
    View* old = GetActiveView();
    m_hWndActiveView = view ? view->m_hWnd : nullptr;
    if (old != view) {
        if (old) old->OnActivateView(false, view, old);
        if (view) view->OnActivateView(true, view, old);
    }
    if (focus && view) SetFocus(view->m_hWnd);
}

bool MDIChildWindow::OnCmdMsg(UINT id, CmdUI* ui)
{
    if (View* view = GetActiveView()) {
        if (view->OnCmdMsg(id, ui)) return true;
    } else if (m_pDocument && m_pDocument->OnCmdMsg(id, ui)) {
        return true;
    }
    return OnFrameCmdMsg(id, ui);
}

void MDIChildWindow::OnSetFocus()
{
    if (View* view = GetActiveView()) SetFocus(view->m_hWnd);
}

void MDIChildWindow::OnMDIActivate(HWND activated)
{
    if (!m_pMDIFrame) return;
    if (activated == m_hWnd)
        m_pMDIFrame->SetFrameMenu(m_pTemplate ? m_pTemplate->m_hMenuShared : nullptr,
                                  m_pTemplate ? m_pTemplate->WindowMenu() : nullptr);
    else if (!activated)
        m_pMDIFrame->SetFrameMenu(nullptr, nullptr);
}

void MDIChildWindow::OnSize()
{
    if (!m_hWndClientArea) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    MoveWindow(m_hWndClientArea, 0, 0, rc.right, rc.bottom, TRUE);
}

LRESULT MDIChildWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        if (!m_pDocument || !OnCreateClient(m_pDocument.get())) return -1;
        return DefaultProc(msg, wParam, lParam);
    case WM_SIZE: {
        LRESULT result = DefaultProc(msg, wParam, lParam);
        OnSize();
        return result;
    }
    case WM_NCPAINT:
        if (g_bCascading) return 0;
        return DefaultProc(msg, wParam, lParam);
    case WM_SETFOCUS: {
        LRESULT result = DefaultProc(msg, wParam, lParam);
        OnSetFocus();
        return result;
    }
    case WM_MDIACTIVATE: {
        LRESULT result = DefaultProc(msg, wParam, lParam);
        OnMDIActivate(reinterpret_cast<HWND>(lParam));
        return result;
    }
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

LRESULT MDIChildWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(m_hWnd, msg, wParam, lParam);
}

void MDIChildWindow::OnFinalMessage()
{
    // The views are gone already (children are destroyed first).
    m_pDocument.reset();
    if (m_pDestroyedFlag) *m_pDestroyedFlag = true;
    delete this;
}
