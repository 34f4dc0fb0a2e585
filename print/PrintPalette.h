// The colour table a palette image is printed with in Grayscale and
// Black & White mode. The image itself is never changed: the job selects a
// palette made from this table for the print and puts the image's own
// palette back afterwards.
//
// The Win32 side feeds: the image's colour table (from its header block)
// and bit count, the stored colour option (0 Color, 1 Grayscale, 2 Black &
// White), and for Black & White the 16 standard colours with the stored
// black-or-white choice of each (key BlackWhite).
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <optional>
#include <vector>

struct BlackWhiteReference {
    RGBQUAD colors[16];  // the reference colours, searched for the nearest
    bool white[16];      // true: that colour prints white, false: black
};

// The table to print with, or nothing when the image prints with its own
// colours: in Color mode, for 24-bit images (no table) and for 1-bit
// images. Grayscale sets each entry to its gray level, lightened for paper
// (levels 1-127 gain 58, 128-217 gain 38; 0 and 218-255 stay); Black &
// White sets each entry to black or white by the choice of its nearest
// reference colour (least squared RGB distance, the first on a tie).
std::optional<std::vector<RGBQUAD>> PrintColorTable(const RGBQUAD* table, size_t count, int bitsPerPixel, int colorMode,
                                                    const BlackWhiteReference& reference);
