// Application object: start-up and exit, each in the order its parts depend
// on, and the application's commands.
#include "XApp.h"

#include "../framework/DocTemplate.h"
#include "../framework/GlobalBlock.h"
#include "../framework/Document.h"
#include "../framework/WinApp.h"
#include "../framework/Window.h"
#include "../hook/kesthook.h"
#include "../framework/Progress.h"
#include "../image/XDocument.h"
#include "../resources/resource.h"
#include "OptionCommands.h"
#include "ProgressMeter.h"
#include "SettingsCommands.h"
#include "XAbout.h"
#include "TitleBarSeams.h"
#include "XMDIChildWnd.h"
#include "WindowClasses.h"
#include "XMainFrame.h"

#include "../capture/CaptureState.h"
#include "../capture/CoverWindow.h"
#include "../dialogs/XDialogFile4.h"
#include "../image/ImageWindowOptions.h"
#include "../print/CurrentPrinter.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

namespace {
const char kMutexName[] = "PreventSecondInstance";
const DWORD kLogoBoxMilliseconds = 3000;
const int kRecentFiles = 4;
}

bool XApp::ClaimSingleInstance()
{
    m_hMutex = CreateMutexA(nullptr, TRUE, kMutexName);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    // The running copy's main frame has exactly the application title
    // while no image window's title is added to it.
    std::string title = LoadResourceString(IDS_APP_TITLE);
    if (HWND running = FindWindowA(nullptr, title.c_str())) {
        BringWindowToTop(running);
        ShowWindow(running, SW_SHOWNORMAL);
    }
    return false;
}

void XApp::ShowLogoBox()
{
    m_dwStartTime = GetTickCount();
    if (!m_settings.options.mode.displayLogo) return;
    m_bSplashShown = m_splash.CreateModeless(nullptr);
    // No message is read before start-up ends, so the box paints now.
    if (m_bSplashShown)
        RedrawWindow(m_splash.m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void XApp::WaitAndCloseLogoBox()
{
    if (!m_bSplashShown) return;
    // More than 3000 ms since the box was shown; the unsigned difference survives the
    // tick count's wrap-around.
    while (GetTickCount() - m_dwStartTime <= kLogoBoxMilliseconds) Sleep(10);
    m_splash.DestroyWindow();
    m_bSplashShown = false;
}

void XApp::ShowMainWindow()
{
    const ModeOptions& mode = m_settings.options.mode;
    if (mode.runningMode != 1) return;
    ShowWindow(m_pMainWnd->m_hWnd, mode.runMinimized ? SW_MINIMIZE : m_nCmdShow);
    UpdateWindow(m_pMainWnd->m_hWnd);
}

bool XApp::InitInstance()
{
    // One copy only.
    if (!ClaimSingleInstance()) return false;
    // Module handle (set by WinMain), common controls, section name.
    InitCommonControls();
    LoadStringA(WinApp::Instance(), IDS_APP_TITLE, m_szSection, sizeof m_szSection);
    // Help file beside the program; the settings file.
    const std::string folder = ProgramFolder();
    m_strHelpPath = folder.empty() ? "KESTREL.HLP" : folder + "\\KESTREL.HLP";
    m_settings.OpenFile();
    // The four-entry recent-file list.
    LoadStdProfileSettings(kRecentFiles);
    // Mode, Session and Menu.
    m_settings.ReadStartupKeys();
    m_bSettingsRead = true;
    // Start time and the logo box.
    ShowLogoBox();
    // The document template of the image windows, whose documents and
    // views use the live options.
    Options& options = m_settings.options;
    UseImageWindowOptions(ImageWindowOptions{options.session, options.capture.sendTo, options.files, options.format,
                                             options.frame, options.blackWhite,
                                             [this](KeyGroup group) { m_settings.Write(group); }});
    m_pDocTemplate.reset(new DocTemplate(IDR_IMAGETYPE, &XDocument::CreateObject, &XMDIChildWnd::CreateObject));
    // The main frame.
    std::unique_ptr<XMainFrame> frame(new XMainFrame(m_settings));
    std::string title = LoadResourceString(IDS_APP_TITLE);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, title.c_str())) {
        m_splash.DestroyWindow();
        return false;
    }
    // The main window accepts dropped files.
    m_pMainWnd = std::move(frame);
    WinApp::SetMainWnd(m_pMainWnd->m_hWnd);
    DragAcceptFiles(WinApp::MainWnd(), TRUE);
    // Long reads, writes and image operations draw the status bar's meter.
    InstallProgressMeter();
    // All other settings (also the hook library's HotButtons).
    m_settings.ReadAll();
    // Window classes and the cover window.
    RegisterWindowClasses();
    // The hook library.
    InstallHooks(1);
    PassKestrelWnd(WinApp::MainWnd());
    m_bHooksInstalled = true;
    // The logo box stays more than 3000 ms.
    WaitAndCloseLogoBox();
    // Shown in foreground mode, hidden in background mode.
    ShowMainWindow();
    // The name stays taken while the handle is open.
    if (m_hMutex) ReleaseMutex(m_hMutex);
    ResetPrinterState();
    return true;
}

int XApp::ExitInstance()
{
    // Hooks, snapshot bitmaps, cover window. A copy that ended at the
    // single-instance check must not unhook the running copy's hooks.
    if (m_bHooksInstalled) {
        InstallHooks(0);
        DeleteSnapshotButtons();
        DestroyCoverWindow();
        m_bHooksInstalled = false;
    }
    // The keys written only at exit, by a copy that read them.
    if (m_bSettingsRead) m_settings.Write(KeyGroup::kExit);
    m_pMainWnd.reset();
    WinApp::SetMainWnd(nullptr);
    m_pDocTemplate.reset();
    // The framework saves the recent-file list.
    return m_bSettingsRead ? WinApp::ExitInstance() : 0;
}

