// The frame of one image window: a static splitter with the image view in
// row 0 and the notepad in row 1, which starts collapsed (row 0 asks for
// the screen height). The focus goes to the notepad's edit control when
// the notepad is shown, otherwise to the image view.
#pragma once

#include "../framework/MDIChildWindow.h"

class StaticSplitter;
class XViewImage;
class XViewNotepad;

class XMDIChildWnd : public MDIChildWindow {
public:
    static MDIChildWindow* CreateObject() { return new XMDIChildWnd; }

    XViewImage* GetImageView() const;
    XViewNotepad* GetNotepadView() const;
    StaticSplitter* GetSplitter() const;

    // The views of the active image window (through the main frame).
    static XViewImage* ActiveImageView();
    static XViewNotepad* ActiveNotepadView();

protected:
    bool OnCreateClient(Document* document) override;
    void OnSetFocus() override;
};
