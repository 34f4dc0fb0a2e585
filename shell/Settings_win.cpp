// The settings store in the program: the settings file in the Windows
// directory, the full load with the display facts and the hook library's
// copies of the HotButton codes and snapshot rectangle, and the
// registration of the program's window classes with the cover window.
#include "Settings.h"

#include "SettingsIni_win.h"
#include "TitleBarSeams.h"

#include "../capture/CaptureState.h"
#include "../capture/CoverWindow.h"
#include "../framework/WinApp.h"
#include "../hook/kesthook.h"
#include "../resources/resource.h"

#include <windows.h>

#include <memory>

std::string g_strFullViewClass;

namespace {

std::unique_ptr<IniProfile> g_pSettingsFile;

// The section is the application title, at most 11 characters.
std::string SectionName()
{
    char title[12] = {};
    if (!LoadStringA(WinApp::Instance(), IDS_APP_TITLE, title, sizeof title)) return "Kestrel";
    return title;
}

void ReadDisplayFacts()
{
    g_nWinVersion = int(LOWORD(GetVersion()));
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (screen) {
        g_nScreenWidth = GetDeviceCaps(screen, HORZRES);
        g_nScreenHeight = GetDeviceCaps(screen, VERTRES);
        g_nDisplayDepth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
        DeleteDC(screen);
    }
    const int depth = g_nDisplayDepth < 0 ? 0 : g_nDisplayDepth > 62 ? 62 : g_nDisplayDepth;
    g_nColorCount = int64_t(1) << depth;
    g_nCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    g_nTitleFontHeight = g_nCaptionHeight > 20 ? 19 : 16;
}

void SetSnapshotButtonSize()
{
    g_nSnapButtonWidth = g_nCaptionHeight - 4;
    g_nSnapButtonHeight = g_nCaptionHeight - 6;
}

void PassEmptySnapRect()
{
    const RECT empty = {0, 0, 0, 0};
    PassSnapRect(&empty);
}

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterPlainClass(const char* name, UINT style, HBRUSH background)
{
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = WinApp::Instance();
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

void InitSettingsFile()
{
    g_pSettingsFile.reset(new IniProfile(WindowsDirectoryFile("KESTREL.INI"), SectionName()));
    SetSettingsProfile(g_pSettingsFile.get());
}

std::string SettingsFilePath()
{
    return g_pSettingsFile ? g_pSettingsFile->Path() : WindowsDirectoryFile("KESTREL.INI");
}

void FlushSettingsFile()
{
    if (g_pSettingsFile) g_pSettingsFile->Flush();
}

void ReadAllSettings()
{
    g_bCaptureInProgress = FALSE;
    g_bCaptureBusy = FALSE;
    ReadDisplayFacts();

    SystemDefaults system;
    system.screenWidth = g_nScreenWidth;
    system.screenHeight = g_nScreenHeight;
    system.buttonFace = GetSysColor(COLOR_BTNFACE);
    system.programFolder = ProgramFolder();
    ReadAllKeys(system);

    int codes[5];
    HotButtonCodesForHook(codes);
    PassButtonShotDef(codes[0], codes[1], codes[2], codes[3], codes[4]);
    PassEmptySnapRect();
    SetSnapshotButtonSize();
    BuildSnapshotButtons();
}

void ReadSnapshotSettings()
{
    PassEmptySnapRect();
    SetSnapshotButtonSize();
    ReadSnapshotKeys(GetSysColor(COLOR_BTNFACE));
    BuildSnapshotButtons();
}

bool RegisterWindowClasses()
{
    // The full-screen view's class: global, no cursor, background or icon.
    g_strFullViewClass = "Kestrel:FullView";
    if (!RegisterPlainClass(g_strFullViewClass.c_str(), CS_GLOBALCLASS, nullptr)) return false;

    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (const char* name : {"PrnClass", "BWClass", "KeyClass", "MeterClass", "PLClass"})
        if (!RegisterPlainClass(name, 0, white)) return false;

    if (!RegisterCoverWindowClass(WinApp::Instance())) return false;
    return CreateCoverWindow(WinApp::Instance());
}
