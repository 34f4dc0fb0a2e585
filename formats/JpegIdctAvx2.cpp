// The inverse DCT of JpegIdct.cpp on two blocks at once with AVX2: the
// same 16-bit pair arithmetic as the SSE2 transform there, with block A in
// the low 128 bits of each register and block B in the high 128 bits.
// Every instruction used works within 128-bit lanes, so the two blocks
// never mix and each gives exactly the SSE2 (and scalar) result.
#include "JpegIdctAvx2.h"

#ifdef KESTREL_X86
#include <immintrin.h>

namespace {
// Products of 16-bit lanes with constants above 32767 are split as
// x * c = (x << 16) + x * (c - 65536), both exact modulo 2^32, so the sums
// of pairs that _mm256_madd_epi16 forms give the same 32-bit results as the
// scalar unsigned arithmetic.
KESTREL_TARGET_AVX2 inline __m256i Pair(int16_t a, int16_t b)
{
    return _mm256_set1_epi32(int32_t(uint16_t(a)) | int32_t(uint32_t(uint16_t(b)) << 16));
}

// The low 16 bits of the int32 lanes of a and b interleaved as 16-bit
// pairs: the truncation to int16_t of the scalar code comes with it.
KESTREL_TARGET_AVX2 inline __m256i PackPairs(__m256i a, __m256i b)
{
    return _mm256_blend_epi16(a, _mm256_slli_epi32(b, 16), 0xAA);
}

// The 1-D transform on four columns: x[j] holds input j of each column as
// (x_j, partner) pairs made by the unpacks in Pass8; results as int32.
struct Half {
    __m256i y[8];
};

KESTREL_TARGET_AVX2 inline void ColumnHalf(__m256i p04, __m256i p26, __m256i p35, __m256i x1Shifted, __m256i x7Shifted,
                                           __m256i x2High, __m256i x6High, Half& h)
{
    const __m256i one = _mm256_set1_epi32(0x00010001);
    const __m256i plusMinus = Pair(1, -1);
    // (x0 + x4) * 46341 and (x0 - x4) * 46341.
    __m256i e0 = _mm256_add_epi32(_mm256_madd_epi16(p04, Pair(46341 - 65536, 46341 - 65536)),
                                  _mm256_slli_epi32(_mm256_madd_epi16(p04, one), 16));
    __m256i e1 = _mm256_add_epi32(_mm256_madd_epi16(p04, Pair(46341 - 65536, 65536 - 46341)),
                                  _mm256_slli_epi32(_mm256_madd_epi16(p04, plusMinus), 16));
    // x2 * 60547 + x6 * 25080 and x2 * 25080 - x6 * 60547.
    __m256i s = _mm256_add_epi32(_mm256_madd_epi16(p26, Pair(60547 - 65536, 25080)), x2High);
    __m256i d = _mm256_sub_epi32(_mm256_madd_epi16(p26, Pair(25080, 65536 - 60547)), x6High);
    // The final rounding (+ 2^16 before the shift by 17) rides on e0 and e1.
    const __m256i round17 = _mm256_set1_epi32(65536);
    e0 = _mm256_add_epi32(e0, round17);
    e1 = _mm256_add_epi32(e1, round17);
    __m256i a0 = _mm256_add_epi32(e0, s), a3 = _mm256_sub_epi32(e0, s);
    __m256i a1 = _mm256_add_epi32(e1, d), a2 = _mm256_sub_epi32(e1, d);

    // (x3 - x5) * 46341 and (x3 + x5) * 46341, rounded and shifted by 14.
    const __m256i round14 = _mm256_set1_epi32(8192);
    const __m256i pProduct = _mm256_add_epi32(_mm256_madd_epi16(p35, Pair(46341 - 65536, 65536 - 46341)),
                                              _mm256_slli_epi32(_mm256_madd_epi16(p35, plusMinus), 16));
    const __m256i qProduct = _mm256_add_epi32(_mm256_madd_epi16(p35, Pair(46341 - 65536, 46341 - 65536)),
                                              _mm256_slli_epi32(_mm256_madd_epi16(p35, one), 16));
    __m256i p = _mm256_srai_epi32(_mm256_add_epi32(pProduct, round14), 14);
    __m256i q = _mm256_srai_epi32(_mm256_add_epi32(qProduct, round14), 14);
    __m256i t = _mm256_add_epi32(x1Shifted, q);
    __m256i r = _mm256_sub_epi32(x1Shifted, q);
    __m256i w = _mm256_add_epi32(x7Shifted, p);
    __m256i u = _mm256_sub_epi32(x7Shifted, p);
    __m256i tw = PackPairs(t, w), ru = PackPairs(r, u);
    __m256i b0 = _mm256_madd_epi16(tw, Pair(16069, 3196));
    __m256i b3 = _mm256_madd_epi16(tw, Pair(3196, -16069));
    __m256i b1 = _mm256_madd_epi16(ru, Pair(13623, -9102));
    __m256i b2 = _mm256_madd_epi16(ru, Pair(9102, 13623));

    h.y[0] = _mm256_srai_epi32(_mm256_add_epi32(a0, b0), 17);
    h.y[7] = _mm256_srai_epi32(_mm256_sub_epi32(a0, b0), 17);
    h.y[1] = _mm256_srai_epi32(_mm256_add_epi32(a1, b1), 17);
    h.y[6] = _mm256_srai_epi32(_mm256_sub_epi32(a1, b1), 17);
    h.y[2] = _mm256_srai_epi32(_mm256_add_epi32(a2, b2), 17);
    h.y[5] = _mm256_srai_epi32(_mm256_sub_epi32(a2, b2), 17);
    h.y[3] = _mm256_srai_epi32(_mm256_add_epi32(a3, b3), 17);
    h.y[4] = _mm256_srai_epi32(_mm256_sub_epi32(a3, b3), 17);
}

// The 1-D transform on eight lanes at once: x[j] holds input j of each
// lane; y[m] receives output m of each lane as 16-bit values (the results
// lie within +-16384, so packing is exact). When lanes 4..7 of every x[j]
// are zero, so are their outputs, and their half is skipped.
KESTREL_TARGET_AVX2 inline void Pass8(const __m256i x[8], __m256i y[8], bool upperLanesZero)
{
    const __m256i zero = _mm256_setzero_si256();
    Half low, high;
    ColumnHalf(_mm256_unpacklo_epi16(x[0], x[4]), _mm256_unpacklo_epi16(x[2], x[6]),
               _mm256_unpacklo_epi16(x[3], x[5]), _mm256_srai_epi32(_mm256_unpacklo_epi16(zero, x[1]), 14),
               _mm256_srai_epi32(_mm256_unpacklo_epi16(zero, x[7]), 14), _mm256_unpacklo_epi16(zero, x[2]),
               _mm256_unpacklo_epi16(zero, x[6]), low);
    if (upperLanesZero) {
        for (int m = 0; m < 8; ++m) y[m] = _mm256_packs_epi32(low.y[m], zero);
        return;
    }
    ColumnHalf(_mm256_unpackhi_epi16(x[0], x[4]), _mm256_unpackhi_epi16(x[2], x[6]),
               _mm256_unpackhi_epi16(x[3], x[5]), _mm256_srai_epi32(_mm256_unpackhi_epi16(zero, x[1]), 14),
               _mm256_srai_epi32(_mm256_unpackhi_epi16(zero, x[7]), 14), _mm256_unpackhi_epi16(zero, x[2]),
               _mm256_unpackhi_epi16(zero, x[6]), high);
    for (int m = 0; m < 8; ++m) y[m] = _mm256_packs_epi32(low.y[m], high.y[m]);
}

// 8x8 transpose of 16-bit values held as eight row registers.
KESTREL_TARGET_AVX2 inline void Transpose(const __m256i a[8], __m256i t[8])
{
    __m256i b0 = _mm256_unpacklo_epi16(a[0], a[1]), b1 = _mm256_unpackhi_epi16(a[0], a[1]);
    __m256i b2 = _mm256_unpacklo_epi16(a[2], a[3]), b3 = _mm256_unpackhi_epi16(a[2], a[3]);
    __m256i b4 = _mm256_unpacklo_epi16(a[4], a[5]), b5 = _mm256_unpackhi_epi16(a[4], a[5]);
    __m256i b6 = _mm256_unpacklo_epi16(a[6], a[7]), b7 = _mm256_unpackhi_epi16(a[6], a[7]);
    __m256i c0 = _mm256_unpacklo_epi32(b0, b2), c1 = _mm256_unpackhi_epi32(b0, b2);
    __m256i c2 = _mm256_unpacklo_epi32(b1, b3), c3 = _mm256_unpackhi_epi32(b1, b3);
    __m256i c4 = _mm256_unpacklo_epi32(b4, b6), c5 = _mm256_unpackhi_epi32(b4, b6);
    __m256i c6 = _mm256_unpacklo_epi32(b5, b7), c7 = _mm256_unpackhi_epi32(b5, b7);
    t[0] = _mm256_unpacklo_epi64(c0, c4);
    t[1] = _mm256_unpackhi_epi64(c0, c4);
    t[2] = _mm256_unpacklo_epi64(c1, c5);
    t[3] = _mm256_unpackhi_epi64(c1, c5);
    t[4] = _mm256_unpacklo_epi64(c2, c6);
    t[5] = _mm256_unpackhi_epi64(c2, c6);
    t[6] = _mm256_unpacklo_epi64(c3, c7);
    t[7] = _mm256_unpackhi_epi64(c3, c7);
}
}

