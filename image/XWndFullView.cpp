// Full-screen view. Closing destroys the window and then sends the Full
// Screen View command to the main frame, whose toggle deletes the object;
// nothing here touches the object after that send.
#include "XWndFullView.h"

#include "../framework/GdiHandles.h"
#include "../framework/MDIChildWindow.h"
#include "../framework/MDIFrameWindow.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "ImageWindowOptions.h"
#include "XDocument.h"
#include "XDocumentLayout.h"
#include "XViewImage.h"

#include <memory>

XWndFullView* g_pFullView = nullptr;

namespace {
XDocument* ActiveImageDocument()
{
    WinApp* app = WinApp::Current();
    MDIChildWindow* child = app && app->m_pMainWnd ? app->m_pMainWnd->MDIGetActive() : nullptr;
    return child ? dynamic_cast<XDocument*>(child->GetDocument()) : nullptr;
}
}

bool XWndFullView::RegisterWindowClass(const char* className)
{
    return RegisterThunkClass(className, CS_GLOBALCLASS, nullptr, nullptr);
}

bool XWndFullView::Create(const char* className)
{
    return CreateEx(WS_EX_TOPMOST, className, "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr);
}

void ToggleFullView(const char* className)
{
    if (g_pFullView) {
        delete g_pFullView;
        g_pFullView = nullptr;
        return;
    }
    std::unique_ptr<XWndFullView> view(new XWndFullView);
    if (!view->Create(className)) return;
    g_pFullView = view.release();
    ShowWindow(g_pFullView->m_hWnd, SW_SHOW);
    UpdateWindow(g_pFullView->m_hWnd);
}

void XWndFullView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (!dc) return;
    const SessionOptions& session = ImageOptions().session;
    RECT client;
    GetClientRect(m_hWnd, &client);
    GdiObject<HBRUSH> background(CreateSolidBrush(session.fullViewBack));
    FillRect(dc, &client, background.get());
    if (XDocument* document = ActiveImageDocument()) {
        std::vector<RECT> places;
        for (const auto& image : document->m_images) places.push_back(image->m_rcPlace);
        POINT origin = FullViewOrigin(places, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        for (const auto& image : document->m_images) DrawImage(*image, dc, session);
    }
    EndPaint(m_hWnd, &ps);
}

void XWndFullView::Close()
{
    DestroyWindow(m_hWnd);
    SendMessageA(WinApp::MainWnd(), WM_COMMAND, ID_VIEW_FULL_SCREEN, 0);
}

LRESULT XWndFullView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETCURSOR:
        // The class has no cursor of its own.
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Close();
        return 0;
    default:
        return Window::WindowProc(msg, wParam, lParam);
    }
}
