// The main frame's receiving end of the capture triggers: key releases
// from the keyboard hook (kMsgKeyRelease), trigger codes (kMsgTrigger)
// from the hooks, the timer and the frame itself, and the 100 ms timer
// steps. XMainFrame unpacks the messages and calls these; all run on the
// user-interface thread and return nothing (the messages' results are 0).
// The settings are the application's; the dispatch hands the capture
// engine the options it works with.
#pragma once

#include "../capture/CaptureRequest.h"
#include "../capture/CaptureSettings.h"

#include <windows.h>

class AppSettings;

void OnTriggerMessage(AppSettings& settings, WPARAM code, LPARAM cursor);  // kMsgTrigger
void OnHotKeyMessage(const AppSettings& settings, WPARAM report, LPARAM cursor);  // kMsgKeyRelease
void OnMainTimer(const AppSettings& settings);  // timer 1, every 100 ms

// The request the latest trigger built: its mode, the foreground window
// when it arrived and the last cursor a trigger carried (the rectangle is
// empty). An armed selection runs on it at the mouse-down, since every
// trigger but a button report abandons the armed state first.
const CaptureRequest& CurrentCaptureRequest();

// The capture settings of options with the shell's Save As prompt and
// printing.
CaptureSettings ShellCaptureSettings(Options& options);


// The last mouse-button report of the hook library (code 14): the pointer
// position in screen coordinates and whether it was the right button.
extern POINT g_ptLastButton;
extern BOOL g_bLastButtonRight;
// From a snapshot-button press (code 13) to its release (code 12).
extern BOOL g_bSnapshotPressed;
