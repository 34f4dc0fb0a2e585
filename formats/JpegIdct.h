// The decoder's fixed-point 8x8 inverse DCT.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// Transforms a block of dequantised coefficients (natural order, row =
// vertical frequency) into 8x8 samples at out (rows stride bytes apart).
// The block is used as scratch and left undefined.
void JpegInverseDct(int16_t block[64], BYTE* out, ptrdiff_t stride);
// The same transform in plain scalar code; the vector paths give identical
// results.
void JpegInverseDctPortable(int16_t block[64], BYTE* out, ptrdiff_t stride);

// The transform on the fastest path ActiveSimdLevel allows, looked up once
// per image rather than once per block.
typedef void (*JpegInverseDctFunction)(int16_t block[64], BYTE* out, ptrdiff_t stride);
JpegInverseDctFunction ActiveJpegInverseDct();

// Fast path for a block whose only non-zero coefficient is the DC value:
// every sample equals the one the full transform gives.
void JpegInverseDctDcOnly(int16_t dc, BYTE* out, ptrdiff_t stride);
