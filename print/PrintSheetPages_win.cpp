// The pages of the print settings sheet (see PrintSheetState.h). Every
// change a page shows in the preview goes into the working copy at once;
// the numbers are checked when the Print page is left or confirmed.
#include "PrintSheetState.h"

#include "PageLayout.h"
#include "PageTexts.h"
#include "PrintJobRules.h"

#include "../framework/ShowMessage.h"
#include "../framework/Window.h"
#include "../settings/Settings.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

BOOL PrintSheetPage::OnInitDialog()
{
    if (!m_state.sheet) AttachPreview(m_state, GetParent(m_hWnd));
    Show();
    return TRUE;
}

std::string PrintSheetPage::ItemText(int id) const
{
    HWND item = GetDlgItem(m_hWnd, id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    if (length <= 0) return std::string();
    std::vector<char> text(size_t(length) + 1);
    GetWindowTextA(item, text.data(), length + 1);
    return std::string(text.data());
}

void PrintSheetPage::PickFont(settings::FontValue& font, KeyGroup group) const
{
    LOGFONTA lf = LogFontOf(font);
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.lpLogFont = &lf;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choose)) return;
    const int32_t picked[settings::kFontNumbers] = {
        lf.lfHeight,     lf.lfWidth,         lf.lfEscapement,     lf.lfOrientation,   lf.lfWeight,
        lf.lfItalic,     lf.lfUnderline,     lf.lfStrikeOut,      lf.lfCharSet,       lf.lfOutPrecision,
        lf.lfClipPrecision, lf.lfQuality, lf.lfPitchAndFamily};
    std::memcpy(font.numbers, picked, sizeof picked);
    font.face = lf.lfFaceName;
    WriteSettings(m_state.input.profile, m_state.input.options, group);
    RefreshPreview(m_state);
}

// --- Print page ---------------------------------------------------------------

void PrintOptionsPage::Show()
{
    const PrintOptions& p = m_state.print;
    const std::string printer = "Current Printer: " + m_state.printerName;
    SetDlgItemTextA(m_hWnd, IDC_CURRENT_PRINTER, printer.c_str());
    SetSpinRange(IDC_SPIN_1, 1, 999);
    SetSpinRange(IDC_SPIN_2, 1, 99);
    SetNumber(IDC_PRINT_COPIES, ClampCopies(p.copies));
    SetNumber(IDC_PRINT_SCALING, ClampScaling(p.scaling));
    const int colors = p.colors >= 0 && p.colors <= 2 ? p.colors : 0;
    SetCheck(IDC_PRINT_COLOR, colors == 0);
    SetCheck(IDC_PRINT_GRAYSCALE, colors == 1);
    SetCheck(IDC_PRINT_BLACK_WHITE, colors == 2);
    SetRadio(IDC_PRINT_PORTRAIT, IDC_PRINT_LANDSCAPE, p.orientation == 1 ? 1 : 0);
    SetRadio(IDC_PREVIEW_NONE, IDC_PREVIEW_LARGE, p.previewSize >= 0 && p.previewSize <= 2 ? p.previewSize : 1);
    ShowCells();
}

void PrintOptionsPage::ShowCells() const
{
    const bool landscape = m_state.print.orientation == 1;
    const int selected = CellOfPosition(m_state.print.position, landscape);
    for (int id = IDC_PRINT_CELL_FIRST; id <= IDC_PRINT_CELL_LAST; ++id) {
        HWND cell = GetDlgItem(m_hWnd, id);
        if (!cell) continue;
        const bool ofGrid = (id >= 209) == landscape;
        ShowWindow(cell, ofGrid ? SW_SHOW : SW_HIDE);
        SetWindowLongPtrA(cell, GWLP_USERDATA, id == selected ? 1 : 0);
        InvalidateRect(cell, nullptr, TRUE);
    }
}

bool PrintOptionsPage::OnKillActive()
{
    int copies = 0, scaling = 0;
    if (!GetNumber(IDC_PRINT_COPIES, 1, 999, &copies)) return false;
    if (!GetNumber(IDC_PRINT_SCALING, 1, 99, &scaling)) return false;
    m_state.print.copies = copies;
    m_state.print.scaling = scaling;
    return true;
}

bool PrintOptionsPage::OnCommand(UINT id, UINT code)
{
    PrintOptions& p = m_state.print;
    if (id >= IDC_PRINT_CELL_FIRST && id <= IDC_PRINT_CELL_LAST) {
        p.position = PositionOfCell(int(id));
        ShowCells();
        RefreshPreview(m_state);
        return true;
    }
    switch (id) {
    case IDC_PRINT_SCALING:
        if (code == EN_CHANGE) {
            BOOL ok = FALSE;
            const UINT scaling = GetDlgItemInt(m_hWnd, IDC_PRINT_SCALING, &ok, FALSE);
            if (ok && scaling >= 1 && scaling <= 99) {
                p.scaling = int(scaling);
                RefreshPreview(m_state);
            }
        }
        return true;
    case IDC_PRINT_COLOR:
    case IDC_PRINT_GRAYSCALE:
    case IDC_PRINT_BLACK_WHITE:
        p.colors = id == IDC_PRINT_COLOR ? 0 : id == IDC_PRINT_GRAYSCALE ? 1 : 2;
        RefreshPreview(m_state);
        return true;
    case IDC_PRINT_PORTRAIT:
    case IDC_PRINT_LANDSCAPE:
        p.orientation = id == IDC_PRINT_LANDSCAPE ? 1 : 0;
        ShowCells();
        RefreshPreview(m_state);
        return true;
    case IDC_PREVIEW_NONE:
    case IDC_PREVIEW_SMALL:
    case IDC_PREVIEW_LARGE:
        p.previewSize = int(id - IDC_PREVIEW_NONE);
        RefreshPreview(m_state);
        return true;
    default:
        return false;
    }
}

