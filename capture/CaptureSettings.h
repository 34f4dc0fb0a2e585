// The options a capture works with, as the shell hands them down for each
// trigger: what the Capture Setup sheet, Mode, Frame and BlackWhite say,
// read only; and the Send To File name, folder and format, which the
// pipeline renumbers and a Save As prompt replaces. The references point
// into the application's live options.
#pragma once

#include "../settings/Options.h"

#include <functional>

class XImage;

// What the pipeline asks of the layers beside it, handed down by the shell:
// the Save As prompt and printing. An empty function does nothing (Save As
// then writes no file).
struct CaptureOutlets {
    // Prompt Filename: the Save As dialog on image, starting from and keeping
    // the Send To File name, folder and format. True when a file was written
    // and the image's title holds its path; false when cancelled or failed
    // (after reporting it).
    std::function<bool(XImage& image, FileOptions& files, FormatOptions& format)> saveAs;
    // Printer destination: prints image, with the print dialog when asked.
    std::function<void(XImage& image, bool withPrintDialog)> print;
};

struct CaptureSettings {
    const CaptureOptions& options;
    const ModeOptions& mode;             // the running mode: how the main frame comes forward
    const FrameOptions& frame;           // Add Frame and Mat
    const BlackWhiteOptions& blackWhite; // the Black & White colour option
    FileOptions& files;                  // FileNameDirect, PathNameDirect
    FormatOptions& format;               // the Send To File format
    const CaptureOutlets* outlets;       // null: no Save As prompt, no printing
};

// The capture settings of options.
inline CaptureSettings CaptureSettingsOf(Options& options, const CaptureOutlets* outlets = nullptr)
{
    return CaptureSettings{options.capture, options.mode,  options.frame, options.blackWhite,
                           options.files,   options.format, outlets};
}
