// The swap byte by byte, and with AVX2 (its 128-bit byte shuffle) four
// pixels at a time: each step loads and stores 16 bytes, of which the first
// 12 are four whole pixels; the 4 bytes past them are written unswapped and
// put right by the next step, so the loop stops while 16 bytes remain
// inside the row and the rest goes byte by byte.
#include "SwapRedBlue.h"

#include "../framework/CpuFeatures.h"

#ifdef KESTREL_X86
#include <immintrin.h>
#endif

namespace {
void CopySwappingScalar(BYTE* out, const BYTE* in, size_t bytes)
{
    for (size_t i = 0; i < bytes; i += 3) {
        out[i] = in[i + 2];
        out[i + 1] = in[i + 1];
        out[i + 2] = in[i];
    }
}

#ifdef KESTREL_X86
KESTREL_TARGET_AVX2 inline void CopySwappingFour(BYTE* out, const BYTE* in, __m128i order)
{
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(pixels, order));
}

KESTREL_TARGET_AVX2 void CopySwappingAvx2(BYTE* out, const BYTE* in, size_t bytes)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    size_t i = 0;
    // Sixteen pixels a turn keep the loop's own work out of the way.
    for (; i + 52 <= bytes; i += 48) {
        CopySwappingFour(out + i, in + i, order);
        CopySwappingFour(out + i + 12, in + i + 12, order);
        CopySwappingFour(out + i + 24, in + i + 24, order);
        CopySwappingFour(out + i + 36, in + i + 36, order);
    }
    for (; i + 16 <= bytes; i += 12) CopySwappingFour(out + i, in + i, order);
    CopySwappingScalar(out + i, in + i, bytes - i);
}
#endif
}

void CopySwappingRedBlue(BYTE* out, const BYTE* in, size_t pixels)
{
#ifdef KESTREL_X86
    if (ActiveSimdLevel() == SimdLevel::kAvx2) {
        CopySwappingAvx2(out, in, pixels * 3);
        return;
    }
#endif
    CopySwappingScalar(out, in, pixels * 3);
}
