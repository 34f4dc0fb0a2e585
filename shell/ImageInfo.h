// The nine values of the Image Info dialog, as texts, from the facts of
// the active document's first image. Portable; the dialog only puts the
// texts into its fields.
#pragma once

#include "ClockFormat.h"

#include <cstdint>
#include <string>

struct ImageFacts {
    std::string documentTitle;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    unsigned colorCount = 0;  // XImage::ColorCount()
    uint64_t bitsSize = 0;    // size of the pixel block in bytes
    uint32_t originId = 0;    // XImage::m_nOriginId; 0 for an unchanged original
    int64_t stamp = 0;        // XImage::m_tStamp, seconds since 1970
};

struct ImageInfoTexts {
    std::string filename;       // "Filename:"
    std::string width;          // "Width in Pixels:"
    std::string height;         // "Height in Pixels:"
    std::string bitsPerPixel;   // "Bits per Pixel:"
    std::string maximumColors;  // "Maximum Colors:"
    std::string memoryUsed;     // "Memory Used:"
    std::string lastChange;     // "Last Change:"
    std::string time;           // "Time:"
    std::string date;           // "Date:"
};

// Time and date are the stamp in local time in the clock's formats, both
// empty when the stamp cannot be converted.
ImageInfoTexts MakeImageInfoTexts(const ImageFacts& facts, const ClockFormat& format);
