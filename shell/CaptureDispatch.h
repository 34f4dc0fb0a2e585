// The main frame's receiving end of the capture triggers: key releases
// from the keyboard hook (WM_USER+3), trigger codes (WM_USER+1) from the
// hooks, the timer and the frame itself, the 100 ms timer steps, and the
// progress meter (WM_USER+2). XMainFrame unpacks the messages and calls
// these; all run on the user-interface thread and return nothing (the
// messages' results are 0). The meter is drawn in pane 0 of g_hStatusBar.
#pragma once

#include <windows.h>

void OnTriggerMessage(WPARAM code, LPARAM cursor);    // WM_USER+1
void OnProgressMessage(WPARAM index, LPARAM total);   // WM_USER+2
void OnHotKeyMessage(WPARAM report, LPARAM cursor);   // WM_USER+3
void OnMainTimer();                                   // timer 1, every 100 ms

// The main frame's status bar (set by the frame while it exists).
extern HWND g_hStatusBar;


// The last mouse-button report of the hook library (code 14): the pointer
// position in screen coordinates and whether it was the right button.
extern POINT g_ptLastButton;
extern BOOL g_bLastButtonRight;
// From a snapshot-button press (code 13) to its release (code 12).
extern BOOL g_bSnapshotPressed;
