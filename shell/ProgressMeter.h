// The progress meter in pane 0 of the main frame's status bar. At start-up
// the application routes the progress of long work (codecs, image
// operations) to the main frame as kMsgProgress (step, steps); the frame
// hands each report here with its status bar. The work runs on the
// user-interface thread, so the report is sent, the handler runs at once
// and draws straight onto the status bar: no WM_PAINT arrives before the
// work ends. The arithmetic is in Meter.h.
#pragma once

#include <windows.h>

// Routes ReportProgress to the main window as kMsgProgress.
void InstallProgressMeter();

// kMsgProgress: index of the step just done (from 0) and the step count.
// Draws the meter when the whole-number percentage changed; at 100 % the
// status bar is repainted so that its text returns.
void OnProgressMessage(HWND statusBar, WPARAM index, LPARAM total);

// At idle, when the work is over: a meter that never reached 100 % (the
// work stopped early, on an error) is removed and the next work starts
// from 0 %.
void EndProgressMeter(HWND statusBar);
