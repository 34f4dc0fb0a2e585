// Each filter has its loop for the first row of a pass (no row above) and
// for the others, and starts past the first pixel, so that the inner loops
// carry no tests. With SSE2, Up takes 16 bytes a step, and Average and
// Paeth on 3- and 4-byte pixels a whole pixel a step in 16-bit lanes (each
// pixel depends on the one to its left, so a pixel is the widest step).
#include "PngFilters.h"

#include "../framework/CpuFeatures.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
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

#ifdef KESTREL_X86
namespace {
// A pixel of up to four bytes in 16-bit lanes. Four bytes are loaded
// whenever the row has them: a narrower load would be assembled on the
// stack and stall; the extra lane is ignored.
KESTREL_TARGET_SSE2 inline __m128i LoadPixel(const BYTE* p, size_t bytes)
{
    uint32_t v = 0;
    if (bytes == 4) std::memcpy(&v, p, 4);
    else std::memcpy(&v, p, 3);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(v)), _mm_setzero_si128());
}

template <size_t kBytes>
KESTREL_TARGET_SSE2 inline void StorePixel(BYTE* p, __m128i v)
{
    const uint32_t bytes = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
    std::memcpy(p, &bytes, kBytes);
}

KESTREL_TARGET_SSE2 inline __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

KESTREL_TARGET_SSE2 inline __m128i Select(__m128i mask, __m128i ifSet, __m128i ifClear)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

KESTREL_TARGET_SSE2 void UpSse2(BYTE* row, const BYTE* previous, size_t length)
{
    size_t i = 0;
    for (; i + 16 <= length; i += 16) {
        __m128i* at = reinterpret_cast<__m128i*>(row + i);
        _mm_storeu_si128(at, _mm_add_epi8(_mm_loadu_si128(at),
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + i))));
    }
    for (; i < length; ++i) row[i] = BYTE(row[i] + previous[i]);
}

// Average (type 3) or Paeth (type 4) of one pixel; a is the pixel to the
// left, c the one above it.
KESTREL_TARGET_SSE2 inline __m128i Predict(int type, __m128i a, __m128i b, __m128i c)
{
    if (type == 3) return _mm_srli_epi16(_mm_add_epi16(a, b), 1);
    const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
    const __m128i pa = Abs16(bc), pb = Abs16(ac), pc = Abs16(_mm_add_epi16(bc, ac));
    const __m128i ab = Select(_mm_cmplt_epi16(pb, pa), b, a);
    return Select(_mm_cmplt_epi16(pc, _mm_min_epi16(pa, pb)), c, ab);
}

// Average or Paeth with a row above, a and c zero before the first pixel.
template <size_t kBytes>
KESTREL_TARGET_SSE2 void AveragePaethSse2(int type, BYTE* row, const BYTE* previous, size_t length)
{
    const __m128i low = _mm_set1_epi16(0xFF);
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    for (size_t i = 0; i < length; i += kBytes) {
        const size_t load = i + 4 <= length ? 4 : kBytes;
        const __m128i b = LoadPixel(previous + i, load);
        a = _mm_and_si128(_mm_add_epi16(LoadPixel(row + i, load), Predict(type, a, b, c)), low);
        StorePixel<kBytes>(row + i, a);
        c = b;
    }
}

// True when the vector path took the row.
bool UnfilterSse2(int type, BYTE* row, const BYTE* previous, size_t length, size_t bpp)
{
    if (ActiveSimdLevel() < SimdLevel::kSse2 || !previous) return false;
    if (type == 2) {
        UpSse2(row, previous, length);
        return true;
    }
    if ((type != 3 && type != 4) || length % bpp) return false;
    if (bpp == 3) AveragePaethSse2<3>(type, row, previous, length);
    else if (bpp == 4) AveragePaethSse2<4>(type, row, previous, length);
    else return false;
    return true;
}
}
#endif

bool UnfilterPngRow(int type, BYTE* row, const BYTE* previous, size_t length, size_t bpp)
{
    const size_t first = bpp < length ? bpp : length;
#ifdef KESTREL_X86
    if (UnfilterSse2(type, row, previous, length, bpp)) return true;
#endif
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
// Red and blue of the five pixels in the low 15 bytes of v swapped, by
// shifting the vector two bytes each way; the top byte comes out zero.
KESTREL_TARGET_SSE2 inline __m128i SwapRedBlue(__m128i v)
{
    const __m128i keep = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
    const __m128i fromRight = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
    const __m128i fromLeft = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
    return _mm_or_si128(_mm_and_si128(v, keep), _mm_or_si128(_mm_and_si128(_mm_srli_si128(v, 2), fromRight),
                                                             _mm_and_si128(_mm_slli_si128(v, 2), fromLeft)));
}

// Five pixels per step, each step storing 16 bytes of which the next step
// overwrites the last, so nothing is written past the 16 bytes read;
// returns the bytes done. The AVX2 twin swaps with one byte shuffle.
KESTREL_TARGET_SSE2 size_t SwapRedBlueSse2(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes)
{
    size_t x = 0;
    for (; x + 16 <= bytes; x += 15) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        if (above) v = _mm_sub_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), SwapRedBlue(v));
    }
    return x;
}

KESTREL_TARGET_AVX2 size_t SwapRedBlueAvx2(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    size_t x = 0;
    for (; x + 16 <= bytes; x += 15) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        if (above) v = _mm_sub_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_shuffle_epi8(v, order));
    }
    return x;
}
#endif
}

void SwapRedBlueRow(const BYTE* in, const BYTE* above, BYTE* out, size_t bytes)
{
    size_t x = 0;
#ifdef KESTREL_X86
    const SimdLevel level = ActiveSimdLevel();
    if (level >= SimdLevel::kAvx2) x = SwapRedBlueAvx2(in, above, out, bytes);
    else if (level >= SimdLevel::kSse2) x = SwapRedBlueSse2(in, above, out, bytes);
#endif
    for (; x + 3 <= bytes; x += 3) {
        const BYTE blue = in[x], green = in[x + 1], red = in[x + 2];
        out[x] = BYTE(red - (above ? above[x + 2] : 0));
        out[x + 1] = BYTE(green - (above ? above[x + 1] : 0));
        out[x + 2] = BYTE(blue - (above ? above[x] : 0));
    }
}
