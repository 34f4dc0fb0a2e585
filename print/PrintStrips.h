// Division of a page's tile into strips of at most 65535 bytes of pixel
// data, the size that 16-bit printer drivers accept in one transfer, and
// the copy of one strip out of the image's pixel block.
//
// The Win32 side feeds: the tile from TileOfPage, the image's bit count,
// its pixel block (bottom-up rows padded to 4 bytes) and size. It then
// stretches each strip to (x + (tile-relative left) × scaling,
// y + (tile-relative top) × scaling) at (width × scaling, height × scaling)
// with the image header's width and height set to the strip's.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

const int64_t kMaxStripBytes = 65535;

// One strip, in pixels relative to the tile's top-left corner.
struct PrintStrip {
    int64_t left, top;
    int64_t width, height;
};

// A tile of width × height pixels is cut into `columns` vertical strips
// of nominal width stripWidth = width / columns + 1 (the whole width when
// columns is 1). Each strip after the first starts one column earlier and
// is one column wider, so neighbours overlap by a column; the last is
// clipped at the tile's edge. columns is the smallest count for which every
// strip, the widened ones included, holds at most 65535 bytes. A strip two
// pixels wide takes up to 8 bytes a row, so a tile taller than 8191 rows is
// first cut into bands of at most 8191 rows, top to bottom, and each band
// into the same columns.
struct StripPlan {
    int64_t tileWidth, tileHeight;
    int64_t columns;     // strips across
    int64_t stripWidth;  // nominal width of a strip when columns > 1
    int64_t bandRows;    // rows of every band but possibly the last
    int64_t bands;
    int64_t count;       // columns × bands strips in all
};

StripPlan PlanStrips(int64_t tileWidth, int64_t tileHeight, int bitsPerPixel);

// Strip index (zero-based): bands top to bottom, left to right within one.
PrintStrip StripAt(const StripPlan& plan, int64_t index);

// Bytes of one DIB row of width pixels at bitsPerPixel, padded to 4 bytes.
int64_t StripRowBytes(int64_t width, int bitsPerPixel);

// Copies the pixels of image rectangle (left, top, width, height), counted
// from the image's top-left corner, out of a bottom-up pixel block into out
// as a bottom-up DIB of width × height (rows padded to 4 bytes), shifting
// sub-byte pixels so that the rectangle's first column starts the row.
// False, with out left empty, when the rectangle leaves the image or the
// block is too small for the image.
bool CopyStripPixels(const BYTE* bits, size_t bitsSize, int64_t imageWidth, int64_t imageHeight, int bitsPerPixel,
                     const PrintStrip& rect, std::vector<BYTE>& out);
