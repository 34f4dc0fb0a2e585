// The frame's tool bar (a common-controls toolbar from a bitmap of 16x15
// button images, zero ids meaning separators) and status bar (a message
// pane that stretches, then fixed panes sized from their indicator
// strings). Both are plain common controls owned by the frame window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ToolBar {
public:
    bool Create(HWND parent, UINT controlId, UINT bitmapId, const UINT* ids, int count);
    // Sets the state of every button; state(id, checked) returns enabled.
    template <typename StateFunction>
    void UpdateButtons(StateFunction state)
    {
        for (UINT id : m_ids) {
            if (!id) continue;
            bool checked = false;
            bool enabled = state(id, checked);
            SetButtonState(id, enabled, checked);
        }
    }
    // Height when shown (by style), 0 when hidden.
    int Height() const;
    bool IsShown() const { return m_hWnd && (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE); }
    HWND m_hWnd = nullptr;

private:
    void SetButtonState(UINT id, bool enabled, bool checked);
    std::vector<UINT> m_ids;
};

class StatusBar {
public:
    // indicators[0] is the message pane (0); the others are string ids whose
    // texts give the pane widths.
    bool Create(HWND parent, UINT controlId, const UINT* indicators, int count);
    // Right edges of the parts for the current width; pane 0 stretches.
    void Layout();
    void SetPaneText(int index, const std::string& text);
    bool GetPaneRect(int index, RECT* rc) const;
    int PaneCount() const { return int(m_ids.size()); }
    UINT PaneId(int index) const { return m_ids[size_t(index)]; }
    int Height() const;
    bool IsShown() const { return m_hWnd && (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE); }
    HWND m_hWnd = nullptr;

private:
    std::vector<UINT> m_ids;
    std::vector<int> m_widths;
    std::vector<std::string> m_texts;
};
