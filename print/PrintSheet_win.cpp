// The print settings sheet, its preview and the position cells (see
// PrintSheet.h and PrintSheetState.h).
//
// The preview draws in printer dots: the window is mapped so that the
// printable page of the current orientation fills the paper drawn in it,
// and the same layout, strips-free image transfer and text drawing as the
// print job put the image, header, footer and notes on it.
#include "PrintSheetState.h"

#include "CurrentPrinter.h"
#include "PageLayout.h"
#include "PageTexts.h"
#include "PrintJobRules.h"
#include "PrintPalette.h"
#include "PrintPixels.h"

#include "../framework/GdiHandles.h"
#include "../framework/ShowMessage.h"
#include "../framework/Window.h"
#include "../framework/WinApp.h"
#include "../image/XImage.h"
#include "../settings/Settings.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kPreviewClass[] = "Kestrel:PrintPreview";
const int kPreviewSizes[3] = {0, 146, 260};
const int kGap = 8;  // pixels between the pages, the preview and its label

PageLayout PreviewLayout(const PrintSheetState& state, const PrinterPageFacts& facts)
{
    PageGeometryInput geometry;
    geometry.deviceWidth = facts.width;
    geometry.deviceHeight = facts.height;
    if (state.input.image) {
        geometry.imageWidth = state.input.image->m_nWidth;
        geometry.imageHeight = state.input.image->m_nHeight;
    }
    geometry.scaling = state.print.scaling;
    geometry.position = state.print.position;
    return LayoutPage(geometry);
}

// The first page's tile, as the job sends it, in one piece.
void DrawPreviewImage(HDC dc, const PrintSheetState& state, const PageLayout& layout)
{
    PrintPixels pixels(*state.input.image);
    if (!pixels || layout.pages == 0) return;
    const PrintTile tile = TileOfPage(layout, 0);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = pixels.Width();
    info.header.biHeight = pixels.Height();
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(pixels.BitCount());
    info.header.biCompression = BI_RGB;
    const int count = pixels.TableSize();
    if (count > 0) {
        BlackWhiteReference reference;
        for (int i = 0; i < 16; ++i) {
            reference.colors[i] = kStandard16[i];
            reference.white[i] = state.input.options.blackWhite.map[i] != 0;
        }
        auto table = PrintColorTable(pixels.Table(), size_t(count), pixels.BitCount(), state.print.colors, reference);
        std::copy_n(table ? table->data() : pixels.Table(), count, info.colors);
        info.header.biClrUsed = DWORD(count);
    }
    SetStretchBltMode(dc, HALFTONE);
    // DIB source rows count from the bottom.
    const int64_t sourceBottom = pixels.Height() - tile.top - tile.height;
    StretchDIBits(dc, int(layout.x), int(layout.y), int(tile.width * layout.scaling), int(tile.height * layout.scaling),
                  int(tile.left), int(sourceBottom), int(tile.width), int(tile.height), pixels.Bits(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

void PaintPreview(HWND hwnd, HDC dc, const PrintSheetState& state)
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const PrinterPageFacts& facts = state.facts[state.print.orientation == 1 ? 1 : 0];
    if (facts.width <= 0 || facts.height <= 0) return;
    // The paper, as large as the square allows with room for its shadow.
    const int room = std::max(1, int(std::min(client.right, client.bottom)) - 6);
    const int64_t longest = std::max(facts.width, facts.height);
    const int paperWidth = std::max(1, int(facts.width * room / longest));
    const int paperHeight = std::max(1, int(facts.height * room / longest));
    const int left = (client.right - paperWidth - 3) / 2, top = (client.bottom - paperHeight - 3) / 2;
    RECT shadow = {left + 3, top + 3, left + paperWidth + 3, top + paperHeight + 3};
    FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    RECT paper = {left, top, left + paperWidth, top + paperHeight};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    const PageLayout layout = PreviewLayout(state, facts);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, int(facts.width), int(facts.height), nullptr);
    SetViewportExtEx(dc, paperWidth, paperHeight, nullptr);
    SetViewportOrgEx(dc, left, top, nullptr);
    if (state.input.image) DrawPreviewImage(dc, state, layout);
    if (PrintsPageTexts(layout)) {
        const Options& o = state.input.options;
        PageTextSource source{state.print, state.texts, o.fonts, o.printTimeDate, state.input.image, state.note};
        WindowDC screen(nullptr);
        DrawPageTexts(dc, layout, source, facts.dpi, screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96);
    }
    RestoreDC(dc, saved);
}

LRESULT CALLBACK PreviewWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (auto* state = reinterpret_cast<PrintSheetState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            PaintPreview(hwnd, dc, *state);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterPreviewClass()
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(WinApp::Instance(), kPreviewClass, &wc)) return true;
    wc.lpfnWndProc = PreviewWindowProc;
    wc.hInstance = WinApp::Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPreviewClass;
    return RegisterClassA(&wc) != 0;
}

