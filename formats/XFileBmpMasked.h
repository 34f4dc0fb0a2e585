// 16- and 32-bit DIB pixels: each pixel is a little-endian word whose
// colour channels are picked out by bit masks (the BI_BITFIELDS masks, or
// the fixed 5-5-5 and 8-8-8 layouts of BI_RGB). They become 24-bit pixels;
// an alpha channel is blended onto white.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

struct BmpMasks {
    uint32_t red, green, blue, alpha;  // alpha 0: none
};

// The BI_RGB layout of a bit count of 16 or 32.
BmpMasks DefaultBmpMasks(int bitCount);

// Converts the rows held in data (size bytes, rows of the file's stride,
// in file order) into the zero-filled bottom-up 24-bit block bits. Rows the
// data lacks stay zero. An alpha channel that is zero in every pixel is
// taken as unused (writers leave it so), not as a fully transparent image.
void DecodeMaskedRows(const BYTE* data, size_t size, int bitCount, const BmpMasks& masks, BYTE* bits,
                      int32_t width, int32_t height, size_t stride, bool topDown);
