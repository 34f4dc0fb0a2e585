#include "DispatchStandIns.h"

#include "capture/CaptureCore.h"
#include "capture/CaptureState.h"
#include "image/XImage.h"
#include "shell/CaptureDispatchSeams.h"
#include "shell/Settings.h"
#include "shell/TitleBarSeams.h"

#include <algorithm>

std::vector<std::string> g_calls;
int g_nPressedSnapshotCode = 0;

int CallCount(const std::string& name)
{
    return int(std::count(g_calls.begin(), g_calls.end(), name));
}

XImage* g_pPendingImage = nullptr;

void CaptureScreen() { g_calls.push_back("CaptureScreen"); }
void FinishCapture() { g_calls.push_back("FinishCapture"); }
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
void HideAllWindows() { g_calls.push_back("HideAllWindows"); }

void CaptureActiveWindow() { g_calls.push_back("CaptureActiveWindow"); }
// The selection may record a menu window of its own; the dispatcher puts
// the stored value back afterwards.
void SelectTitleAndMenu()
{
    g_calls.push_back("SelectTitleAndMenu");
    g_nMenuWindow = 4242;
}

void PrepareTitleBar() { g_calls.push_back("PrepareTitleBar"); }
void UpdateSnapshotButtons() { g_calls.push_back("UpdateSnapshotButtons"); }
void DrawTitleClock() { g_calls.push_back("DrawTitleClock"); }
void ShowPressedSnapshotButton() { g_calls.push_back("ShowPressedSnapshotButton"); }
int PressedSnapshotCode() { return g_nPressedSnapshotCode; }
void BuildSnapshotButtons() {}
void DeleteSnapshotButtons() {}
