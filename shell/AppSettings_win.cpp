// The program's settings file in the Windows directory and the full load
// with the display facts and the hook library's copies of the HotButton
// codes and snapshot rectangle.
#include "AppSettings.h"

#include "TitleBarSeams.h"

#include "../capture/CaptureState.h"
#include "../framework/WinApp.h"
#include "../hook/kesthook.h"
#include "../resources/resource.h"

#include <windows.h>

namespace {

const char kFileName[] = "KESTREL.INI";

// The section is the application title, at most 11 characters.
std::string SectionName()
{
    char title[12] = {};
    if (!LoadStringA(WinApp::Instance(), IDS_APP_TITLE, title, sizeof title)) return "Kestrel";
    return title;
}

void PassEmptySnapRect()
{
    const RECT empty = {0, 0, 0, 0};
    PassSnapRect(&empty);
}

}  // namespace

void AppSettings::OpenFile()
{
    m_pFile.reset(new IniProfile(WindowsDirectoryFile(kFileName), SectionName()));
    m_pProfile = m_pFile.get();
}

std::string AppSettings::FilePath() const
{
    return m_pFile ? m_pFile->Path() : WindowsDirectoryFile(kFileName);
}

void AppSettings::FlushFile()
{
    if (m_pFile) m_pFile->Flush();
}

SystemDefaults AppSettings::System() const
{
    SystemDefaults system;
    system.screenWidth = display.screenWidth;
    system.screenHeight = display.screenHeight;
    system.buttonFace = GetSysColor(COLOR_BTNFACE);
    system.programFolder = ProgramFolder();
    return system;
}

void AppSettings::ReadAll()
{
    g_bCaptureInProgress = FALSE;
    g_bCaptureBusy = FALSE;
    display = ReadDisplayFacts();
    ReadAllKeys(Profile(), options, System());

    int codes[5];
    HotButtonCodesForHook(options.hotButton, codes);
    PassButtonShotDef(codes[0], codes[1], codes[2], codes[3], codes[4]);
    PassEmptySnapRect();
    BuildSnapshotButtons(*this);
}

void AppSettings::ReadSnapshot()
{
    PassEmptySnapRect();
    ReadSnapshotKeys(Profile(), options, System());
    BuildSnapshotButtons(*this);
}
