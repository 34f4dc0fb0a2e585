// A static splitter of two rows and one column. Row 0 takes its ideal
// height (never below its minimum, otherwise 0); row 1 takes the rest.
// When row 0 wants the whole height, row 1 is hidden and the bar sits at
// the bottom edge, from where the user can drag it up. The panes are child
// windows with the ids PaneId(0) and PaneId(1).
#pragma once

#include "FrameworkIds.h"
#include "Window.h"

class StaticSplitter : public Window {
public:
    static const UINT kFirstPaneId = IDW_FIRST_PANE;
    static const int kBarHeight = 6;

    static UINT PaneId(int row) { return kFirstPaneId + UINT(row) * 16; }

    bool Create(HWND parent, UINT id);
    HWND GetPane(int row) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    void RecalcLayout();

    // Pure layout: the heights of row 0 and row 1 and the bar top for a
    // client height; row 1 height 0 means it is hidden.
    struct Layout {
        int row0;
        int barTop;
        int row1Top;
        int row1;
    };
    static Layout ComputeLayout(int clientHeight, int ideal0, int min0);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override { delete this; }

private:
    void OnPaint();
    void OnLButtonDown(POINT pt);
    void OnMouseMove(POINT pt);
    void OnLButtonUp(POINT pt);
    bool OnSetCursor(HWND hwnd, UINT hit);

    int m_nIdeal[2] = {0, 0};
    int m_nMin[2] = {0, 0};
    int m_nCurrent[2] = {0, 0};
    bool m_bTracking = false;
    int m_nTrackOffset = 0;
};
