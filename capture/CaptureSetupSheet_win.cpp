// The Capture Setup sheet: builds the eight pages over one working copy,
// runs them on the page last confirmed and, on OK, hands back the copy
// with the Send To rules applied and the active page remembered.
#include "CaptureSetupPages.h"

#include "../framework/Window.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"

void SetupPage::OnHelp()
{
    if (WinApp* app = WinApp::Current()) app->WinHelp(reinterpret_cast<ULONG_PTR>(m_szHelpKeyword), HELP_KEY);
}

void SetupPage::ShowCaptureTools(int captureCode) const
{
    const std::string hotKey =
        HotKeyToolText(LoadResourceString(IDS_TOOLS_HOTKEY), Context().hotKeys, captureCode);
    SetDlgItemTextA(m_hWnd, IDC_TOOLS_HOTKEY, hotKey.c_str());
    const int hotButton = HotButtonToolText(Context().hotButton, captureCode);
    SetDlgItemTextA(m_hWnd, IDC_TOOLS_HOTBUTTON, LoadResourceString(IDS_HOTBUTTON_NONE + hotButton).c_str());
}

bool RunCaptureSetupSheet(HWND owner, CaptureSetupValues& values, const CaptureSetupContext& context)
{
    CaptureSetupValues copy = values;
    FitToPages(copy);
    SetupSheetState state{copy, context};
    SendToPage sendTo(state);
    CapturePage capture(state);
    ScreenPage screen(state);
    WindowPage window(state);
    RegionPage region(state);
    TitleMenuPage titleMenu(state);
    FreehandPage freehand(state);
    RunningModePage runningMode(state);

    PropertySheetDialog sheet(LoadResourceString(IDS_CAPTURE_SETUP), true);
    for (PropertyPage* page : std::initializer_list<PropertyPage*>{&sendTo, &capture, &screen, &window, &region,
                                                                   &titleMenu, &freehand, &runningMode})
        sheet.AddPage(page);
    state.activePage = copy.capture.sendTo.setupPage;
    sheet.DoModal(owner, UINT(state.activePage));
    if (!state.confirmed) return false;

    ConfirmSendTo(copy.capture.sendTo);
    copy.capture.sendTo.setupPage = state.activePage;
    values = copy;
    return true;
}
