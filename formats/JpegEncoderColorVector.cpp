// SSE2 and AVX2 twins of the encoder's colour conversion. Each pixel
// becomes a 32-bit lane of (green, red) and one of (blue, 1) 16-bit pairs,
// so that each weighted sum with its rounding term is two pmaddwd. The
// sums equal the scalar ones exactly, as do the shifts, so the bytes are
// the same.
#include "JpegEncoderColorVector.h"

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>

#include <cstdint>
#include <cstring>

namespace {
inline int Pair(int a, int b) { return int(uint32_t(uint16_t(a)) | uint32_t(uint16_t(b)) << 16); }

// ---- SSE2: 8 pixels of two rows per step ----

// Luma, Cb and Cr of the 4 pixels at p (reads 16 bytes), 32 bits each.
// Without a byte shuffle, each pixel's 3 bytes are moved to the bottom of
// a 32-bit lane by shifting the whole register.
KESTREL_TARGET_SSE2 inline void Convert4(const BYTE* p, __m128i& y, __m128i& cb, __m128i& cr)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i pixels = _mm_unpacklo_epi64(_mm_unpacklo_epi32(v, _mm_srli_si128(v, 3)),
                                              _mm_unpacklo_epi32(_mm_srli_si128(v, 6), _mm_srli_si128(v, 9)));
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i greenRed = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(pixels, 8), low),
                                          _mm_and_si128(pixels, _mm_set1_epi32(0xFF0000)));
    const __m128i blueOne = _mm_or_si128(_mm_and_si128(pixels, low), _mm_set1_epi32(1 << 16));
    const __m128i chromaBias = _mm_set1_epi32(256 * 8192);
    y = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(greenRed, _mm_set1_epi32(Pair(9617, 4899))),
                                     _mm_madd_epi16(blueOne, _mm_set1_epi32(Pair(1868, 8192)))),
                       14);
    cb = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(greenRed, _mm_set1_epi32(Pair(-5427, -2765))),
                                                    _mm_madd_epi16(blueOne, _mm_set1_epi32(Pair(8192, 0)))),
                                      chromaBias),
                        14);
    cr = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(greenRed, _mm_set1_epi32(Pair(-6860, 8192))),
                                                    _mm_madd_epi16(blueOne, _mm_set1_epi32(Pair(-1332, 0)))),
                                      chromaBias),
                        14);
}

// The rounded 2x2 means of 8 pixels' values in two rows, 32 bits each.
KESTREL_TARGET_SSE2 inline __m128i Mean2x2(__m128i topA, __m128i topB, __m128i bottomA, __m128i bottomB)
{
    const __m128i columns = _mm_packs_epi32(_mm_add_epi32(topA, bottomA), _mm_add_epi32(topB, bottomB));
    const __m128i sums = _mm_madd_epi16(columns, _mm_set1_epi16(1));
    return _mm_srai_epi32(_mm_add_epi32(sums, _mm_set1_epi32(2)), 2);
}

// ---- AVX2: 16 pixels of two rows per step ----

// Luma, Cb and Cr of the 8 pixels at p (reads 28 bytes), 32 bits each; the
// low half holds pixels 0-3, the high half pixels 4-7, spread by pshufb.
KESTREL_TARGET_AVX2 inline void Convert8(const BYTE* p, __m256i& y, __m256i& cb, __m256i& cr)
{
    const __m256i bgr = _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
    const __m256i toGreenRed =
        _mm256_setr_epi8(1, -1, 2, -1, 4, -1, 5, -1, 7, -1, 8, -1, 10, -1, 11, -1, 1, -1, 2, -1, 4, -1, 5, -1, 7, -1, 8,
                         -1, 10, -1, 11, -1);
    const __m256i toBlue = _mm256_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1, 0, -1, -1, -1,
                                            3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1);
    const __m256i greenRed = _mm256_shuffle_epi8(bgr, toGreenRed);
    const __m256i blueOne = _mm256_or_si256(_mm256_shuffle_epi8(bgr, toBlue), _mm256_set1_epi32(1 << 16));
    const __m256i chromaBias = _mm256_set1_epi32(256 * 8192);
    y = _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(greenRed, _mm256_set1_epi32(Pair(9617, 4899))),
                                           _mm256_madd_epi16(blueOne, _mm256_set1_epi32(Pair(1868, 8192)))),
                          14);
    cb = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(greenRed, _mm256_set1_epi32(Pair(-5427, -2765))),
                                          _mm256_madd_epi16(blueOne, _mm256_set1_epi32(Pair(8192, 0)))),
                         chromaBias),
        14);
    cr = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_add_epi32(_mm256_madd_epi16(greenRed, _mm256_set1_epi32(Pair(-6860, 8192))),
                                          _mm256_madd_epi16(blueOne, _mm256_set1_epi32(Pair(-1332, 0)))),
                         chromaBias),
        14);
}

