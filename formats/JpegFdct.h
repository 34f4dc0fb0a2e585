// The encoder's fixed-point 8x8 forward DCT, and the stage that runs it
// with quantisation over a strip of blocks on the fastest path.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

struct JpegQuantTable;

// In place: block holds samples minus 128 (natural order) and receives the
// coefficients in natural order, row = vertical frequency, scaled as in
// ITU T.81 A.3.3 (the DC value is the sum of the samples / 8).
void JpegForwardDct(int16_t block[64]);

// Transforms and quantises count side-by-side blocks of an 8-row strip of
// samples (rows stride bytes apart): block j's values go to
// coefficients + 64 * j in natural order, the zigzag-order mask of its
// non-zero values to masks[j]. Takes the active vector path.
void JpegTransformStrip(const BYTE* samples, size_t stride, int count, const JpegQuantTable& table,
                        int16_t* coefficients, uint64_t* masks);
