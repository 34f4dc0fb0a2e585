// The Snapshot Button Setup dialog (Options, "Snapshot Button Setup..."):
// which of the five snapshot buttons are drawn, their Hide in Capture and
// face colour. Every change is live: it goes into the application's
// options, the button images are rebuilt and the dialog's own frame is
// redrawn, so the new strip shows on its caption. OK writes the keys
// ButtonColors and SnapshotButton; Cancel reads them again.
#pragma once

#include "../framework/Dialog.h"
#include "../settings/Options.h"

class AppSettings;

class SnapshotButtonDialog : public Dialog {
public:
    explicit SnapshotButtonDialog(AppSettings& settings);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void ShowChoices(const SnapshotOptions& snapshot);
    // Copies the boxes into the live options and shows the result.
    void ApplyChoices();
    void OnColor();
    void DrawSample(const DRAWITEMSTRUCT& item) const;

    AppSettings& m_settings;
};

// Options, "Snapshot Button Setup...".
void RunSnapshotButtonDialog(AppSettings& settings, HWND owner);
