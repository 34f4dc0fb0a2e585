// View painting, focus bookkeeping and scrolling.
#include "View.h"

#include "Document.h"
#include "MDIChildWindow.h"

#include <algorithm>

namespace {
const char kViewClass[] = "KestrelView";
}

bool View::Create(HWND parent, UINT id, Document* document, DWORD extraStyle)
{
    if (!RegisterThunkClass(kViewClass, CS_DBLCLKS, IDC_ARROW,
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return false;
    if (document) document->AddView(this);
    return CreateEx(0, kViewClass, "", WS_CHILD | WS_VISIBLE | extraStyle, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void View::OnUpdate(View*, LPARAM)
{
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void View::OnActivateView(bool, View*, View*) {}

MDIChildWindow* View::GetParentFrame() const
{
    for (HWND hwnd = m_hWnd ? GetParent(m_hWnd) : nullptr; hwnd; hwnd = GetParent(hwnd))
        if (auto* frame = dynamic_cast<MDIChildWindow*>(Window::FromHandle(hwnd))) return frame;
    return nullptr;
}

bool View::OnCmdMsg(UINT id, CmdUI* ui)
{
    if (OnViewCmdMsg(id, ui)) return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, ui);
}

void View::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc) {
        int saved = SaveDC(dc);
        OnDraw(dc);
        RestoreDC(dc, saved);
    }
    EndPaint(m_hWnd, &ps);
}

void View::OnSetFocus()
{
    if (MDIChildWindow* frame = GetParentFrame()) frame->SetActiveView(this, false);
}

LRESULT View::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_MOUSEACTIVATE: {
        LRESULT result = DefaultProc(msg, wParam, lParam);
        if (result == MA_ACTIVATE || result == MA_ACTIVATEANDEAT) {
            HWND focus = GetFocus();
            if (focus != m_hWnd && !IsChild(m_hWnd, focus)) SetFocus(m_hWnd);
        }
        return result;
    }
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

void View::OnFinalMessage()
{
    if (m_pDocument) m_pDocument->RemoveView(this);
    delete this;
}

void ScrollView::SetScrollSizes(SIZE total)
{
    m_sizeTotal = {std::max<LONG>(0, total.cx), std::max<LONG>(0, total.cy)};
    m_sizePage = {m_sizeTotal.cx / 10, m_sizeTotal.cy / 10};
    m_sizeLine = {std::max<LONG>(1, m_sizePage.cx / 10), std::max<LONG>(1, m_sizePage.cy / 10)};
    UpdateBars();
}

namespace {
// The client size the window would have without its scroll bars.
SIZE ClientSizeWithoutBars(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    SIZE outer = {rc.right, rc.bottom};
    if (style & WS_VSCROLL) outer.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) outer.cy += GetSystemMetrics(SM_CYHSCROLL);
    return outer;
}

void SetBar(HWND hwnd, int bar, LONG total, LONG visible, LONG pos)
{
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    si.nMax = total > visible ? total - 1 : 0;
    si.nPage = total > visible ? UINT(visible) : 0;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, &si, TRUE);
}

struct ScrollBarsNeeded {
    bool horz;
    bool vert;
};

// The bars a total size needs in a client area of outer size (without
// bars); a bar takes its thickness from the other dimension and may call
// for the other bar.
ScrollBarsNeeded NeededScrollBars(SIZE total, SIZE outer, SIZE barThickness)
{
    ScrollBarsNeeded needed = {total.cx > outer.cx, total.cy > outer.cy};
    if (needed.horz && !needed.vert) needed.vert = total.cy > outer.cy - barThickness.cy;
    if (needed.vert && !needed.horz) needed.horz = total.cx > outer.cx - barThickness.cx;
    return needed;
}
}  // namespace

void ScrollView::UpdateBars()
{
    // Each bar shown or hidden resizes the client area and sends WM_SIZE
    // back here; the bars are worked out once for the final client size
    // and set once each instead of chasing every intermediate size.
    if (!m_hWnd || m_bUpdatingBars) return;
    m_bUpdatingBars = true;
    const SIZE outer = ClientSizeWithoutBars(m_hWnd);
    const SIZE thickness = {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
    const ScrollBarsNeeded needed = NeededScrollBars(m_sizeTotal, outer, thickness);
    const LONG cx = std::max<LONG>(0, outer.cx - (needed.vert ? thickness.cx : 0));
    const LONG cy = std::max<LONG>(0, outer.cy - (needed.horz ? thickness.cy : 0));
    POINT pt = m_ptScroll;
    pt.x = std::max<LONG>(0, std::min<LONG>(pt.x, m_sizeTotal.cx - cx));
    pt.y = std::max<LONG>(0, std::min<LONG>(pt.y, m_sizeTotal.cy - cy));
    if (pt.x != m_ptScroll.x || pt.y != m_ptScroll.y) {
        ScrollWindowEx(m_hWnd, m_ptScroll.x - pt.x, m_ptScroll.y - pt.y, nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE | SW_ERASE);
        m_ptScroll = pt;
    }
    SetBar(m_hWnd, SB_HORZ, m_sizeTotal.cx, cx, m_ptScroll.x);
    SetBar(m_hWnd, SB_VERT, m_sizeTotal.cy, cy, m_ptScroll.y);
    m_bUpdatingBars = false;
}

void ScrollView::ScrollToPosition(POINT pt)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    pt.x = std::max<LONG>(0, std::min<LONG>(pt.x, m_sizeTotal.cx - rc.right));
    pt.y = std::max<LONG>(0, std::min<LONG>(pt.y, m_sizeTotal.cy - rc.bottom));
    if (pt.x == m_ptScroll.x && pt.y == m_ptScroll.y) return;
    ScrollWindowEx(m_hWnd, m_ptScroll.x - pt.x, m_ptScroll.y - pt.y, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE);
    m_ptScroll = pt;
    SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
    SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
}

void ScrollView::OnScroll(int bar, UINT code)
{
    LONG pos = bar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y;
    LONG page = bar == SB_HORZ ? m_sizePage.cx : m_sizePage.cy;
    LONG line = bar == SB_HORZ ? m_sizeLine.cx : m_sizeLine.cy;
    SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = 0x7FFFFFFF / 2; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (GetScrollInfo(m_hWnd, bar, &si)) pos = si.nTrackPos;
        break;
    default: return;
    }
    POINT pt = m_ptScroll;
    (bar == SB_HORZ ? pt.x : pt.y) = pos;
    ScrollToPosition(pt);
}

LRESULT ScrollView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_SIZE:
        UpdateBars();
        return 0;
    default:
        return View::WindowProc(msg, wParam, lParam);
    }
}
