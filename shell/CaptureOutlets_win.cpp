// The shell's side of the capture pipeline: the Save As prompt and printing
// it hands down with every capture (CaptureOutlets).
#include "CaptureDispatch.h"
#include "SaveCaptureAs_win.h"

namespace {

const CaptureOutlets g_outlets = {
    SaveCaptureAs,
    nullptr,  // printing
};

}  // namespace

CaptureSettings ShellCaptureSettings(Options& options) { return CaptureSettingsOf(options, &g_outlets); }
