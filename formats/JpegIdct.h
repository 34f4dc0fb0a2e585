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

// A block to transform and where its samples go.
struct JpegIdctJob {
    int16_t* block;
    BYTE* out;
    ptrdiff_t stride;
};

// Transforms jobs[0, count) on the fastest path ActiveSimdLevel allows
// (AVX2 takes two blocks at a time); looked up once per image.
typedef void (*JpegInverseDctBatch)(const JpegIdctJob* jobs, int count);
JpegInverseDctBatch ActiveJpegInverseDctBatch();

// Fast path for a block whose only non-zero coefficient is the DC value:
// every sample equals the one the full transform gives.
void JpegInverseDctDcOnly(int16_t dc, BYTE* out, ptrdiff_t stride);