bool XApp::OnAppCmdMsg(UINT id, CmdUI* ui)
{
    static const CommandEntry<XApp> table[] = {
        {ID_FILE_NEW, ID_FILE_NEW, &XApp::OnFileNew, nullptr},
        {ID_FILE_OPEN, ID_FILE_OPEN, &XApp::OnFileOpen, nullptr},
        {ID_FILE_PRINT_SETUP, ID_FILE_PRINT_SETUP, &XApp::OnPrintSetup, nullptr},
        {ID_HELP_CONTENTS, ID_HELP_CONTENTS, &XApp::OnHelpContents, nullptr},
        {ID_HELP_HOW_TO_USE, ID_HELP_HOW_TO_USE, &XApp::OnHelpHowToUse, nullptr},
        {ID_APP_ABOUT, ID_APP_ABOUT, &XApp::OnAppAbout, nullptr},
        {ID_OPTIONS_MASTER_RESET, ID_OPTIONS_MASTER_RESET, &XApp::OnMasterReset, nullptr},
        {ID_OPTIONS_LOAD_SETTINGS, ID_OPTIONS_LOAD_SETTINGS, &XApp::OnLoadSettings, nullptr},
        {ID_OPTIONS_SAVE_SETTINGS, ID_OPTIONS_SAVE_SETTINGS, &XApp::OnSaveSettings, nullptr},
        {ID_OPTIONS_CAPTURE_SETUP, ID_OPTIONS_CAPTURE_SETUP, &XApp::OnCaptureSetup, nullptr},
        {ID_OPTIONS_HOTKEY, ID_OPTIONS_HOTKEY, &XApp::OnHotKeySetup, nullptr},
        {ID_OPTIONS_HOTBUTTON, ID_OPTIONS_HOTBUTTON, &XApp::OnHotButtonSetup, nullptr},
    };
    return DispatchCommand(this, table, id, ui);
}

void XApp::OnFileNew(UINT) { OpenDocumentFile(nullptr); }

void XApp::OnFileOpen(UINT)
{
    // Capture triggers are ignored while the dialog is up.
    g_bPrinting = TRUE;
    OpenChoice choice;
    const bool ok = OpenImageDialog(WinApp::MainWnd(), m_settings.options.files, m_settings.options.format, &choice);
    g_bPrinting = FALSE;
    if (!ok || !m_pDocTemplate || !m_pMainWnd) return;
    UpdateWindow(WinApp::MainWnd());
    // The image the preview read from this very file goes with its path;
    // one the window does not take goes with the choice.
    auto open = [&choice](Document& document) {
        auto* imageDocument = dynamic_cast<XDocument*>(&document);
        return imageDocument && imageDocument->OpenImageFile(choice.path, std::move(choice.preview));
    };
    Document* document = m_pDocTemplate->OpenDocumentWith(m_pMainWnd.get(), open, choice.path.c_str());
    auto* imageDocument = dynamic_cast<XDocument*>(document);
    if (imageDocument && imageDocument->GetImage(0)) imageDocument->SetTitle(imageDocument->GetImage(0)->m_strTitle);
}

void XApp::OnMasterReset(UINT) { RunMasterReset(m_settings); }

void XApp::OnLoadSettings(UINT) { RunLoadSettings(m_settings); }

void XApp::OnSaveSettings(UINT) { RunSaveSettings(m_settings); }

void XApp::OnCaptureSetup(UINT)
{
    if (auto* frame = dynamic_cast<XMainFrame*>(m_pMainWnd.get())) RunCaptureSetup(m_settings, *frame);
}

void XApp::OnHotKeySetup(UINT) { RunHotKeySetup(m_settings); }

void XApp::OnHotButtonSetup(UINT) { RunHotButtonSetup(m_settings); }

void XApp::OnPrintSetup(UINT)
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WinApp::MainWnd();
    dialog.Flags = PD_PRINTSETUP;
    BOOL ok = PrintDlgA(&dialog);
    // The dialog's blocks are ours to free whatever it returned.
    OwnedBlock devMode(dialog.hDevMode), devNames(dialog.hDevNames);
    if (!ok || !devNames) return;
    LockedBlock<char> names(devNames.get());
    if (!names) return;
    // DEVNAMES: offsets of three NUL-terminated names inside the block.
    size_t size = GlobalSize(devNames.get());
    auto name = [&](WORD offset) {
        if (offset >= size) return std::string();
        const char* text = names.get() + offset;
        return std::string(text, strnlen(text, size - offset));
    };
    const auto* offsets = reinterpret_cast<const DEVNAMES*>(names.get());
    std::string device = name(offsets->wDeviceOffset);
    std::string driver = name(offsets->wDriverOffset);
    std::string port = name(offsets->wOutputOffset);
    SetCurrentPrinter(device, driver, port);
    m_settings.options.printer.text = device + "," + driver + "," + port;
    m_settings.Write(KeyGroup::kPrinter);
}

void XApp::OnHelpContents(UINT) { WinHelp(0, HELP_CONTENTS); }

void XApp::OnHelpHowToUse(UINT) { WinHelp(0, HELP_HELPONHELP); }

void XApp::OnAppAbout(UINT)
{
    XAboutDialog about;
    about.DoModal(WinApp::MainWnd());
}
