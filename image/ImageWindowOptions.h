// The options the image windows use: Session (the top-image border, the
// selection inversion and the two backgrounds the View menu picks), the
// display margins of SendtoPage, the Save As folder and filter index, and
// the Frame and BlackWhite values the Tool menu's dialogs set.
// The framework makes documents and views, so the application object hands
// its live options over once at start-up; until then they are defaults.
#pragma once

#include "../settings/OptionTable.h"
#include "../settings/Options.h"

#include <functional>

struct ImageWindowOptions {
    SessionOptions& session;
    const SendToOptions& sendTo;  // marginX, marginY
    FileOptions& files;           // PathNameSave
    FormatOptions& format;        // the Save As filter index
    FrameOptions& frame;
    BlackWhiteOptions& blackWhite;
    // Writes the keys of one occasion to the settings file; empty before
    // the hand-over (nothing is written then).
    std::function<void(KeyGroup)> write;
};

// Hands the application's options to the image windows.
void UseImageWindowOptions(const ImageWindowOptions& options);
// The options handed over, or the defaults before that.
const ImageWindowOptions& ImageOptions();
