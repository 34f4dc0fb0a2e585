// MDI frame: the MDICLIENT, the default menu, the tool bar and status bar,
// command routing (active child, then the frame, then the application),
// the update step for menus (when a pop-up opens), for the tool bar and the
// status panes (at idle), the prompt line and tool tips, and files dropped
// on the frame.
#pragma once

#include "ControlBars.h"
#include "FrameworkIds.h"
#include "Window.h"

#include <shellapi.h>

class MDIChildWindow;

class MDIFrameWindow : public Window {
public:
    static const UINT kFirstChildId = ID_FIRST_MDI_CHILD;  // MDI window-list ids
    static const UINT kToolBarId = IDW_TOOL_BAR;
    static const UINT kStatusBarId = IDW_STATUS_BAR;

    // Creates the frame with menu, icon and accelerators of resourceId.
    bool LoadFrame(UINT resourceId, DWORD style, const char* title);

    MDIChildWindow* MDIGetActive() const;
    // Runs command id after asking its update state; false when no target
    // knows the id or it is disabled.
    bool RouteCommand(UINT id);
    // Fills ui from the first target that knows the id; false when none does.
    bool RouteUpdate(CmdUI& ui);
    // Puts menu (null: the default menu) on the frame with its Window
    // pop-up for the MDI window list.
    void SetFrameMenu(HMENU menu, HMENU windowMenu);
    // Idle work: tool bar and status pane states, menu and caption.
    virtual void OnIdleUpdate();
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT id);
    void RecalcLayout();

    HWND m_hWndMDIClient = nullptr;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    ToolBar m_wndToolBar;
    StatusBar m_wndStatusBar;
    std::string m_strAppTitle;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    // Derived frames make their bars here; false refuses the creation.
    virtual bool OnCreate();
    virtual bool OnFrameCmdMsg(UINT id, CmdUI* ui);
    virtual void OnDropFiles(HDROP drop);

    void OnInitMenuPopup(HMENU popup);
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    bool OnNotify(NMHDR* header, LRESULT& result);
    void UpdateFrameTitle();

    std::string m_strTipBuffer;
    UINT m_nIdleMessage = 0;

private:
    void OnViewToolBar(UINT id);
    void OnUpdateViewToolBar(CmdUI& ui);
    void OnViewStatusBar(UINT id);
    void OnUpdateViewStatusBar(CmdUI& ui);
    void OnWindowArrange(UINT id);
    void OnAppExit(UINT id);
};
