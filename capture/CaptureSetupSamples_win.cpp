// The Capture Setup pages with a capture sample: Region (the rubber band
// as it will look), Title & Menu (a picture of the parts taken) and
// Freehand (the outline kept or not). Each sample is drawn into its
// owner-drawn placeholder after the page took its check boxes.
#include "CaptureSetupPages.h"

#include "CaptureGeometry.h"

#include "../framework/ColorDialog.h"
#include "../framework/GdiHandles.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"

#include <string>

// Samples -------------------------------------------------------------------

bool SamplePage::OnMessage(UINT msg, WPARAM, LPARAM lParam, INT_PTR& result)
{
    if (msg != WM_DRAWITEM) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID != IDC_CAPTURE_SAMPLE) return false;
    Take();
    DrawSample(item->hDC, item->rcItem);
    result = TRUE;
    return true;
}

void SamplePage::RepaintSample() const { InvalidateRect(GetDlgItem(m_hWnd, IDC_CAPTURE_SAMPLE), nullptr, TRUE); }

bool SamplePage::ChoosePenColor(COLORREF& color)
{
    return ChooseColorFor(m_hWnd, &color);
}

void SamplePage::DrawBitmap(HDC dc, const RECT& rc, int id)
{
    GdiObject<HBITMAP> bitmap(LoadBitmapA(WinApp::Instance(), MAKEINTRESOURCEA(id)));
    if (!bitmap) return;
    BITMAP info = {};
    GetObjectA(bitmap.get(), sizeof info, &info);
    MemoryDC memory(dc);
    if (!memory) return;
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(dc, rc.left + (rc.right - rc.left - info.bmWidth) / 2, rc.top + (rc.bottom - rc.top - info.bmHeight) / 2,
           info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// Region --------------------------------------------------------------------

RegionPage::RegionPage(SetupSheetState& sheet) : SamplePage(IDD_SETUP_REGION, 4, "region capture", sheet) {}

void RegionPage::Show()
{
    const RegionOptions& r = Values().capture.region;
    SetCheck(IDC_REGION_INVERT, r.invertSelection);
    SetCheck(IDC_REGION_SHOW_SIZE, r.showImageSize);
    ShowCaptureTools(3);
}

bool RegionPage::Take()
{
    RegionOptions& r = Values().capture.region;
    r.invertSelection = GetCheck(IDC_REGION_INVERT);
    r.showImageSize = GetCheck(IDC_REGION_SHOW_SIZE);
    return true;
}

bool RegionPage::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_REGION_INVERT:
    case IDC_REGION_SHOW_SIZE: RepaintSample(); return true;
    case IDC_REGION_PEN:
        if (ChoosePenColor(Values().capture.region.pen)) RepaintSample();
        return true;
    default: return false;
    }
}

void RegionPage::DrawSample(HDC dc, const RECT& rc)
{
    const RegionOptions& r = Values().capture.region;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    if (r.showImageSize) {
        // The "%dx%d" readout of a selection as large as the placeholder.
        const std::string text = SizeReadoutText(rc);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        const POINT at = SizeReadoutOrigin(rc, size.cx, size.cy);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, at.x, at.y, text.c_str(), int(text.size()));
    }
    if (r.invertSelection) InvertRect(dc, &rc);
    GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, r.pen));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
}

// Title & Menu --------------------------------------------------------------

TitleMenuPage::TitleMenuPage(SetupSheetState& sheet)
    : SamplePage(IDD_SETUP_TITLE_MENU, 5, "title and menu capture", sheet)
{
}

void TitleMenuPage::Show()
{
    const TitleMenuOptions& t = Values().capture.titleMenu;
    SetCheck(IDC_TITLE_BAR, t.titleBar);
    SetCheck(IDC_MENU_BAR, t.menuBar);
    SetCheck(IDC_PULLDOWN_MENU, t.pulldownMenu);
    SetCheck(IDC_CASCADING_MENU, t.cascadingMenu);
    SetCheck(IDC_TITLE_MENU_ERASE, t.eraseBackground);
    ShowCaptureTools(4);
}

bool TitleMenuPage::Take()
{
    TitleMenuOptions& t = Values().capture.titleMenu;
    t.titleBar = GetCheck(IDC_TITLE_BAR);
    t.menuBar = GetCheck(IDC_MENU_BAR);
    t.pulldownMenu = GetCheck(IDC_PULLDOWN_MENU);
    t.cascadingMenu = GetCheck(IDC_CASCADING_MENU);
    t.eraseBackground = GetCheck(IDC_TITLE_MENU_ERASE);
    return true;
}

bool TitleMenuPage::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED || id < IDC_TITLE_BAR || id > IDC_TITLE_MENU_ERASE) return false;
    Take();
    ApplyTitleMenuRules(Values().capture.titleMenu, TitleMenuBox(id - IDC_TITLE_BAR));
    Show();
    RepaintSample();
    return true;
}

void TitleMenuPage::DrawSample(HDC dc, const RECT& rc)
{
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const int sample = TitleMenuSample(Values().capture.titleMenu);
    if (sample > 0) DrawBitmap(dc, rc, sample);
}

// Freehand ------------------------------------------------------------------

FreehandPage::FreehandPage(SetupSheetState& sheet) : SamplePage(IDD_SETUP_FREEHAND, 6, "freehand capture", sheet) {}

void FreehandPage::Show()
{
    const FreehandOptions& f = Values().capture.freehand;
    SetCheck(IDC_FREEHAND_BORDER, f.includeBorder);
    SetCheck(IDC_FREEHAND_INVERT_PEN, f.invertPen);
    ShowCaptureTools(5);
}

bool FreehandPage::Take()
{
    FreehandOptions& f = Values().capture.freehand;
    f.includeBorder = GetCheck(IDC_FREEHAND_BORDER);
    f.invertPen = GetCheck(IDC_FREEHAND_INVERT_PEN);
    return true;
}

bool FreehandPage::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_FREEHAND_BORDER: RepaintSample(); return true;
    case IDC_FREEHAND_INVERT_PEN: return true;  // the sample does not show the pen's mix mode
    case IDC_FREEHAND_PEN:
        if (ChoosePenColor(Values().capture.freehand.pen)) RepaintSample();
        return true;
    default: return false;
    }
}

void FreehandPage::DrawSample(HDC dc, const RECT& rc)
{
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawBitmap(dc, rc, Values().capture.freehand.includeBorder ? IDB_FREEHAND_BORDER : IDB_FREEHAND_NO_BORDER);
}