// The page facts of both orientations, from device contexts of the
// current printer. False, after the message, when there is no printer
// or it cannot take bitmaps.
bool ReadPrinterFacts(PrintSheetState& state)
{
    for (int landscape = 0; landscape < 2; ++landscape) {
        PrinterDC dc(CreatePrinterDC(landscape == 1));
        if (!dc) {
            ShowMessage(IDS_NO_PRINTER);
            return false;
        }
        if (!(GetDeviceCaps(dc.get(), RASTERCAPS) & RC_BITBLT)) {
            ShowMessage(IDS_CANNOT_PRINT_BITMAPS);
            return false;
        }
        PrinterPageFacts& facts = state.facts[landscape];
        facts.width = GetDeviceCaps(dc.get(), HORZRES);
        facts.height = GetDeviceCaps(dc.get(), VERTRES);
        facts.dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
    }
    return true;
}

}  // namespace

void AttachPreview(PrintSheetState& state, HWND sheet)
{
    state.sheet = sheet;
    RECT rc;
    GetWindowRect(sheet, &rc);
    state.baseSize = {rc.right - rc.left, rc.bottom - rc.top};
    RECT client;
    GetClientRect(sheet, &client);
    HINSTANCE instance = WinApp::Instance();
    if (RegisterPreviewClass())
        state.preview = CreateWindowExA(0, kPreviewClass, "", WS_CHILD, client.right, kGap, 1, 1, sheet, nullptr,
                                        instance, nullptr);
    if (state.preview) SetWindowLongPtrA(state.preview, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    state.pageCount = CreateWindowExA(0, "Static", "", WS_CHILD | SS_CENTER | SS_NOPREFIX, client.right, kGap, 1, 1,
                                      sheet, nullptr, instance, nullptr);
    if (state.pageCount)
        SendMessageA(state.pageCount, WM_SETFONT, SendMessageA(sheet, WM_GETFONT, 0, 0), FALSE);
    RefreshPreview(state);
}

void RefreshPreview(PrintSheetState& state)
{
    if (!state.sheet) return;
    const int size = kPreviewSizes[state.print.previewSize >= 0 && state.print.previewSize <= 2
                                       ? state.print.previewSize : 1];
    RECT client;
    GetClientRect(state.sheet, &client);
    RECT window;
    GetWindowRect(state.sheet, &window);
    const int frameWidth = (window.right - window.left) - client.right;
    // The pages' part of the client area: the sheet without preview.
    const int baseClientWidth = state.baseSize.cx - frameWidth;
    const int labelHeight = 16;
    const int width = state.baseSize.cx + (size > 0 ? size + 2 * kGap : 0);
    const int height = std::max<int>(state.baseSize.cy, size + labelHeight + 3 * kGap +
                                                             (window.bottom - window.top - client.bottom));
    SetWindowPos(state.sheet, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const PrinterPageFacts& facts = state.facts[state.print.orientation == 1 ? 1 : 0];
    char label[64];
    std::snprintf(label, sizeof label, "Page(s): %lld", static_cast<long long>(PreviewLayout(state, facts).pages));
    if (state.preview) {
        SetWindowPos(state.preview, nullptr, baseClientWidth + kGap, kGap, size, size, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(state.preview, size > 0 ? SW_SHOW : SW_HIDE);
        InvalidateRect(state.preview, nullptr, FALSE);
    }
    if (state.pageCount) {
        SetWindowTextA(state.pageCount, label);
        SetWindowPos(state.pageCount, nullptr, baseClientWidth + kGap, 2 * kGap + size, size, labelHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(state.pageCount, size > 0 ? SW_SHOW : SW_HIDE);
    }
}

bool RunPrintSheet(HWND owner, PrintSheetInput& input)
{
    if (!EnsurePrinter(input.options.printer.text)) {
        ShowMessage(IDS_NO_PRINTER);
        return false;
    }
    PrintSheetState state{input, input.options.print, input.options.headerFooter, input.note, {}, {}};
    state.printerName = CurrentPrinterDevice();
    if (!ReadPrinterFacts(state)) return false;

    PrintOptionsPage print(state);
    NotepadPage notepad(state);
    HeaderFooterPage header(state, false);
    HeaderFooterPage footer(state, true);
    MacrosPage macros(state);
    PropertySheetDialog sheet(LoadResourceString(IDS_PRINT_SHEET));
    for (PropertyPage* page : std::initializer_list<PropertyPage*>{&print, &notepad, &header, &footer, &macros})
        sheet.AddPage(page);
    sheet.DoModal(owner, UINT(PrintSheetStartPage(input.options.print)));
    if (!state.confirmed) return false;

    if (!state.note.empty()) input.note = state.note;
    state.print.page = state.activePage;
    input.options.print = state.print;
    input.options.headerFooter = state.texts;
    WriteSettings(input.profile, input.options, KeyGroup::kPrint);
    return true;
}

LRESULT CALLBACK PositionCellProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        const bool selected = GetWindowLongPtrA(hwnd, GWLP_USERDATA) != 0;
        SelectedObject brush(dc, GetStockObject(selected ? BLACK_BRUSH : WHITE_BRUSH));
        SelectedObject pen(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        // Already focused, the click alone selects.
        if (GetFocus() == hwnd)
            SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
        else
            SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
