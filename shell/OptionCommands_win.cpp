// The Options menu's capture setup commands. The capture engine and the
// main frame read the live options at every trigger, so a confirmed dialog
// takes effect with the next capture or key release; the HotButtons live
// in the hook library, which gets its copy at once.
#include "OptionCommands.h"

#include "AppSettings.h"
#include "XMainFrame.h"

#include "../capture/CaptureSetupSheet.h"
#include "../dialogs/XDialogFile4.h"
#include "../framework/ShowMessage.h"
#include "../image/XDocument.h"
#include "../print/PrintCommands.h"
#include "../resources/resource.h"

#include "../dialogs/HotButtonDialog.h"
#include "../dialogs/HotKeyDialog.h"
#include "../framework/WinApp.h"
#include "../hook/kesthook.h"

namespace {
// The capture type the HotKey dialog edited last: its radio is selected
// when the dialog opens again. Not stored in the settings file.
int g_nLastHotKeyType = 0;
}

void RunHotKeySetup(AppSettings& settings)
{
    HotKeyAssignment keys = settings.options.hotKeys;
    if (!RunHotKeyDialog(WinApp::MainWnd(), keys, g_nLastHotKeyType)) return;
    settings.options.hotKeys = keys;
    settings.Write(KeyGroup::kHotKeys);
}

void RunHotButtonSetup(AppSettings& settings)
{
    HotButtonOptions hotButton = settings.options.hotButton;
    if (!RunHotButtonDialog(WinApp::MainWnd(), hotButton)) return;
    settings.options.hotButton = hotButton;
    const int* codes = hotButton.codes;
    PassButtonShotDef(codes[0], codes[1], codes[2], codes[3], codes[4]);
    settings.Write(KeyGroup::kHotButton);
}

namespace {

// The running mode as the sheet left it: one change of the main frame's
// show state, after every page is live and written.
void ApplyRunningMode(const ModeOptions& mode, HWND frame)
{
    if (mode.runningMode == 0) {
        ShowMessage(IDS_RUN_IN_BACKGROUND);
        ShowWindow(frame, SW_HIDE);
    } else if (mode.runMinimized) {
        ShowWindow(frame, SW_MINIMIZE);
    }
}

}  // namespace

void RunCaptureSetup(AppSettings& settings, XMainFrame& frame)
{
    Options& live = settings.options;
    CaptureSetupValues values{live.capture, live.mode, live.files, live.format};
    CaptureSetupContext context{live.hotKeys, live.hotButton, live.capture.screen.area,
                                settings.display.screenWidth, settings.display.screenHeight, nullptr, nullptr,
                                nullptr, nullptr};
    context.setFile = [](FileOptions& files, FormatOptions& format) {
        SaveChoice choice{};
        SaveImageDialog(SavePurpose::CaptureNaming, files, format, &choice);
    };
    // Set Print: the print settings, stored by their own sheet on its OK.
    context.setPrint = [&settings]() {
        RunPrintSettings(PrintContext{settings.options, settings.Profile(), GetActiveWindow()});
    };
    if (!RunCaptureSetupSheet(frame.m_hWnd, values, context)) return;

    const bool marginsChanged = values.capture.sendTo.marginX != live.capture.sendTo.marginX ||
                                values.capture.sendTo.marginY != live.capture.sendTo.marginY;
    live.capture = values.capture;
    live.mode = values.mode;
    live.files = values.files;
    live.format = values.format;
    if (marginsChanged)
        if (XDocument* document = frame.ActiveImageDocument()) {
            document->RecalcExtent();
            document->UpdateAllViews(nullptr);
        }
    settings.Write(KeyGroup::kCaptureSetup);
    ApplyRunningMode(live.mode, frame.m_hWnd);
}
