// The print progress dialog and its meter (see PrintProgressDialog.h).
#include "PrintProgressDialog.h"

#include "../framework/GdiHandles.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"

#include <cstdio>

PrintProgressDialog::PrintProgressDialog() : Dialog(IDD_PRINT_PROGRESS) {}

PrintProgressDialog::~PrintProgressDialog()
{
    if (m_hDisabledOwner) EnableWindow(m_hDisabledOwner, TRUE);
    if (m_hWnd) DestroyWindow();
}

bool PrintProgressDialog::Open(const std::string& printingLine, const std::string& printerLine)
{
    HWND owner = WinApp::MainWnd();
    if (!CreateModeless(owner)) return false;
    SetDlgItemTextA(m_hWnd, IDC_PRINTING_LINE, printingLine.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PRINTER_LINE, printerLine.c_str());
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        m_hDisabledOwner = owner;
    }
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    return true;
}

void PrintProgressDialog::SetPageLine(const std::string& line) const
{
    if (m_hWnd) SetDlgItemTextA(m_hWnd, IDC_PAGE_LINE, line.c_str());
}

void PrintProgressDialog::SetPercent(int percent) const
{
    HWND meter = m_hWnd ? GetDlgItem(m_hWnd, IDC_PRINT_METER) : nullptr;
    if (!meter) return;
    SetWindowLongPtrA(meter, GWLP_USERDATA, percent);
    InvalidateRect(meter, nullptr, FALSE);
    UpdateWindow(meter);
}

void PumpPrintMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the main loop.
            PostQuitMessage(int(msg.wParam));
            return;
        }
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageA(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

void PaintMeter(HWND hwnd, HDC dc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int percent = int(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT inside = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
    if (inside.right <= inside.left || inside.bottom <= inside.top) return;
    GdiObject<HBRUSH> yellow(CreateSolidBrush(RGB(255, 255, 0)));
    GdiObject<HBRUSH> navy(CreateSolidBrush(RGB(0, 0, 128)));
    FillRect(dc, &inside, yellow);
    RECT done = inside;
    done.right = inside.left + (inside.right - inside.left) * percent / 100;
    FillRect(dc, &done, navy);

    // The text, white on black in a monochrome bitmap, inverts what lies
    // under it: readable over both colours.
    char text[8];
    std::snprintf(text, sizeof text, "%d%%", percent);
    const int width = inside.right - inside.left, height = inside.bottom - inside.top;
    MemoryDC mono(dc);
    GdiObject<HBITMAP> bitmap(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mono || !bitmap) return;
    SelectedObject selectedBitmap(mono.get(), bitmap);
    SelectedObject selectedFont(mono.get(), GetStockObject(DEFAULT_GUI_FONT));
    RECT box = {0, 0, width, height};
    FillRect(mono.get(), &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(mono.get(), RGB(255, 255, 255));
    SetBkColor(mono.get(), RGB(0, 0, 0));
    DrawTextA(mono.get(), text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, inside.left, inside.top, width, height, mono.get(), 0, 0, SRCINVERT);
}

}  // namespace

LRESULT CALLBACK MeterWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintMeter(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
