// Static two-row splitter: layout, painting of the bar and bar dragging.
#include "Splitter.h"

#include <algorithm>

namespace {
const char kSplitterClass[] = "KestrelSplitter";
}

bool StaticSplitter::Create(HWND parent, UINT id)
{
    if (!RegisterThunkClass(kSplitterClass, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) return false;
    return CreateEx(0, kSplitterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

HWND StaticSplitter::GetPane(int row) const { return m_hWnd ? GetDlgItem(m_hWnd, int(PaneId(row))) : nullptr; }

void StaticSplitter::SetRowInfo(int row, int ideal, int minimum)
{
    if (row < 0 || row > 1) return;
    m_nIdeal[row] = std::max(0, ideal);
    m_nMin[row] = std::max(0, minimum);
}

void StaticSplitter::GetRowInfo(int row, int& current, int& minimum) const
{
    current = row >= 0 && row <= 1 ? m_nCurrent[row] : 0;
    minimum = row >= 0 && row <= 1 ? m_nMin[row] : 0;
}

StaticSplitter::Layout StaticSplitter::ComputeLayout(int clientHeight, int ideal0, int min0)
{
    Layout layout = {};
    int height = std::max(0, clientHeight);
    if (ideal0 + kBarHeight >= height) {
        // Row 0 fills the window; the bar waits at the bottom edge.
        layout.row0 = std::max(0, height - kBarHeight);
        layout.barTop = layout.row0;
        layout.row1Top = height;
        layout.row1 = 0;
        return layout;
    }
    layout.row0 = ideal0 < min0 ? 0 : ideal0;
    layout.barTop = layout.row0;
    layout.row1Top = layout.row0 + kBarHeight;
    layout.row1 = height - layout.row1Top;
    return layout;
}

void StaticSplitter::RecalcLayout()
{
    if (!m_hWnd) return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    Layout layout = ComputeLayout(rc.bottom, m_nIdeal[0], m_nMin[0]);
    m_nCurrent[0] = layout.row0;
    m_nCurrent[1] = layout.row1;
    if (HWND top = GetPane(0)) MoveWindow(top, 0, 0, rc.right, layout.row0, TRUE);
    if (HWND bottom = GetPane(1)) {
        if (layout.row1 > 0) {
            MoveWindow(bottom, 0, layout.row1Top, rc.right, layout.row1, TRUE);
            ShowWindow(bottom, SW_SHOWNA);
        } else {
            ShowWindow(bottom, SW_HIDE);
            MoveWindow(bottom, 0, layout.row1Top, rc.right, 0, TRUE);
        }
    }
    RECT bar = {0, layout.barTop, rc.right, layout.barTop + kBarHeight};
    InvalidateRect(m_hWnd, &bar, TRUE);
}

void StaticSplitter::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc) {
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        RECT bar = {0, m_nCurrent[0], rc.right, m_nCurrent[0] + kBarHeight};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &bar, EDGE_RAISED, BF_TOP | BF_BOTTOM);
    }
    EndPaint(m_hWnd, &ps);
}

void StaticSplitter::OnLButtonDown(POINT pt)
{
    if (pt.y < m_nCurrent[0] || pt.y >= m_nCurrent[0] + kBarHeight) return;
    m_bTracking = true;
    m_nTrackOffset = pt.y - m_nCurrent[0];
    SetCapture(m_hWnd);
}

void StaticSplitter::OnMouseMove(POINT pt)
{
    if (!m_bTracking) return;
    m_nIdeal[0] = std::max(0, int(pt.y) - m_nTrackOffset);
    RecalcLayout();
}

void StaticSplitter::OnLButtonUp(POINT pt)
{
    if (!m_bTracking) return;
    OnMouseMove(pt);
    m_bTracking = false;
    ReleaseCapture();
}

bool StaticSplitter::OnSetCursor(HWND hwnd, UINT hit)
{
    if (hwnd != m_hWnd || hit != HTCLIENT) return false;
    SetCursor(LoadCursor(nullptr, IDC_SIZENS));
    return true;
}

LRESULT StaticSplitter::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    POINT pt = {short(LOWORD(lParam)), short(HIWORD(lParam))};
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(pt);
        return 0;
    case WM_CAPTURECHANGED:
        m_bTracking = false;
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        return DefaultProc(msg, wParam, lParam);
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}
