// The "Capture Setup" property sheet: eight pages over one working copy of
// the capture options and the running mode. The shell builds it with the
// live values and what the pages need to show and open, and on OK makes
// the working copy live.
#pragma once

#include "CaptureSetup.h"

#include <windows.h>

#include <functional>

// What the pages show and open besides the values they edit. An empty
// function leaves its button disabled (the dialog does not exist yet).
struct CaptureSetupContext {
    const HotKeyAssignment& hotKeys;       // the Capture Tools texts
    const HotButtonOptions& hotButton;
    RECT storedScreenArea;                 // what the flash Test shows
    int screenWidth, screenHeight;         // Full Screen and the spin limits
    // Set File: the save dialog in capture-naming mode over the copy's
    // file and format options; Set Print, Set Frame and Set Black & White
    // open their dialogs.
    std::function<void(FileOptions&, FormatOptions&)> setFile;
    std::function<void()> setPrint, setFrame, setBlackWhite;
};

// Runs the sheet modally on the page values.capture.sendTo.setupPage.
// True on OK: values then holds every page, with the Send To rules of OK
// applied and the active page as the start page of the next run.
bool RunCaptureSetupSheet(HWND owner, CaptureSetupValues& values, const CaptureSetupContext& context);
