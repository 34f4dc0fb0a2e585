// Views: child windows that draw a document. View paints through OnDraw
// and tells its frame when it gets the focus; ScrollView adds scroll bars
// over a total size with the usual page (a tenth of the total) and line (a
// tenth of the page) steps. Views delete themselves when their window goes.
#pragma once

#include "Window.h"

class Document;
class MDIChildWindow;

class View : public Window {
public:
    // Creates the view as child id of parent, attached to document.
    bool Create(HWND parent, UINT id, Document* document, DWORD extraStyle = 0);

    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0); }
    virtual void OnUpdate(View* sender, LPARAM hint);
    virtual void OnDraw(HDC dc) { (void)dc; }
    virtual void OnActivateView(bool activate, View* activated, View* deactivated);

    MDIChildWindow* GetParentFrame() const;
    // Own command table first, then the document's.
    bool OnCmdMsg(UINT id, CmdUI* ui) override;

    Document* m_pDocument = nullptr;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    virtual bool OnViewCmdMsg(UINT id, CmdUI* ui) { (void)id; (void)ui; return false; }
    virtual void OnPaint();
    virtual void OnSetFocus();
};

class ScrollView : public View {
public:
    // Total size in pixels; page and line steps follow from it.
    void SetScrollSizes(SIZE total);
    POINT GetScrollPosition() const { return m_ptScroll; }
    SIZE GetTotalSize() const { return m_sizeTotal; }
    void ScrollToPosition(POINT pt);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnScroll(int bar, UINT code);
    void UpdateBars();

    SIZE m_sizeTotal = {0, 0};
    SIZE m_sizePage = {0, 0};
    SIZE m_sizeLine = {0, 0};
    POINT m_ptScroll = {0, 0};

private:
    bool m_bUpdatingBars = false;
};
