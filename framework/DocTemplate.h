// The one document template: the shared menu of the image windows, and the
// factories for the document and its child frame. It keeps the list of
// open documents (documents remove themselves when deleted).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Document;
class MDIChildWindow;
class MDIFrameWindow;

class DocTemplate {
public:
    using DocumentFactory = Document* (*)();
    using FrameFactory = MDIChildWindow* (*)();
    // Makes a new document ready to be shown; false refuses it.
    using DocumentFiller = std::function<bool(Document&)>;

    DocTemplate(UINT resourceId, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    // A new document (path null: OnNewDocument) or one read from path, shown
    // in a new child of frame; null when the document refused.
    Document* OpenDocumentFile(MDIFrameWindow* frame, const char* path);
    // The same with fill in the place of the new or open step, for a caller
    // that hands the document what it shows (an image it already holds);
    // path, when given, is recorded as the document's file.
    Document* OpenDocumentWith(MDIFrameWindow* frame, const DocumentFiller& fill, const char* path);
    void CloseAllDocuments();
    void RemoveDocument(Document* document);
    const std::vector<Document*>& GetDocuments() const { return m_documents; }
    // The "Window" pop-up of the shared menu (the last but one pop-up).
    HMENU WindowMenu() const;

    UINT m_nResourceId;
    HMENU m_hMenuShared = nullptr;

private:
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    std::vector<Document*> m_documents;
};

// The pop-up of menu whose text, without ampersands, is name; null if none.
HMENU FindPopupByName(HMENU menu, const char* name);
