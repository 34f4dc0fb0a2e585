// The application object: single instance, start-up in its fixed order
// (settings, logo box, template, main frame, hooks, running mode), exit in
// reverse, and the commands that need no image window: New, Open, help and
// About.
#pragma once

#include "../framework/Dialog.h"
#include "../framework/WinApp.h"
#include "../resources/resource.h"
#include "AppSettings.h"

class XApp : public WinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

    // The settings section: the application title, at most 11 characters.
    char m_szSection[12] = {};

protected:
    bool OnAppCmdMsg(UINT id, CmdUI* ui) override;

private:
    // False when another copy runs (it has been brought forward).
    bool ClaimSingleInstance();
    void ShowLogoBox();
    void WaitAndCloseLogoBox();
    void ShowMainWindow();

    void OnFileNew(UINT id);
    void OnFileOpen(UINT id);
    void OnPrintSetup(UINT id);
    void OnHelpContents(UINT id);
    void OnHelpHowToUse(UINT id);
    void OnAppAbout(UINT id);
    void OnMasterReset(UINT id);
    void OnLoadSettings(UINT id);
    void OnSaveSettings(UINT id);
    void OnCaptureSetup(UINT id);
    void OnHotKeySetup(UINT id);
    void OnHotButtonSetup(UINT id);

    // The live options and the settings file, for the life of the program.
    AppSettings m_settings;
    HANDLE m_hMutex = nullptr;
    Dialog m_splash{IDD_SPLASH};
    bool m_bSplashShown = false;
    DWORD m_dwStartTime = 0;
    // What start-up got to, so that exit undoes only that.
    bool m_bSettingsRead = false;
    bool m_bHooksInstalled = false;
};
