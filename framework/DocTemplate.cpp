// Document creation: document, child frame and views, then the new or open
// step; a refusing document takes its frame with it.
#include "DocTemplate.h"

#include "Document.h"
#include "MDIChildWindow.h"
#include "MDIFrameWindow.h"
#include "WinApp.h"

#include <algorithm>

DocTemplate::DocTemplate(UINT resourceId, DocumentFactory makeDocument, FrameFactory makeFrame)
    : m_nResourceId(resourceId), m_makeDocument(makeDocument), m_makeFrame(makeFrame)
{
    m_hMenuShared = LoadMenuA(WinApp::Instance(), MAKEINTRESOURCEA(resourceId));
}

DocTemplate::~DocTemplate()
{
    for (Document* document : m_documents) document->m_pTemplate = nullptr;
    if (m_hMenuShared) DestroyMenu(m_hMenuShared);
}

Document* DocTemplate::OpenDocumentFile(MDIFrameWindow* frame, const char* path)
{
    if (path) {
        const std::string file = path;
        return OpenDocumentWith(frame, [&file](Document& document) { return document.OnOpenDocument(file); }, path);
    }
    return OpenDocumentWith(frame, [](Document& document) { return document.OnNewDocument(); }, nullptr);
}

Document* DocTemplate::OpenDocumentWith(MDIFrameWindow* frame, const DocumentFiller& fill, const char* path)
{
    if (!frame || !frame->m_hWndMDIClient) return nullptr;
    Document* document = m_makeDocument();
    MDIChildWindow* child = m_makeFrame();
    if (!document || !child) {
        delete document;
        delete child;
        return nullptr;
    }
    document->m_pTemplate = this;
    m_documents.push_back(document);
    // The document is filled before its window exists: the window opens
    // with its title and the views are laid out once, for their content.
    if (!fill(*document)) {
        delete document;
        delete child;
        return nullptr;
    }
    if (path) document->SetPathName(path);
    // From here the child owns the document; a failed window deletes both.
    if (!child->Create(frame, this, document)) return nullptr;
    child->InitialUpdateFrame();
    return document;
}

void DocTemplate::CloseAllDocuments()
{
    for (Document* document : std::vector<Document*>(m_documents)) document->OnCloseDocument();
}

void DocTemplate::RemoveDocument(Document* document)
{
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), document), m_documents.end());
}

HMENU DocTemplate::WindowMenu() const { return FindPopupByName(m_hMenuShared, "Window"); }

HMENU FindPopupByName(HMENU menu, const char* name)
{
    if (!menu) return nullptr;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        std::string plain;
        for (const char* p = text; *p; ++p)
            if (*p != '&') plain += *p;
        if (plain == name) return GetSubMenu(menu, i);
    }
    return nullptr;
}
