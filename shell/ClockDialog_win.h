// The Kestrel Clock dialog (Options, "Kestrel Clock..."): the clock's
// switches, time and date formats, Hide in Capture and text colour, with a
// sample that shows the current time in the dialog's choices ten times a
// second. OK makes the choices the clock options and writes the key
// Clock; Cancel changes nothing.
#pragma once

#include "../framework/Dialog.h"
#include "../framework/GdiHandles.h"
#include "../settings/Options.h"

class AppSettings;

class ClockDialog : public Dialog {
public:
    // settings: the application's; changed only on OK.
    explicit ClockDialog(AppSettings& settings);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void ShowChoices(const ClockOptions& clock);
    // The options as the controls show them; the colour is the dialog's.
    ClockOptions Choices() const;
    void UpdateEnabling();
    // The checked button of the radio group first..last; the first when none is.
    int Choice(int first, int last) const;
    void OnColor();
    void DrawSample(const DRAWITEMSTRUCT& item);

    AppSettings& m_settings;
    COLORREF m_color;
    GdiObject<HFONT> m_sampleFont;
};

// Options, "Kestrel Clock...".
void RunClockDialog(AppSettings& settings, HWND owner);
