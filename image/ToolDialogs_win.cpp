// The Tool menu's dialogs. Swatches are filled rectangles of one colour:
// owner-drawn statics, and in the Black and White dialog windows of the
// class "BWClass" that paint the colour of the 16-colour table their
// control id names.
#include "ToolDialogs.h"

#include "../framework/ColorDialog.h"
#include "../framework/Dialog.h"
#include "../framework/GdiObject.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "../settings/Settings.h"
#include "XImage.h"

#include <algorithm>
#include <cstdio>

namespace {
const int kMaxFrameWidth = 2000;
const int kMaxScaleValue = 65535;
const int kScaleSpinMax = 9999;

void ShowHelp(const char* keyword)
{
    if (WinApp* app = WinApp::Current()) app->WinHelp(reinterpret_cast<ULONG_PTR>(keyword), HELP_KEY);
}

void FillSwatch(const DRAWITEMSTRUCT& item, COLORREF color)
{
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(item.hDC, &item.rcItem, brush.get());
}

class FrameDialog : public Dialog {
public:
    explicit FrameDialog(const FrameOptions& frame) : Dialog(IDD_FRAME), m_frame(frame) {}
    FrameOptions m_frame;

protected:
    BOOL OnInitDialog() override
    {
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        SetSpinRange(IDC_FRAME_SPIN, 1, screenWidth);
        SetSpinRange(IDC_MAT_SPIN, 0, screenWidth);
        SetNumber(IDC_FRAME_WIDTH, m_frame.frameWidth);
        SetNumber(IDC_MAT_WIDTH, m_frame.matWidth);
        return TRUE;
    }
    void OnOK() override
    {
        if (!GetNumber(IDC_FRAME_WIDTH, 1, kMaxFrameWidth, &m_frame.frameWidth)) return;
        if (!GetNumber(IDC_MAT_WIDTH, 0, kMaxFrameWidth, &m_frame.matWidth)) return;
        EndDialog(IDOK);
    }
    bool OnCommand(UINT id, UINT) override
    {
        switch (id) {
        case IDC_FRAME_COLOR: PickColor(&m_frame.frame, IDC_FRAME_SWATCH); return true;
        case IDC_MAT_COLOR: PickColor(&m_frame.mat, IDC_MAT_SWATCH); return true;
        case IDC_FRAME_HELP: ShowHelp("frame"); return true;
        default: return false;
        }
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        if (msg != WM_DRAWITEM || (wParam != IDC_FRAME_SWATCH && wParam != IDC_MAT_SWATCH)) return false;
        FillSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                   wParam == IDC_FRAME_SWATCH ? m_frame.frame : m_frame.mat);
        result = TRUE;
        return true;
    }

private:
    void PickColor(COLORREF* color, int swatch)
    {
        if (ChooseColorFor(m_hWnd, color)) InvalidateRect(GetDlgItem(m_hWnd, swatch), nullptr, FALSE);
    }
};

class ScaleDialog : public Dialog {
public:
    ScaleDialog(int32_t width, int32_t height) : Dialog(IDD_SCALE), m_nWidth(width), m_nHeight(height) {}
    int64_t m_nNewWidth = 0;
    int64_t m_nNewHeight = 0;

protected:
    BOOL OnInitDialog() override
    {
        SetSpinRange(IDC_SCALE_SPIN_H, 1, kScaleSpinMax);
        SetSpinRange(IDC_SCALE_SPIN_V, 1, kScaleSpinMax);
        SetRadio(IDC_SCALE_PIXELS, IDC_SCALE_PERCENT, 0);
        ShowValues(m_nWidth, m_nHeight);
        return TRUE;
    }
    void OnOK() override
    {
        // Both values are checked: a zero height would ask for an image of
        // no rows.
        int horizontal = 0, vertical = 0;
        if (!GetNumber(IDC_SCALE_HORIZONTAL, 1, kMaxScaleValue, &horizontal)) return;
        if (!GetNumber(IDC_SCALE_VERTICAL, 1, kMaxScaleValue, &vertical)) return;
        if (GetRadio(IDC_SCALE_PIXELS, IDC_SCALE_PERCENT) == 1) {
            m_nNewWidth = std::max<int64_t>(1, int64_t(horizontal) * m_nWidth / 100);
            m_nNewHeight = std::max<int64_t>(1, int64_t(vertical) * m_nHeight / 100);
        } else {
            m_nNewWidth = horizontal;
            m_nNewHeight = vertical;
        }
        EndDialog(IDOK);
    }
    bool OnCommand(UINT id, UINT code) override
    {
        switch (id) {
        case IDC_SCALE_PIXELS:
            if (code == BN_CLICKED) ShowValues(m_nWidth, m_nHeight);
            return true;
        case IDC_SCALE_PERCENT:
            if (code == BN_CLICKED) ShowValues(100, 100);
            return true;
        case IDC_SCALE_HELP: ShowHelp("scale settings"); return true;
        default: return false;
        }
    }

private:
    void ShowValues(int horizontal, int vertical) const
    {
        SetNumber(IDC_SCALE_HORIZONTAL, horizontal);
        SetNumber(IDC_SCALE_VERTICAL, vertical);
    }
    int32_t m_nWidth, m_nHeight;
};

