// Document base: a title, the views that show it, and the new/open/close
// steps the template drives. The child frame that shows a document owns it
// and deletes it after its views are gone.
#pragma once

#include "CmdUI.h"

#include <string>
#include <vector>

class View;
class MDIChildWindow;
class DocTemplate;

class Document : public CommandTarget {
public:
    Document() = default;
    ~Document() override;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::string& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the frame's caption.
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Records the file the document came from and adds it to the recent-file
    // list; the title becomes the file's name.
    void SetPathName(const std::string& path);

    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& GetViews() const { return m_views; }
    // Every view except sender updates (by default it repaints whole).
    void UpdateAllViews(View* sender, LPARAM hint = 0);

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path);
    virtual void DeleteContents() {}
    // Closes the frame that shows the document, which deletes it. The object
    // must not be touched afterwards.
    void OnCloseDocument();

    MDIChildWindow* m_pFrame = nullptr;
    DocTemplate* m_pTemplate = nullptr;

private:
    std::string m_strTitle;
    std::string m_strPathName;
    std::vector<View*> m_views;
};
