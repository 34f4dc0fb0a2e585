// The progress dialog of a print job (template 1101): what is printed on
// which printer, the page line, the percentage meter (class "MeterClass")
// and Cancel, which only raises the abort flag; the job looks at it
// between strips and pages. The main window is disabled while it is up.
#pragma once

#include "../framework/Dialog.h"

#include <string>

class PrintProgressDialog : public Dialog {
public:
    PrintProgressDialog();
    ~PrintProgressDialog() override;

    // Shows the dialog over the disabled main window.
    bool Open(const std::string& printingLine, const std::string& printerLine);
    void SetPageLine(const std::string& line) const;
    void SetPercent(int percent) const;
    bool Aborted() const { return m_bAbort; }

protected:
    void OnCancel() override { m_bAbort = true; }

private:
    bool m_bAbort = false;
    HWND m_hDisabledOwner = nullptr;
};

// Dispatches the messages waiting in the queue (Cancel among them).
void PumpPrintMessages();

// The window procedure of "MeterClass": a black frame, yellow inside with
// the done part navy, and the percentage inverted over both.
LRESULT CALLBACK MeterWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
