// The shell's side of the capture pipeline: the Save As prompt and printing
// it hands down with every capture (CaptureOutlets).
#include "CaptureDispatch.h"

namespace {

const CaptureOutlets g_outlets = {
    nullptr,  // Save As prompt
    nullptr,  // printing
};

}  // namespace

CaptureSettings ShellCaptureSettings(Options& options) { return CaptureSettingsOf(options, &g_outlets); }
