// MDI child frame: one document, the views its OnCreateClient makes, and
// the active view that commands reach first. Activation switches the main
// frame's menu to the template's shared menu; the frame owns its document
// and deletes it after its views when the window is gone.
#pragma once

#include "Document.h"
#include "Window.h"

#include <memory>

class Document;
class DocTemplate;
class MDIFrameWindow;
class View;

class MDIChildWindow : public Window {
public:
    ~MDIChildWindow() override;

    // Creates the (hidden) child in frame's MDI client for document; the
    // frame takes ownership of the document at once. On failure this object
    // and the document are deleted before the call returns.
    bool Create(MDIFrameWindow* frame, DocTemplate* docTemplate, Document* document);
    // Runs every view's OnInitialUpdate, then shows and activates the child.
    void InitialUpdateFrame();
    // Asks the MDI client to destroy this child.
    void DestroyFrame();

    View* GetActiveView() const;
    void SetActiveView(View* view, bool focus = true);
    Document* GetDocument() const { return m_pDocument.get(); }
    MDIFrameWindow* GetMDIFrame() const { return m_pMDIFrame; }

    // Active view (which passes on to the document), then this frame.
    bool OnCmdMsg(UINT id, CmdUI* ui) override;

protected:
    // Makes the views inside the child's client area.
    virtual bool OnCreateClient(Document* document) = 0;
    virtual bool OnFrameCmdMsg(UINT id, CmdUI* ui) { (void)id; (void)ui; return false; }
    virtual void OnSetFocus();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

    // The window that fills the client area (a splitter or one view).
    HWND m_hWndClientArea = nullptr;

private:
    void OnMDIActivate(HWND activated);
    void OnSize();

    std::unique_ptr<Document> m_pDocument;
    DocTemplate* m_pTemplate = nullptr;
    MDIFrameWindow* m_pMDIFrame = nullptr;
    HWND m_hWndActiveView = nullptr;
    bool* m_pDestroyedFlag = nullptr;
};

// Cascades the children of an MDI client as WM_MDICASCADE does. The system
// redraws the frame of every child it places, even of one it leaves where
// it was; here no frame is drawn while it places them, and the client is
// redrawn whole only when a child moved or changed size.
void CascadeChildWindows(HWND client);
