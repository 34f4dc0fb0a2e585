// The vector twins of JpegTransformStrip's scalar path (JpegFdct.cpp): the
// same integer transform in 16-bit lanes, one block per SSE2 register and
// two side by side per AVX2 register, and quantisation by single-precision
// division. Bit-exact to the scalar path for every block of samples.
#pragma once

#include "JpegBlockCoder.h"

#include "../framework/CpuFeatures.h"

#include <cstddef>
#include <cstdint>

#ifdef KESTREL_X86
void JpegTransformStripSse2(const BYTE* samples, size_t stride, int count, const JpegQuantTable& table,
                            int16_t* coefficients, uint64_t* masks);
void JpegTransformStripAvx2(const BYTE* samples, size_t stride, int count, const JpegQuantTable& table,
                            int16_t* coefficients, uint64_t* masks);
#endif
