#include "DispatchStandIns.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "shell/CaptureDispatchSeams.h"
#include "shell/TitleBarSeams.h"

#include <algorithm>

std::vector<std::string> g_calls;
int g_nPressedSnapshotCode = 0;

AppSettings& TestSettings()
{
    static AppSettings settings;
    return settings;
}

int CallCount(const std::string& name)
{
    return int(std::count(g_calls.begin(), g_calls.end(), name));
}


void CaptureScreen(const CaptureSettings&) { g_calls.push_back("CaptureScreen"); }
void FinishCapture(const CaptureSettings&) { g_calls.push_back("FinishCapture"); }
void ArmTracking()
{
    g_calls.push_back("ArmTracking");
    g_bTracking = TRUE;
}
void AbandonTracking()
{
    g_calls.push_back("AbandonTracking");
    g_bTracking = FALSE;
}
void HideAllWindows(const CapturePageOptions&) { g_calls.push_back("HideAllWindows"); }

void CaptureActiveWindow(const CaptureSettings&) { g_calls.push_back("CaptureActiveWindow"); }
// The selection may record a menu window of its own; the dispatcher puts
// the stored value back afterwards.
void SelectTitleAndMenu(const CaptureSettings&)
{
    g_calls.push_back("SelectTitleAndMenu");
    TestSettings().options.menu.window = 4242;
}

void PrepareTitleBar() { g_calls.push_back("PrepareTitleBar"); }
void UpdateSnapshotButtons(const AppSettings&) { g_calls.push_back("UpdateSnapshotButtons"); }
void DrawTitleClock(const AppSettings&) { g_calls.push_back("DrawTitleClock"); }
void ShowPressedSnapshotButton() { g_calls.push_back("ShowPressedSnapshotButton"); }
int PressedSnapshotCode() { return g_nPressedSnapshotCode; }
void BuildSnapshotButtons(const AppSettings&) {}
void DeleteSnapshotButtons() {}
