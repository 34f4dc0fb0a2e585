// Printing one image on the current printer: the document, the copy
// count, the colour table for Grayscale or Black & White, the tiles column
// by column in strips of at most 65535 bytes, header, footer and notes on
// a one-page print, the progress dialog, and the message for a failed
// end of document. The image is only read.
#pragma once

#include "../settings/Options.h"

#include <string>

class XImage;

struct PrintJobInput {
    const XImage& image;
    const std::string& note;  // notes text printed with the image
    const Options& options;   // print options, texts, fonts, date/time, Black & White
    int imageNumber = 0;      // Print All: this image's place (1-based) ...
    int imageCount = 0;       // ... among imageCount; 0 for a single print
};

enum class PrintJobEnd { kDone, kCancelled, kFailed };

// Prints on the current printer (EnsurePrinter first). Failures are shown
// here; Cancel aborts the document without a message.
PrintJobEnd PrintImage(const PrintJobInput& input);
