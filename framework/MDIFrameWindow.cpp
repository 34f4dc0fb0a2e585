// MDI frame: creation, layout, routing and the update step of command UI.
#include "MDIFrameWindow.h"

#include "Display.h"
#include "DocTemplate.h"
#include "Document.h"
#include "MDIChildWindow.h"
#include "WinApp.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {
const char kFrameClass[] = "KestrelFrame";
}

bool MDIFrameWindow::LoadFrame(UINT resourceId, DWORD style, const char* title)
{
    if (!RegisterThunkClass(kFrameClass, CS_DBLCLKS, IDC_ARROW, nullptr, resourceId)) return false;
    m_strAppTitle = title;
    m_hMenuDefault = LoadMenuA(WinApp::Instance(), MAKEINTRESOURCEA(resourceId));
    m_hAccelTable = LoadAcceleratorsA(WinApp::Instance(), MAKEINTRESOURCEA(resourceId));
    m_nIdleMessage = IDS_IDLE_MESSAGE;
    if (!CreateEx(0, kFrameClass, title, style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, nullptr, m_hMenuDefault))
        return false;
    // A frame created hidden gets no WM_SIZE until it is shown; image
    // windows opened before that (background mode) need a sized client.
    RecalcLayout();
    return true;
}

MDIChildWindow* MDIFrameWindow::MDIGetActive() const
{
    if (!m_hWndMDIClient) return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<MDIChildWindow*>(Window::FromHandle(active));
}

bool MDIFrameWindow::RouteUpdate(CmdUI& ui)
{
    if (MDIChildWindow* child = MDIGetActive())
        if (child->OnCmdMsg(ui.m_nID, &ui)) return true;
    if (OnFrameCmdMsg(ui.m_nID, &ui)) return true;
    WinApp* app = WinApp::Current();
    return app && app->OnCmdMsg(ui.m_nID, &ui);
}

bool MDIFrameWindow::RouteCommand(UINT id)
{
    CmdUI ui(id);
    if (!RouteUpdate(ui) || !ui.m_bEnabled) return false;
    // The handler may destroy windows (Close All, a child's own close):
    // nothing of a target is touched after it ran.
    if (MDIChildWindow* child = MDIGetActive())
        if (child->OnCmdMsg(id, nullptr)) return true;
    if (OnFrameCmdMsg(id, nullptr)) return true;
    WinApp* app = WinApp::Current();
    return app && app->OnCmdMsg(id, nullptr);
}

bool MDIFrameWindow::OnFrameCmdMsg(UINT id, CmdUI* ui)
{
    static const CommandEntry<MDIFrameWindow> table[] = {
        {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &MDIFrameWindow::OnViewToolBar, &MDIFrameWindow::OnUpdateViewToolBar},
        {ID_VIEW_STATUS_BAR, ID_VIEW_STATUS_BAR, &MDIFrameWindow::OnViewStatusBar,
         &MDIFrameWindow::OnUpdateViewStatusBar},
        {ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, &MDIFrameWindow::OnWindowArrange, nullptr},
        {ID_APP_EXIT, ID_APP_EXIT, &MDIFrameWindow::OnAppExit, nullptr},
    };
    return DispatchCommand(this, table, id, ui);
}

void MDIFrameWindow::OnViewToolBar(UINT)
{
    ShowWindow(m_wndToolBar.m_hWnd, m_wndToolBar.IsShown() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void MDIFrameWindow::OnUpdateViewToolBar(CmdUI& ui) { ui.SetCheck(m_wndToolBar.IsShown()); }

void MDIFrameWindow::OnViewStatusBar(UINT)
{
    ShowWindow(m_wndStatusBar.m_hWnd, m_wndStatusBar.IsShown() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void MDIFrameWindow::OnUpdateViewStatusBar(CmdUI& ui) { ui.SetCheck(m_wndStatusBar.IsShown()); }

void MDIFrameWindow::OnWindowArrange(UINT id)
{
    switch (id) {
    case ID_WINDOW_ARRANGE: SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); break;
    case ID_WINDOW_CASCADE: SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); break;
    case ID_WINDOW_TILE_HORZ: SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
    default: SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    }
}

void MDIFrameWindow::OnAppExit(UINT) { PostMessageA(m_hWnd, WM_CLOSE, 0, 0); }

void MDIFrameWindow::SetFrameMenu(HMENU menu, HMENU windowMenu)
{
    if (!m_hWndMDIClient) return;
    if (!menu) {
        menu = m_hMenuDefault;
        windowMenu = FindPopupByName(m_hMenuDefault, "Window");
    }
    if (GetMenu(m_hWnd) == menu) return;
    SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), reinterpret_cast<LPARAM>(windowMenu));
    DrawMenuBar(m_hWnd);
}

void MDIFrameWindow::SetMessageText(const std::string& text) { m_wndStatusBar.SetPaneText(0, text); }

void MDIFrameWindow::SetMessageText(UINT id) { SetMessageText(PromptPart(LoadResourceString(id))); }