KESTREL_TARGET_AVX2 void JpegInverseDctPairAvx2(const JpegIdctJob& a, const JpegIdctJob& b)
{
    __m256i rows[8], x[8], work[8];
    for (int j = 0; j < 8; ++j) {
        const __m128i rowA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.block + 8 * j));
        const __m128i rowB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.block + 8 * j));
        rows[j] = _mm256_inserti128_si256(_mm256_castsi128_si256(rowA), rowB, 1);
    }
    // Pass 1 on the rows of each block (transposed, so that lane i of
    // register k is input k of row i), then pass 2 on the rows of the work
    // block. Rows 4..7 are often all zero (in both blocks): pass 1 then does
    // half its work.
    const __m256i lowerRows = _mm256_or_si256(_mm256_or_si256(rows[4], rows[5]), _mm256_or_si256(rows[6], rows[7]));
    const bool lowerRowsZero = _mm256_testz_si256(lowerRows, lowerRows);
    Transpose(rows, x);
    Pass8(x, work, lowerRowsZero);
    Transpose(work, x);
    Pass8(x, rows, false);
    // + 128, then the unsigned saturation clamps to 0..255; rows m and m + 1
    // share one register.
    const __m256i bias = _mm256_set1_epi16(128);
    for (int m = 0; m < 8; m += 2) {
        const __m256i v = _mm256_packus_epi16(_mm256_add_epi16(rows[m], bias), _mm256_add_epi16(rows[m + 1], bias));
        const __m128i low = _mm256_castsi256_si128(v), high = _mm256_extracti128_si256(v, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(a.out + m * a.stride), low);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(a.out + (m + 1) * a.stride), _mm_unpackhi_epi64(low, low));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(b.out + m * b.stride), high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(b.out + (m + 1) * b.stride), _mm_unpackhi_epi64(high, high));
    }
}
#endif