// --- Notepad page -------------------------------------------------------------

void NotepadPage::Show()
{
    const PrintOptions& p = m_state.print;
    SetDlgItemTextA(m_hWnd, IDC_NOTE_TEXT, m_state.note.c_str());
    SetRadio(IDC_NOTE_IMAGE_ALIGNED, IDC_NOTE_PAGE_ALIGNED, p.notesFrame == 1 ? 1 : 0);
    SetRadio(IDC_NOTE_UNDER, IDC_NOTE_ABOVE, p.notesPlacement == 1 ? 1 : 0);
    SetRadio(IDC_NOTE_LEFT, IDC_NOTE_RIGHT, p.notesAlignment >= 0 && p.notesAlignment <= 2 ? p.notesAlignment : 0);
    SetCheck(IDC_NOTE_PRINT, p.printNotes);
    EnableControls();
}

void NotepadPage::EnableControls() const
{
    const bool on = m_state.print.printNotes != 0;
    for (int id = IDC_NOTE_LEFT; id <= IDC_NOTE_FONT; ++id) Enable(id, on);
}

bool NotepadPage::OnCommand(UINT id, UINT code)
{
    PrintOptions& p = m_state.print;
    switch (id) {
    case IDC_NOTE_TEXT:
        if (code == EN_CHANGE) {
            m_state.note = ItemText(IDC_NOTE_TEXT);
            RefreshPreview(m_state);
        }
        return true;
    case IDC_NOTE_IMAGE_ALIGNED:
    case IDC_NOTE_PAGE_ALIGNED: p.notesFrame = int(id - IDC_NOTE_IMAGE_ALIGNED); break;
    case IDC_NOTE_UNDER:
    case IDC_NOTE_ABOVE: p.notesPlacement = int(id - IDC_NOTE_UNDER); break;
    case IDC_NOTE_LEFT:
    case IDC_NOTE_CENTER:
    case IDC_NOTE_RIGHT: p.notesAlignment = int(id - IDC_NOTE_LEFT); break;
    case IDC_NOTE_FONT: PickFont(m_state.input.options.fonts.note, KeyGroup::kNoteFont); return true;
    case IDC_NOTE_PRINT:
        p.printNotes = GetCheck(IDC_NOTE_PRINT);
        EnableControls();
        break;
    default: return false;
    }
    RefreshPreview(m_state);
    return true;
}

// --- Header and Footer pages ----------------------------------------------------

HeaderFooterPage::HeaderFooterPage(PrintSheetState& state, bool footer)
    : PrintSheetPage(footer ? IDD_PRINT_FOOTER : IDD_PRINT_HEADER, footer ? 3 : 2, state), m_bFooter(footer),
      m_nFirstEdit(footer ? IDC_FOOTER_LEFT : IDC_HEADER_LEFT), m_nFontButton(footer ? IDC_FOOTER_FONT : IDC_HEADER_FONT),
      m_nCheck(footer ? IDC_FOOTER_PRINT : IDC_HEADER_PRINT)
{
}

void HeaderFooterPage::Show()
{
    const std::string* texts = m_bFooter ? m_state.texts.footer : m_state.texts.header;
    for (int i = 0; i < 3; ++i) SetDlgItemTextA(m_hWnd, m_nFirstEdit + i, texts[i].c_str());
    const BOOL on = m_bFooter ? m_state.print.printFooter : m_state.print.printHeader;
    SetCheck(m_nCheck, on);
    Enable(m_nFontButton, on != 0);
}

bool HeaderFooterPage::OnCommand(UINT id, UINT code)
{
    if (int(id) >= m_nFirstEdit && int(id) < m_nFirstEdit + 3) {
        if (code == EN_CHANGE) {
            std::string* texts = m_bFooter ? m_state.texts.footer : m_state.texts.header;
            texts[id - UINT(m_nFirstEdit)] = ItemText(int(id));
            RefreshPreview(m_state);
        }
        return true;
    }
    Options& live = m_state.input.options;
    if (int(id) == m_nFontButton) {
        if (m_bFooter)
            PickFont(live.fonts.footer, KeyGroup::kFooterFont);
        else
            PickFont(live.fonts.header, KeyGroup::kHeaderFont);
        return true;
    }
    if (int(id) == m_nCheck) {
        const BOOL on = GetCheck(m_nCheck);
        (m_bFooter ? m_state.print.printFooter : m_state.print.printHeader) = on;
        Enable(m_nFontButton, on != 0);
        RefreshPreview(m_state);
        return true;
    }
    return false;
}

// --- Macros page ----------------------------------------------------------------

bool MacrosPage::OnCommand(UINT id, UINT)
{
    if (id != IDC_SET_DATE_TIME) return false;
    RunDateTimeDialog(m_hWnd, m_state.input.options, m_state.input.profile);
    RefreshPreview(m_state);
    return true;
}
