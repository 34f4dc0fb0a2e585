// PNG's per-row filters (ISO/IEC 15948, 9): None, Sub, Up, Average and
// Paeth, each predicting a byte from the one bytesPerPixel to the left
// (a), the one above (b) and the one above-left (c); bytes left of the row
// and the row above the first count as zero.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>

// Undoes filter type on row in place; previous is the row above already
// unfiltered, or null for the first row of a pass. False for a type above 4.
bool UnfilterPngRow(int type, BYTE* row, const BYTE* previous, size_t length, size_t bytesPerPixel);

// 24-bit rows between the image's blue-green-red order and PNG's
// red-green-blue: out = in with red and blue swapped, minus above (the row
// above, in the image's order, for the Up filter) when above is not null.
// out is a row of its own, never in or above.
void SwapRedBlueRow(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes);
