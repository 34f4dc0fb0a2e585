// The options a capture works with, as the shell hands them down for each
// trigger: what the Capture Setup sheet, Mode, Frame and BlackWhite say,
// read only; and the Send To File name, folder and format, which the
// pipeline renumbers and a Save As prompt replaces. The references point
// into the application's live options.
#pragma once

#include "../settings/Options.h"

struct CaptureSettings {
    const CaptureOptions& options;
    const ModeOptions& mode;             // the running mode: how the main frame comes forward
    const FrameOptions& frame;           // Add Frame and Mat
    const BlackWhiteOptions& blackWhite; // the Black & White colour option
    FileOptions& files;                  // FileNameDirect, PathNameDirect
    FormatOptions& format;               // the Send To File format
};

// The capture settings of options.
inline CaptureSettings CaptureSettingsOf(Options& options)
{
    return CaptureSettings{options.capture, options.mode,  options.frame,
                           options.blackWhite, options.files, options.format};
}
