// What the pages of the print settings sheet share: the working copies,
// the printer's page facts for both orientations, and the preview beside
// the pages with its page-count label.
#pragma once

#include "PrintSheet.h"

#include "../framework/Dialog.h"
#include "../resources/resource.h"
#include "../settings/OptionTable.h"

struct PrinterPageFacts {
    long width = 0, height = 0;  // HORZRES, VERTRES
    int dpi = 0;                 // LOGPIXELSX
};

struct PrintSheetState {
    PrintSheetInput& input;
    PrintOptions print;          // working copies, stored on OK
    HeaderFooterOptions texts;
    std::string note;
    PrinterPageFacts facts[2];   // portrait, landscape
    std::string printerName;
    int activePage = 0;
    bool confirmed = false;
    // The sheet window, its size without preview, the preview and label.
    HWND sheet = nullptr;
    SIZE baseSize = {};
    HWND preview = nullptr;
    HWND pageCount = nullptr;
};

// Creates the preview and its label in the sheet (first page shown).
void AttachPreview(PrintSheetState& state, HWND sheet);
// Sizes the sheet for the preview size option and repaints the preview
// and the page count.
void RefreshPreview(PrintSheetState& state);

class PrintSheetPage : public PropertyPage {
public:
    PrintSheetPage(UINT templateId, int index, PrintSheetState& state)
        : PropertyPage(templateId), m_nIndex(index), m_state(state)
    {
    }

protected:
    BOOL OnInitDialog() override;
    void OnSetActive() override { m_state.activePage = m_nIndex; }
    void OnApply() override { m_state.confirmed = true; }
    virtual void Show() = 0;
    // The Font button: the font dialog on font, stored at once under group.
    void PickFont(settings::FontValue& font, KeyGroup group) const;
    std::string ItemText(int id) const;

    int m_nIndex;
    PrintSheetState& m_state;
};

class PrintOptionsPage : public PrintSheetPage {
public:
    explicit PrintOptionsPage(PrintSheetState& state) : PrintSheetPage(IDD_PRINT_PAGE, 0, state) {}

protected:
    void Show() override;
    bool OnKillActive() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void ShowCells() const;
};

class NotepadPage : public PrintSheetPage {
public:
    explicit NotepadPage(PrintSheetState& state) : PrintSheetPage(IDD_PRINT_NOTEPAD, 1, state) {}

protected:
    void Show() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void EnableControls() const;
};

// Header and Footer: three texts, a font and the "Print with image" check.
class HeaderFooterPage : public PrintSheetPage {
public:
    HeaderFooterPage(PrintSheetState& state, bool footer);

protected:
    void Show() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    bool m_bFooter;
    int m_nFirstEdit, m_nFontButton, m_nCheck;
};

class MacrosPage : public PrintSheetPage {
public:
    explicit MacrosPage(PrintSheetState& state) : PrintSheetPage(IDD_PRINT_MACROS, 4, state) {}

protected:
    void Show() override {}
    bool OnCommand(UINT id, UINT code) override;
};

// The Date/Time dialog (1102): on OK the ten options replace the live ones
// and PrintTimeDate is written.
void RunDateTimeDialog(HWND owner, Options& options, SettingsProfile& profile);
