// Each filter has its loop for the first row of a pass (no row above) and
// for the others, and starts past the first pixel, so that the inner loops
// carry no tests and Up vectorises.
#include "PngFilters.h"

#include "../framework/CpuFeatures.h"

#include <cstdlib>

#ifdef KESTREL_X86
#include <emmintrin.h>
#endif

namespace {
// Branch-free predictor choice; ties go to a, then b, as the standard
// orders them.
inline int Paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int ab = pb < pa ? b : a;
    const int abMin = pb < pa ? pb : pa;
    return pc < abMin ? c : ab;
}
}

bool UnfilterPngRow(int type, BYTE* row, const BYTE* previous, size_t length, size_t bpp)
{
    const size_t first = bpp < length ? bpp : length;
    switch (type) {
    case 0: return true;
    case 1:
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + row[i - bpp]);
        return true;
    case 2:
        if (previous)
            for (size_t i = 0; i < length; ++i) row[i] = BYTE(row[i] + previous[i]);
        return true;
    case 3:
        if (!previous) {
            for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + (row[i - bpp] >> 1));
            return true;
        }
        for (size_t i = 0; i < first; ++i) row[i] = BYTE(row[i] + (previous[i] >> 1));
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + ((row[i - bpp] + previous[i]) >> 1));
        return true;
    case 4:
        // With no row above, Paeth always picks the left byte: Sub.
        if (!previous) return UnfilterPngRow(1, row, previous, length, bpp);
        for (size_t i = 0; i < first; ++i) row[i] = BYTE(row[i] + previous[i]);
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + Paeth(row[i - bpp], previous[i], previous[i - bpp]));
        return true;
    default: return false;
    }
}

namespace {
#ifdef KESTREL_X86
// Red and blue of the four pixels in the low 12 bytes of v swapped, by
// shifting the vector two bytes each way; the top four bytes come out zero.
KESTREL_TARGET_SSE2 inline __m128i SwapRedBlue(__m128i v)
{
    const __m128i keep = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0);
    const __m128i fromRight = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0, 0);
    const __m128i fromLeft = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0);
    return _mm_or_si128(_mm_and_si128(v, keep), _mm_or_si128(_mm_and_si128(_mm_srli_si128(v, 2), fromRight),
                                                             _mm_and_si128(_mm_slli_si128(v, 2), fromLeft)));
}

// Four pixels per step, each step storing 16 bytes of which the next step
// overwrites the last four, so nothing is written past the 16 bytes read;
// returns the bytes done.
KESTREL_TARGET_SSE2 size_t SwapRedBlueSse2(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes)
{
    size_t x = 0;
    for (; x + 16 <= bytes; x += 12) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        if (above) v = _mm_sub_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), SwapRedBlue(v));
    }
    return x;
}
#endif
}

void SwapRedBlueRow(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes)
{
    size_t x = 0;
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kSse2) x = SwapRedBlueSse2(in, above, out, bytes);
#endif
    for (; x + 3 <= bytes; x += 3) {
        const BYTE blue = in[x], green = in[x + 1], red = in[x + 2];
        out[x] = BYTE(red - (above ? above[x + 2] : 0));
        out[x + 1] = BYTE(green - (above ? above[x + 1] : 0));
        out[x + 2] = BYTE(blue - (above ? above[x] : 0));
    }
}
