// The decoder's fixed-point 8x8 inverse DCT.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// Transforms a block of dequantised coefficients (natural order, row =
// vertical frequency) into 8x8 samples at out (rows stride bytes apart).
// The block is used as scratch and left undefined.
void JpegInverseDct(int16_t block[64], BYTE* out, ptrdiff_t stride);
// The same transform in plain scalar code; JpegInverseDct uses SSE2 for its
// second pass where the compiler targets it, with identical results.
void JpegInverseDctPortable(int16_t block[64], BYTE* out, ptrdiff_t stride);

// Fast path for a block whose only non-zero coefficient is the DC value:
// every sample equals the one the full transform gives.
void JpegInverseDctDcOnly(int16_t dc, BYTE* out, ptrdiff_t stride);
