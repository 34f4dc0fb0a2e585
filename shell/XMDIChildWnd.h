// The frame of one image window: a static splitter with the image view in
// row 0 and the notepad in row 1, which starts collapsed (row 0 asks for
// the screen height). The focus goes to the notepad's edit control when
// the notepad is shown, otherwise to the image view. The frame asks the
// file dialogs of its document (Save As, Open and Save Note Text) and hands
// the chosen file down to the document.
#pragma once

#include "../framework/MDIChildWindow.h"

class StaticSplitter;
class XDocument;
class XViewImage;
class XViewNotepad;

class XMDIChildWnd : public MDIChildWindow {
public:
    static MDIChildWindow* CreateObject() { return new XMDIChildWnd; }

    XViewImage* GetImageView() const;
    XViewNotepad* GetNotepadView() const;
    StaticSplitter* GetSplitter() const;
    XDocument* GetImageDocument() const;

    // The views of the active image window (through the main frame).
    static XViewImage* ActiveImageView();
    static XViewNotepad* ActiveNotepadView();

protected:
    bool OnCreateClient(Document* document) override;
    bool OnFrameCmdMsg(UINT id, CmdUI* ui) override;
    void OnSetFocus() override;

private:
    void OnSaveAs(UINT id);
    void OnUpdateSaveAs(CmdUI& ui);
    void OnOpenNoteText(UINT id);
    void OnSaveNoteText(UINT id);
    void OnUpdateSaveNoteText(CmdUI& ui);
};
