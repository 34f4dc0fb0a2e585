// The title-bar calls of the dispatcher, the timer and the settings store,
// on the program's one title bar. Its bitmaps are built at every full
// load of the settings and deleted at exit.
#include "TitleBarSeams.h"

#include "TitleBar_win.h"

namespace {
TitleBar g_titleBar;
}

void PrepareTitleBar() { g_titleBar.PrepareForCapture(); }
void UpdateSnapshotButtons(const AppSettings& settings) { g_titleBar.UpdateButtons(settings); }
void DrawTitleClock(const AppSettings& settings) { g_titleBar.DrawClock(settings); }
void ShowPressedSnapshotButton() { g_titleBar.ShowPressedButton(); }
RECT SnapshotStripRect() { return g_titleBar.StripRect(); }
int PressedSnapshotCode() { return g_titleBar.PressedCode(); }
void BuildSnapshotButtons(const AppSettings& settings) { g_titleBar.Build(settings); }
void DeleteSnapshotButtons() { g_titleBar.Delete(); }
HBITMAP SnapshotButtonImage(int button) { return g_titleBar.ButtonImage(button); }
