// Tool bar and status bar over the common controls.
#include "ControlBars.h"

#include "WinApp.h"
#include "Window.h"

#include <commctrl.h>

bool ToolBar::Create(HWND parent, UINT controlId, UINT bitmapId, const UINT* ids, int count)
{
    m_ids.assign(ids, ids + count);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : m_ids) {
        TBBUTTON button = {};
        if (id) {
            button.iBitmap = image++;
            button.idCommand = int(id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        } else {
            button.fsStyle = TBSTYLE_SEP;
        }
        buttons.push_back(button);
    }
    m_hWnd = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP,
                             controlId, image, WinApp::Instance(), bitmapId, buttons.data(), int(buttons.size()), 16,
                             15, 16, 15, sizeof(TBBUTTON));
    return m_hWnd != nullptr;
}

void ToolBar::SetButtonState(UINT id, bool enabled, bool checked)
{
    LRESULT old = SendMessageA(m_hWnd, TB_GETSTATE, id, 0);
    if (old == -1) return;
    LRESULT state = (old & ~(TBSTATE_ENABLED | TBSTATE_CHECKED)) | (enabled ? TBSTATE_ENABLED : 0) |
                    (checked ? TBSTATE_CHECKED : 0);
    if (state != old) SendMessageA(m_hWnd, TB_SETSTATE, id, MAKELPARAM(state, 0));
}

int ToolBar::Height() const
{
    // The style, not IsWindowVisible: a hidden frame lays out its bars too.
    if (!m_hWnd || !(GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE)) return 0;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    return rc.bottom - rc.top;
}

bool StatusBar::Create(HWND parent, UINT controlId, const UINT* indicators, int count)
{
    m_ids.assign(indicators, indicators + count);
    m_texts.assign(m_ids.size(), std::string());
    m_hWnd = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", parent, controlId);
    if (!m_hWnd) return false;
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    m_widths.assign(m_ids.size(), 0);
    for (size_t i = 1; i < m_ids.size(); ++i) {
        std::string text = LoadResourceString(m_ids[i]);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        m_widths[i] = size.cx + 8;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(m_hWnd, dc);
    Layout();
    return true;
}

void StatusBar::Layout()
{
    if (!m_hWnd) return;
    SendMessageA(m_hWnd, WM_SIZE, 0, 0);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    int fixed = GetSystemMetrics(SM_CXVSCROLL);  // room for the size grip
    for (size_t i = 1; i < m_widths.size(); ++i) fixed += m_widths[i];
    std::vector<int> rights(m_ids.size());
    int right = rc.right - fixed;
    if (right < 0) right = 0;
    rights[0] = right;
    for (size_t i = 1; i < m_ids.size(); ++i) rights[i] = right += m_widths[i];
    if (!rights.empty()) rights.back() = -1;
    SendMessageA(m_hWnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < m_texts.size(); ++i)
        SendMessageA(m_hWnd, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(m_texts[i].c_str()));
}

void StatusBar::SetPaneText(int index, const std::string& text)
{
    if (!m_hWnd || index < 0 || size_t(index) >= m_texts.size() || m_texts[size_t(index)] == text) return;
    m_texts[size_t(index)] = text;
    SendMessageA(m_hWnd, SB_SETTEXTA, WPARAM(index), reinterpret_cast<LPARAM>(text.c_str()));
}

bool StatusBar::GetPaneRect(int index, RECT* rc) const
{
    return m_hWnd && SendMessageA(m_hWnd, SB_GETRECT, WPARAM(index), reinterpret_cast<LPARAM>(rc));
}

int StatusBar::Height() const
{
    if (!m_hWnd || !(GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE)) return 0;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    return rc.bottom - rc.top;
}