// Pixels 0-7 and 8-15 as 16-bit values in order.
KESTREL_TARGET_AVX2 inline __m256i Join(__m256i a, __m256i b)
{
    return _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8);
}

// The rounded 2x2 means of 16 pixels' values in two rows, 32 bits each, in
// the order 0, 1, 4, 5 | 2, 3, 6, 7.
KESTREL_TARGET_AVX2 inline __m256i Mean2x2(__m256i topA, __m256i topB, __m256i bottomA, __m256i bottomB)
{
    const __m256i columns = _mm256_packs_epi32(_mm256_add_epi32(topA, bottomA), _mm256_add_epi32(topB, bottomB));
    const __m256i sums = _mm256_madd_epi16(columns, _mm256_set1_epi16(1));
    return _mm256_srai_epi32(_mm256_add_epi32(sums, _mm256_set1_epi32(2)), 2);
}
}

KESTREL_TARGET_SSE2 void JpegBgrRowsToYccSse2(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop,
                                              BYTE* yBottom, BYTE* cb, BYTE* cr)
{
    // A step reads 28 bytes from 24 pixels' worth: it runs while a pair
    // beyond it remains.
    int j = 0;
    for (; j + 5 <= pairs; j += 4) {
        const BYTE* p = top + 6 * j;
        const BYTE* q = bottom + 6 * j;
        __m128i yA, cbA, crA, yB, cbB, crB, yC, cbC, crC, yD, cbD, crD;
        Convert4(p, yA, cbA, crA);
        Convert4(p + 12, yB, cbB, crB);
        Convert4(q, yC, cbC, crC);
        Convert4(q + 12, yD, cbD, crD);
        const __m128i luma = _mm_packus_epi16(_mm_packs_epi32(yA, yB), _mm_packs_epi32(yC, yD));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(yTop + 2 * j), luma);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(yBottom + 2 * j), _mm_srli_si128(luma, 8));
        const __m128i chroma = _mm_packus_epi16(
            _mm_packs_epi32(Mean2x2(cbA, cbB, cbC, cbD), Mean2x2(crA, crB, crC, crD)), _mm_setzero_si128());
        const uint32_t both[2] = {uint32_t(_mm_cvtsi128_si32(chroma)), uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(chroma, 4)))};
        std::memcpy(cb + j, &both[0], 4);
        std::memcpy(cr + j, &both[1], 4);
    }
    JpegBgrRowsToYccScalar(top + 6 * j, bottom + 6 * j, pairs - j, yTop + 2 * j, yBottom + 2 * j, cb + j, cr + j);
}

KESTREL_TARGET_AVX2 void JpegBgrRowsToYccAvx2(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop,
                                              BYTE* yBottom, BYTE* cb, BYTE* cr)
{
    // A step reads 52 bytes from 48 pixels' worth: it runs while a pair
    // beyond it remains.
    int j = 0;
    for (; j + 9 <= pairs; j += 8) {
        const BYTE* p = top + 6 * j;
        const BYTE* q = bottom + 6 * j;
        __m256i yA, cbA, crA, yB, cbB, crB, yC, cbC, crC, yD, cbD, crD;
        Convert8(p, yA, cbA, crA);
        Convert8(p + 24, yB, cbB, crB);
        Convert8(q, yC, cbC, crC);
        Convert8(q + 24, yD, cbD, crD);
        const __m256i luma = _mm256_permute4x64_epi64(_mm256_packus_epi16(Join(yA, yB), Join(yC, yD)), 0xD8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(yTop + 2 * j), _mm256_castsi256_si128(luma));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(yBottom + 2 * j), _mm256_extracti128_si256(luma, 1));

        const __m256i chroma = _mm256_packus_epi16(
            _mm256_packs_epi32(Mean2x2(cbA, cbB, cbC, cbD), Mean2x2(crA, crB, crC, crD)), _mm256_setzero_si256());
        // Bytes cb 0 1 4 5 cr 0 1 4 5 | cb 2 3 6 7 cr 2 3 6 7: interleave the pairs.
        const __m128i ordered = _mm_unpacklo_epi16(_mm256_castsi256_si128(chroma), _mm256_extracti128_si256(chroma, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(cb + j), ordered);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(cr + j), _mm_srli_si128(ordered, 8));
    }
    JpegBgrRowsToYccScalar(top + 6 * j, bottom + 6 * j, pairs - j, yTop + 2 * j, yBottom + 2 * j, cb + j, cr + j);
}
#endif