void MDIFrameWindow::OnIdleUpdate()
{
    if (!m_hWnd) return;
    m_wndToolBar.UpdateButtons([this](UINT id, bool& checked) {
        CmdUI ui(id);
        bool known = RouteUpdate(ui);
        checked = ui.m_bChecked;
        return known && ui.m_bEnabled;
    });
    for (int i = 1; i < m_wndStatusBar.PaneCount(); ++i) {
        CmdUI ui(m_wndStatusBar.PaneId(i));
        bool known = RouteUpdate(ui);
        // A disabled pane shows no text, as does one nobody updates.
        m_wndStatusBar.SetPaneText(i, known && ui.m_bEnabled && ui.m_bTextSet ? ui.m_strText : std::string());
    }
    // The last child's close leaves the image menu on the frame.
    if (!MDIGetActive() && GetMenu(m_hWnd) != m_hMenuDefault) SetFrameMenu(nullptr, nullptr);
    UpdateFrameTitle();
}

void MDIFrameWindow::UpdateFrameTitle()
{
    // A maximized child's title is shown by the MDI frame procedure itself.
    std::string title = m_strAppTitle;
    MDIChildWindow* child = MDIGetActive();
    if (child && !IsZoomed(child->m_hWnd) && child->GetDocument())
        title += " - " + child->GetDocument()->GetTitle();
    char current[512] = {};
    GetWindowTextA(m_hWnd, current, sizeof current);
    if (!(child && IsZoomed(child->m_hWnd)) && title != current) SetWindowTextA(m_hWnd, title.c_str());
}

void MDIFrameWindow::RecalcLayout()
{
    if (!m_hWnd) return;
    SendMessageA(m_wndToolBar.m_hWnd, TB_AUTOSIZE, 0, 0);
    m_wndStatusBar.Layout();
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    int top = m_wndToolBar.Height();
    int bottom = rc.bottom - m_wndStatusBar.Height();
    if (m_hWndMDIClient) MoveWindow(m_hWndMDIClient, 0, top, rc.right, bottom > top ? bottom - top : 0, TRUE);
}

void MDIFrameWindow::OnInitMenuPopup(HMENU popup)
{
    if (WinApp* app = WinApp::Current()) app->UpdateRecentFileMenu(popup);
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == UINT(-1) || id >= kFirstChildId) continue;  // separators, pop-ups, window list
        CmdUI ui(id);
        bool known = RouteUpdate(ui);
        UINT flags = MF_BYCOMMAND | (known && ui.m_bEnabled ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(popup, id, flags);
        CheckMenuItem(popup, id, MF_BYCOMMAND | (ui.m_bChecked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MDIFrameWindow::OnMenuSelect(UINT id, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        SetMessageText(m_nIdleMessage);
        return;
    }
    if (flags & (MF_POPUP | MF_SEPARATOR)) {
        SetMessageText(std::string());
        return;
    }
    if (id >= kFirstChildId) id = kFirstChildId;  // all window-list items share one prompt
    SetMessageText(id);
}

bool MDIFrameWindow::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        m_strTipBuffer = TipPart(LoadResourceString(UINT(header->idFrom)));
        info->lpszText = const_cast<char*>(m_strTipBuffer.c_str());
        result = 0;
        return true;
    }
    if (header->code == TBN_HOTITEMCHANGE && header->hwndFrom == m_wndToolBar.m_hWnd) {
        // Fly-by help: the prompt of the button under the pointer.
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
        if (hot->dwFlags & HICF_LEAVING)
            SetMessageText(m_nIdleMessage);
        else
            SetMessageText(UINT(hot->idNew));
        result = 0;
        return true;
    }
    return false;
}

void MDIFrameWindow::OnDropFiles(HDROP drop)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        if (DragQueryFileA(drop, i, path, sizeof path) && WinApp::Current())
            WinApp::Current()->OpenDocumentFile(path);
    }
    DragFinish(drop);
}

bool MDIFrameWindow::OnCreate()
{
    CLIENTCREATESTRUCT ccs = {FindPopupByName(m_hMenuDefault, "Window"), kFirstChildId};
    // All child styles: an image window is created hidden, as its style
    // says, and shown once its views are laid out, instead of being shown,
    // painted and activated empty inside WM_MDICREATE.
    m_hWndMDIClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                          MDIS_ALLCHILDSTYLES,
                                      0, 0, 0, 0, m_hWnd, nullptr, WinApp::Instance(), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT MDIFrameWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) RecalcLayout();
        return 0;
    case WM_COMMAND:
        // Menu items, accelerators and tool-bar buttons are commands.
        if ((lParam == 0 || reinterpret_cast<HWND>(lParam) == m_wndToolBar.m_hWnd) && RouteCommand(LOWORD(wParam)))
            return 0;
        return DefaultProc(msg, wParam, lParam);
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        return DefaultProc(msg, wParam, lParam);
    }
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        ForgetDisplayDepth();
        return DefaultProc(msg, wParam, lParam);
    case WM_DESTROY:
        // The menus belong to the frame and the template, not the window.
        SetMenu(m_hWnd, nullptr);
        PostQuitMessage(0);
        return DefaultProc(msg, wParam, lParam);
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

LRESULT MDIFrameWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(m_hWnd, m_hWndMDIClient, msg, wParam, lParam);
}

void MDIFrameWindow::OnFinalMessage()
{
    if (m_hMenuDefault) DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = nullptr;
    m_hWndMDIClient = nullptr;
}
