// About box: display facts and the animated frame around the icon.
#include "XAbout.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../resources/resource.h"

#include <cstdio>

std::string ColorCountText(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return "2";
    case 4: return "16";
    case 8: return "256";
    case 15: return "32K";
    case 16: return "65K";
    case 24:
    case 32: return "16.8M";
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "%d bits", bitsPerPixel);
        return text;
    }
    }
}

XAboutDialog::XAboutDialog() : Dialog(IDD_ABOUT) {}

BOOL XAboutDialog::OnInitDialog()
{
    const DisplayFacts display = ReadDisplayFacts();
    char text[256];
    std::snprintf(text, sizeof text, "%dx%d", display.screenWidth, display.screenHeight);
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_RESOLUTION, text);
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_COLORS, ColorCountText(display.depth).c_str());
    GetPrivateProfileStringA("boot.description", "display.drv", "", text, sizeof text, "system.ini");
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_DRIVER, text);
    SetTimer(m_hWnd, 1, 100, nullptr);
    return TRUE;
}

void XAboutDialog::OnTimer()
{
    // A light running around the icon's frame: one of its four edges is
    // drawn highlighted per tick.
    HWND frame = GetDlgItem(m_hWnd, IDC_ABOUT_ANIMATION);
    if (!frame) return;
    RECT rc;
    GetWindowRect(frame, &rc);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    WindowDC dc(m_hWnd);
    if (!dc) return;
    static const COLORREF kColors[2] = {RGB(128, 0, 0), RGB(255, 255, 0)};
    m_nFrame = (m_nFrame + 1) % 4;
    for (int edge = 0; edge < 4; ++edge) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(kColors[edge == m_nFrame ? 1 : 0]));
        RECT part = rc;
        switch (edge) {
        case 0: part.bottom = part.top + 2; break;
        case 1: part.left = part.right - 2; break;
        case 2: part.top = part.bottom - 2; break;
        default: part.right = part.left + 2; break;
        }
        FillRect(dc.get(), &part, brush.get());
    }
}

bool XAboutDialog::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result)
{
    if (msg == WM_TIMER) {
        OnTimer();
        result = 0;
        return true;
    }
    if (msg == WM_DESTROY) KillTimer(m_hWnd, 1);
    return false;
}
