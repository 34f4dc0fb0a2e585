// Document base: views, title, and the close path through the frame.
#include "Document.h"

#include "DocTemplate.h"
#include "MDIChildWindow.h"
#include "View.h"
#include "WinApp.h"

#include <algorithm>

Document::~Document()
{
    if (m_pTemplate) m_pTemplate->RemoveDocument(this);
}

void Document::SetTitle(const std::string& title)
{
    m_strTitle = title;
    if (m_pFrame && m_pFrame->m_hWnd) SetWindowTextA(m_pFrame->m_hWnd, title.c_str());
}

void Document::SetPathName(const std::string& path)
{
    m_strPathName = path;
    size_t slash = path.find_last_of("\\/:");
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
    if (WinApp* app = WinApp::Current()) app->AddToRecentFileList(path);
}

void Document::AddView(View* view)
{
    m_views.push_back(view);
    view->m_pDocument = this;
}

void Document::RemoveView(View* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_pDocument = nullptr;
}

void Document::UpdateAllViews(View* sender, LPARAM hint)
{
    for (View* view : std::vector<View*>(m_views))
        if (view != sender) view->OnUpdate(sender, hint);
}

bool Document::OnNewDocument()
{
    DeleteContents();
    return true;
}

bool Document::OnOpenDocument(const std::string&)
{
    DeleteContents();
    return false;
}

void Document::OnCloseDocument()
{
    if (m_pFrame && m_pFrame->m_hWnd) m_pFrame->DestroyFrame();
}
