// The shell's side of the capture pipeline: the Save As prompt and printing
// it hands down with every capture (CaptureOutlets).
#include "CaptureDispatch.h"

#include "AppSettings.h"
#include "SaveCaptureAs_win.h"
#include "XMainFrame.h"

#include "../framework/WinApp.h"
#include "../print/PrintCommands.h"

namespace {

// The Printer destination prints with the application's settings, which
// the main frame holds.
void PrintCapture(XImage& image, bool withPrintDialog)
{
    WinApp* app = WinApp::Current();
    auto* frame = app ? dynamic_cast<XMainFrame*>(app->m_pMainWnd.get()) : nullptr;
    if (!frame) return;
    AppSettings& settings = frame->Settings();
    PrintCaptureImage(image, withPrintDialog, PrintContext{settings.options, settings.Profile(), frame->m_hWnd});
}

const CaptureOutlets g_outlets = {
    SaveCaptureAs,  // Save As prompt
    PrintCapture,   // printing
};

}  // namespace

CaptureSettings ShellCaptureSettings(Options& options) { return CaptureSettingsOf(options, &g_outlets); }
