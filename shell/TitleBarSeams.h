// Calls into the title-bar clock and snapshot buttons. The dispatcher, the
// timer, the settings store and the Snapshot Buttons dialog call these at
// the points where the decorations must be drawn, removed or rebuilt
// (TitleBar_win.h does the work). The dispatcher's tests link stand-ins.
#pragma once

#include <windows.h>

class AppSettings;

// Takes the clock and snapshot strip off the title bar before a capture
// (those whose Hide in Capture is on; the settings last built from).
void PrepareTitleBar();
// Timer steps: paint the strip (and pass its rectangle to the hook
// library) and the clock on the foreground window's title bar.
void UpdateSnapshotButtons(const AppSettings& settings);
void DrawTitleClock(const AppSettings& settings);
// Code 13: finds the pressed button under the pointer and shows it down.
void ShowPressedSnapshotButton();
// The snapshot strip's place on the screen as last passed to the hook
// library; empty when no strip is drawn.
RECT SnapshotStripRect();
// Code 12: the capture code of the button last pressed (0 for none).
int PressedSnapshotCode();
// Rebuilds the button images and the strip after the settings changed.
void BuildSnapshotButtons(const AppSettings& settings);
// Deletes the button images at exit.
void DeleteSnapshotButtons();
// The up image of a button (0 Screen .. 4 Button), null when not built.
HBITMAP SnapshotButtonImage(int button);