LRESULT CALLBACK BlackWhiteSwatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int index = GetDlgCtrlID(hwnd) - IDC_BW_SWATCH_FIRST;
    if (index >= 0 && index < 16) {
        const RGBQUAD& quad = kStandard16[index];
        GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue)));
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, brush.get());
    }
    EndPaint(hwnd, &ps);
    return 0;
}

void RegisterBlackWhiteSwatch()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BlackWhiteSwatchProc;
    wc.hInstance = WinApp::Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "BWClass";
    registered = RegisterClassA(&wc) != 0;
}

class BlackWhiteDialog : public Dialog {
public:
    explicit BlackWhiteDialog(const BlackWhiteOptions& table) : Dialog(IDD_BLACK_WHITE), m_table(table) {}
    BlackWhiteOptions m_table;

protected:
    BOOL OnInitDialog() override
    {
        Show(m_table);
        return TRUE;
    }
    void OnOK() override
    {
        for (int i = 0; i < 16; ++i) m_table.map[i] = GetRadio(BlackId(i), BlackId(i) + 1) == 1 ? 1 : 0;
        EndDialog(IDOK);
    }
    bool OnCommand(UINT id, UINT) override
    {
        switch (id) {
        case IDC_BW_DEFAULT: Show(DefaultOptions(SystemDefaults()).blackWhite); return true;
        case IDC_BW_HELP: ShowHelp("black and white setup"); return true;
        default: return false;
        }
    }

private:
    static int BlackId(int i) { return IDC_BW_BLACK_FIRST + 2 * i; }
    void Show(const BlackWhiteOptions& table) const
    {
        for (int i = 0; i < 16; ++i) SetRadio(BlackId(i), BlackId(i) + 1, table.map[i] ? 1 : 0);
    }
};

class CheckColorDialog : public Dialog {
public:
    explicit CheckColorDialog(COLORREF picked) : Dialog(IDD_CHECK_COLOR), m_picked(picked) {}

protected:
    BOOL OnInitDialog() override
    {
        ShowComponent(IDC_CHECK_RED, GetRValue(m_picked));
        ShowComponent(IDC_CHECK_GREEN, GetGValue(m_picked));
        ShowComponent(IDC_CHECK_BLUE, GetBValue(m_picked));
        return TRUE;
    }
    bool OnCommand(UINT id, UINT) override
    {
        if (id != IDC_CHANGE_COLOR) return false;
        EndDialog(IDC_CHANGE_COLOR);
        return true;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        if (msg != WM_DRAWITEM || wParam != IDC_CHECK_SWATCH) return false;
        FillSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), m_picked);
        result = TRUE;
        return true;
    }

private:
    void ShowComponent(int id, int value) const
    {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", value);
        SetDlgItemTextA(m_hWnd, id, text);
    }
    COLORREF m_picked;
};
}

bool RunFrameDialog(HWND owner, FrameOptions* frame)
{
    FrameDialog dialog(FrameInRange(*frame));
    if (dialog.DoModal(owner) != IDOK) return false;
    *frame = dialog.m_frame;
    return true;
}

bool RunScaleDialog(HWND owner, int32_t width, int32_t height, int64_t* newWidth, int64_t* newHeight)
{
    ScaleDialog dialog(width, height);
    if (dialog.DoModal(owner) != IDOK) return false;
    *newWidth = dialog.m_nNewWidth;
    *newHeight = dialog.m_nNewHeight;
    return true;
}

bool RunBlackWhiteDialog(HWND owner, BlackWhiteOptions* table)
{
    RegisterBlackWhiteSwatch();
    BlackWhiteDialog dialog(*table);
    if (dialog.DoModal(owner) != IDOK) return false;
    *table = dialog.m_table;
    return true;
}

bool RunCheckColorDialog(HWND owner, COLORREF picked)
{
    CheckColorDialog dialog(picked);
    return dialog.DoModal(owner) == IDC_CHANGE_COLOR;
}

MergeStatusBox::MergeStatusBox(HWND owner) : m_box(IDD_MERGE_STATUS)
{
    if (!m_box.CreateModeless(owner)) return;
    RECT box, around;
    GetWindowRect(m_box.m_hWnd, &box);
    GetWindowRect(owner ? owner : GetDesktopWindow(), &around);
    const int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(m_box.m_hWnd, nullptr, around.left + (around.right - around.left - width) / 2,
                 around.top + (around.bottom - around.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(m_box.m_hWnd, SW_SHOW);
}

void MergeStatusBox::Show(MergeStage stage)
{
    if (!m_box.m_hWnd) return;
    SetDlgItemTextA(m_box.m_hWnd, IDC_MERGE_TEXT,
                    stage == MergeStage::kScanning ? "Scanning Images..." : "Merging Images...");
    UpdateWindow(m_box.m_hWnd);
}
