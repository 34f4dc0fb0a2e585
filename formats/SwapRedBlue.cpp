// The swap byte by byte, and with AVX2 eight pixels at a time: each step
// loads 28 bytes and stores 32, of which the first 24 are eight whole
// pixels; the 8 bytes past them are written unswapped and put right by the
// next step, so the loop stops while 32 bytes remain inside the row and the
// rest goes byte by byte.
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
// Eight pixels: the low lane takes bytes 0-15, the high lane bytes 12-27,
// so each lane holds four whole pixels in its first 12 bytes; after the
// in-lane shuffle the two sets of 12 are joined and stored as 32 bytes.
KESTREL_TARGET_AVX2 inline void CopySwappingEight(BYTE* out, const BYTE* in, __m256i order, __m256i join)
{
    __m256i pixels = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(in + 12),
                                         reinterpret_cast<const __m128i*>(in));
    pixels = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(pixels, order), join);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), pixels);
}

KESTREL_TARGET_AVX2 void CopySwappingAvx2(BYTE* out, const BYTE* in, size_t bytes)
{
    const __m256i order = _mm256_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15,  //
                                           2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
    size_t i = 0;
    // Thirty-two pixels a turn keep the loop's own work out of the way.
    for (; i + 104 <= bytes; i += 96) {
        CopySwappingEight(out + i, in + i, order, join);
        CopySwappingEight(out + i + 24, in + i + 24, order, join);
        CopySwappingEight(out + i + 48, in + i + 48, order, join);
        CopySwappingEight(out + i + 72, in + i + 72, order, join);
    }
    for (; i + 32 <= bytes; i += 24) CopySwappingEight(out + i, in + i, order, join);
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
