// Capture routines the dispatcher starts that are not built yet. Each body
// in CaptureDispatchSeams_win.cpp ends the trigger quietly (no capture, the
// capture-in-progress flag cleared); the code that implements the capture
// kind replaces its body.
#pragma once

#include "../capture/CaptureSettings.h"

// Code 11 with Active Window: grabs the foreground window at once.
void CaptureActiveWindow(const CaptureSettings& settings);
// Code 4: searches the open menu and captures title bar and menu.
void SelectTitleAndMenu(const CaptureSettings& settings);
