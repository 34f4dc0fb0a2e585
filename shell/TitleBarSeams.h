// Calls into the title-bar clock and snapshot buttons. The dispatcher, the
// timer and the settings store call these at the points where the
// decorations must be drawn, removed or rebuilt. Until the decorations
// exist the bodies in TitleBarSeams_win.cpp draw nothing and no snapshot
// button is ever pressed; the code that draws them replaces that file.
#pragma once

class AppSettings;

// Takes the clock and snapshot strip off the title bar before a capture.
void PrepareTitleBar();
// Timer steps: paint the strip (and pass its rectangle to the hook
// library) and the clock on the foreground window's title bar.
void UpdateSnapshotButtons(const AppSettings& settings);
void DrawTitleClock(const AppSettings& settings);
// Code 13: finds the pressed button under the pointer and shows it down.
void ShowPressedSnapshotButton();
// Code 12: the capture code of the button last pressed (0 for none).
int PressedSnapshotCode();
// Rebuilds the button images and the strip after the settings changed.
void BuildSnapshotButtons(const AppSettings& settings);
// Deletes the button images at exit.
void DeleteSnapshotButtons();
