// Forward DCT and quantisation of 8-row strips with SSE2 and AVX2.
//
// Each pass of the scalar transform (JpegFdct.cpp) runs on eight vectors
// that hold one input position for eight rows: a transpose, the pass, a
// transpose, the pass. Sums and differences are 16-bit lanes, which wrap
// as the scalar int16_t casts do. Products go through pmaddwd, whose
// factors are signed 16-bit: 46341 is applied as 23170 + 23171 to a lane
// paired with itself, and 60547 as 65536 - 4989, the 65536 part being the
// lane moved into the upper half of a 32-bit value. Over sample blocks
// (values -128..127) no product or sum leaves its range, so the results
// equal the scalar ones; the tests compare them on extreme blocks.
//
// Quantisation divides |c| + q/2 by q in single precision and truncates:
// the numerator stays below 2^24, where that quotient is exact (a
// non-integral quotient lies at least 1/q below the next integer, more
// than half a unit in its last place).
#include "JpegFdctVector.h"

#include "JpegTables.h"

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>

namespace {
// The 32-bit lane value a | b << 16: the factors of one pmaddwd pair.
inline int Pair(int a, int b) { return int(uint32_t(uint16_t(a)) | uint32_t(uint16_t(b)) << 16); }

// natural zero mask of four 16-bit row-pair masks.
inline uint64_t RowMasks(uint32_t m01, uint32_t m23, uint32_t m45, uint32_t m67)
{
    return uint64_t(m01) | uint64_t(m23) << 16 | uint64_t(m45) << 32 | uint64_t(m67) << 48;
}

// ---- SSE2: one block per register ----

KESTREL_TARGET_SSE2 inline void Transpose(__m128i r[8])
{
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]), a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]), a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]), a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]), a7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r[0] = _mm_unpacklo_epi64(b0, b4), r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5), r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6), r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7), r[7] = _mm_unpackhi_epi64(b3, b7);
}

// (sum + bias) >> shift of the 32-bit halves, packed back to 16 bits.
KESTREL_TARGET_SSE2 inline __m128i Narrow(__m128i lo, __m128i hi, int bias, int shift)
{
    const __m128i b = _mm_set1_epi32(bias);
    return _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(lo, b), shift), _mm_srai_epi32(_mm_add_epi32(hi, b), shift));
}

// a * fa + b * fb, rounded by 2^16 and shifted by 17 (the scalar Round17).
KESTREL_TARGET_SSE2 inline __m128i Rotate(__m128i a, __m128i b, int factors)
{
    const __m128i f = _mm_set1_epi32(factors);
    return Narrow(_mm_madd_epi16(_mm_unpacklo_epi16(a, b), f), _mm_madd_epi16(_mm_unpackhi_epi16(a, b), f), 65536,
                  17);
}

// v * 46341 in 32 bits: v paired with itself, times 23170 and 23171.
KESTREL_TARGET_SSE2 inline void TimesRootHalf(__m128i v, __m128i& lo, __m128i& hi)
{
    const __m128i f = _mm_set1_epi32(Pair(23170, 23171));
    lo = _mm_madd_epi16(_mm_unpacklo_epi16(v, v), f);
    hi = _mm_madd_epi16(_mm_unpackhi_epi16(v, v), f);
}

KESTREL_TARGET_SSE2 inline void Pass(__m128i x[8])
{
    const __m128i s07 = _mm_add_epi16(x[0], x[7]), d07 = _mm_sub_epi16(x[0], x[7]);
    const __m128i s16 = _mm_add_epi16(x[1], x[6]), d16 = _mm_sub_epi16(x[1], x[6]);
    const __m128i s25 = _mm_add_epi16(x[2], x[5]), d25 = _mm_sub_epi16(x[2], x[5]);
    const __m128i s34 = _mm_add_epi16(x[3], x[4]), d34 = _mm_sub_epi16(x[3], x[4]);
    const __m128i t0 = _mm_add_epi16(s07, s34), t3 = _mm_sub_epi16(s07, s34);
    const __m128i t1 = _mm_add_epi16(s16, s25), t2 = _mm_sub_epi16(s16, s25);
    const __m128i zero = _mm_setzero_si128();

    __m128i lo, hi;
    TimesRootHalf(_mm_add_epi16(t0, t1), lo, hi);
    x[0] = Narrow(lo, hi, 65536, 17);
    TimesRootHalf(_mm_sub_epi16(t0, t1), lo, hi);
    x[4] = Narrow(lo, hi, 65536, 17);
    // t3 * 60547 + t2 * 25080 and t3 * 25080 - t2 * 60547.
    const __m128i t32lo = _mm_unpacklo_epi16(t3, t2), t32hi = _mm_unpackhi_epi16(t3, t2);
    const __m128i f2 = _mm_set1_epi32(Pair(-4989, 25080)), f6 = _mm_set1_epi32(Pair(25080, 4989));
    x[2] = Narrow(_mm_add_epi32(_mm_madd_epi16(t32lo, f2), _mm_unpacklo_epi16(zero, t3)),
                  _mm_add_epi32(_mm_madd_epi16(t32hi, f2), _mm_unpackhi_epi16(zero, t3)), 65536, 17);
    x[6] = Narrow(_mm_sub_epi32(_mm_madd_epi16(t32lo, f6), _mm_unpacklo_epi16(zero, t2)),
                  _mm_sub_epi32(_mm_madd_epi16(t32hi, f6), _mm_unpackhi_epi16(zero, t2)), 65536, 17);

    TimesRootHalf(_mm_add_epi16(d16, d25), lo, hi);
    const __m128i z1 = Narrow(lo, hi, 8192, 14);
    TimesRootHalf(_mm_sub_epi16(d16, d25), lo, hi);
    const __m128i z2 = Narrow(lo, hi, 8192, 14);
    const __m128i d07x4 = _mm_slli_epi16(d07, 2), d34x4 = _mm_slli_epi16(d34, 2);
    const __m128i m0 = _mm_add_epi16(d07x4, z1), m3 = _mm_sub_epi16(d07x4, z1);
    const __m128i m1 = _mm_add_epi16(d34x4, z2), m2 = _mm_sub_epi16(d34x4, z2);
    x[1] = Rotate(m0, m1, Pair(16069, 3196));
    x[7] = Rotate(m0, m1, Pair(3196, -16069));
    x[5] = Rotate(m2, m3, Pair(13623, 9102));
    x[3] = Rotate(m2, m3, Pair(-9102, 13623));
}

// One row of coefficients divided: (|c| + q/2) / q with c's sign.
// Quantised rows are mostly zeros, found by comparison alone.
KESTREL_TARGET_SSE2 inline __m128i Quantize(__m128i c, const JpegQuantTable& table, int row)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i absolute = _mm_max_epi16(c, _mm_sub_epi16(zero, c));
    const __m128i zeroBelow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.zeroBelow + 8 * row));
    if (_mm_movemask_epi8(_mm_cmplt_epi16(absolute, zeroBelow)) == 0xFFFF) return zero;
    const __m128i sign = _mm_srai_epi16(c, 15);
    const __m128i magnitude =
        _mm_add_epi16(absolute, _mm_loadu_si128(reinterpret_cast<const __m128i*>(table.half + 8 * row)));
    const __m128 lo = _mm_div_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(magnitude, zero)), _mm_loadu_ps(table.divisor + 8 * row));
    const __m128 hi =
        _mm_div_ps(_mm_cvtepi32_ps(_mm_unpackhi_epi16(magnitude, zero)), _mm_loadu_ps(table.divisor + 8 * row + 4));
    const __m128i q = _mm_packs_epi32(_mm_cvttps_epi32(lo), _mm_cvttps_epi32(hi));
    return _mm_sub_epi16(_mm_xor_si128(q, sign), sign);
}

KESTREL_TARGET_SSE2 inline uint32_t ZeroRows(__m128i a, __m128i b)
{
    const __m128i zero = _mm_setzero_si128();
    return uint32_t(_mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero))));
}

// ---- AVX2: two blocks side by side, one per 128-bit half ----

KESTREL_TARGET_AVX2 inline void Transpose(__m256i r[8])
{
    const __m256i a0 = _mm256_unpacklo_epi16(r[0], r[1]), a1 = _mm256_unpackhi_epi16(r[0], r[1]);
    const __m256i a2 = _mm256_unpacklo_epi16(r[2], r[3]), a3 = _mm256_unpackhi_epi16(r[2], r[3]);
    const __m256i a4 = _mm256_unpacklo_epi16(r[4], r[5]), a5 = _mm256_unpackhi_epi16(r[4], r[5]);
    const __m256i a6 = _mm256_unpacklo_epi16(r[6], r[7]), a7 = _mm256_unpackhi_epi16(r[6], r[7]);
    const __m256i b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    const __m256i b2 = _mm256_unpacklo_epi32(a1, a3), b3 = _mm256_unpackhi_epi32(a1, a3);
    const __m256i b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    const __m256i b6 = _mm256_unpacklo_epi32(a5, a7), b7 = _mm256_unpackhi_epi32(a5, a7);
    r[0] = _mm256_unpacklo_epi64(b0, b4), r[1] = _mm256_unpackhi_epi64(b0, b4);
    r[2] = _mm256_unpacklo_epi64(b1, b5), r[3] = _mm256_unpackhi_epi64(b1, b5);
    r[4] = _mm256_unpacklo_epi64(b2, b6), r[5] = _mm256_unpackhi_epi64(b2, b6);
    r[6] = _mm256_unpacklo_epi64(b3, b7), r[7] = _mm256_unpackhi_epi64(b3, b7);
}

KESTREL_TARGET_AVX2 inline __m256i Narrow(__m256i lo, __m256i hi, int bias, int shift)
{
    const __m256i b = _mm256_set1_epi32(bias);
    return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_add_epi32(lo, b), shift),
                              _mm256_srai_epi32(_mm256_add_epi32(hi, b), shift));
}

KESTREL_TARGET_AVX2 inline __m256i Rotate(__m256i a, __m256i b, int factors)
{
    const __m256i f = _mm256_set1_epi32(factors);
    return Narrow(_mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), f), _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), f),
                  65536, 17);
}

KESTREL_TARGET_AVX2 inline void TimesRootHalf(__m256i v, __m256i& lo, __m256i& hi)
{
    const __m256i f = _mm256_set1_epi32(Pair(23170, 23171));
    lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(v, v), f);
    hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(v, v), f);
}

KESTREL_TARGET_AVX2 inline void Pass(__m256i x[8])
{
    const __m256i s07 = _mm256_add_epi16(x[0], x[7]), d07 = _mm256_sub_epi16(x[0], x[7]);
    const __m256i s16 = _mm256_add_epi16(x[1], x[6]), d16 = _mm256_sub_epi16(x[1], x[6]);
    const __m256i s25 = _mm256_add_epi16(x[2], x[5]), d25 = _mm256_sub_epi16(x[2], x[5]);
    const __m256i s34 = _mm256_add_epi16(x[3], x[4]), d34 = _mm256_sub_epi16(x[3], x[4]);
    const __m256i t0 = _mm256_add_epi16(s07, s34), t3 = _mm256_sub_epi16(s07, s34);
    const __m256i t1 = _mm256_add_epi16(s16, s25), t2 = _mm256_sub_epi16(s16, s25);
    const __m256i zero = _mm256_setzero_si256();

    __m256i lo, hi;
    TimesRootHalf(_mm256_add_epi16(t0, t1), lo, hi);
    x[0] = Narrow(lo, hi, 65536, 17);
    TimesRootHalf(_mm256_sub_epi16(t0, t1), lo, hi);
    x[4] = Narrow(lo, hi, 65536, 17);
    const __m256i t32lo = _mm256_unpacklo_epi16(t3, t2), t32hi = _mm256_unpackhi_epi16(t3, t2);
    const __m256i f2 = _mm256_set1_epi32(Pair(-4989, 25080)), f6 = _mm256_set1_epi32(Pair(25080, 4989));
    x[2] = Narrow(_mm256_add_epi32(_mm256_madd_epi16(t32lo, f2), _mm256_unpacklo_epi16(zero, t3)),
                  _mm256_add_epi32(_mm256_madd_epi16(t32hi, f2), _mm256_unpackhi_epi16(zero, t3)), 65536, 17);
    x[6] = Narrow(_mm256_sub_epi32(_mm256_madd_epi16(t32lo, f6), _mm256_unpacklo_epi16(zero, t2)),
                  _mm256_sub_epi32(_mm256_madd_epi16(t32hi, f6), _mm256_unpackhi_epi16(zero, t2)), 65536, 17);

    TimesRootHalf(_mm256_add_epi16(d16, d25), lo, hi);
    const __m256i z1 = Narrow(lo, hi, 8192, 14);
    TimesRootHalf(_mm256_sub_epi16(d16, d25), lo, hi);
    const __m256i z2 = Narrow(lo, hi, 8192, 14);
    const __m256i d07x4 = _mm256_slli_epi16(d07, 2), d34x4 = _mm256_slli_epi16(d34, 2);
    const __m256i m0 = _mm256_add_epi16(d07x4, z1), m3 = _mm256_sub_epi16(d07x4, z1);
    const __m256i m1 = _mm256_add_epi16(d34x4, z2), m2 = _mm256_sub_epi16(d34x4, z2);
    x[1] = Rotate(m0, m1, Pair(16069, 3196));
    x[7] = Rotate(m0, m1, Pair(3196, -16069));
    x[5] = Rotate(m2, m3, Pair(13623, 9102));
    x[3] = Rotate(m2, m3, Pair(-9102, 13623));
}

KESTREL_TARGET_AVX2 inline __m256i Quantize(__m256i c, const JpegQuantTable& table, int row)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i absolute = _mm256_abs_epi16(c);
    const __m256i zeroBelow =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table.zeroBelow + 8 * row)));
    if (uint32_t(_mm256_movemask_epi8(_mm256_cmpgt_epi16(zeroBelow, absolute))) == 0xFFFFFFFFu) return zero;
    const __m256i sign = _mm256_srai_epi16(c, 15);
    const __m256i half = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table.half + 8 * row)));
    const __m256i magnitude = _mm256_add_epi16(absolute, half);
    const __m256 lo = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_unpacklo_epi16(magnitude, zero)),
                                    _mm256_broadcast_ps(reinterpret_cast<const __m128*>(table.divisor + 8 * row)));
    const __m256 hi = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_unpackhi_epi16(magnitude, zero)),
                                    _mm256_broadcast_ps(reinterpret_cast<const __m128*>(table.divisor + 8 * row + 4)));
    const __m256i q = _mm256_packs_epi32(_mm256_cvttps_epi32(lo), _mm256_cvttps_epi32(hi));
    return _mm256_sub_epi16(_mm256_xor_si256(q, sign), sign);
}

// pshufb masks that put the bytes of four 16-byte chunks (natural order)
// into zigzag order: chunk c of the result is the OR over source chunks s
// of shuffle[c][s] applied to chunk s (-128 for a byte from elsewhere).
struct ZigzagShuffles {
    int8_t shuffle[4][4][16];
    ZigzagShuffles()
    {
        for (int k = 0; k < 64; ++k)
            for (int s = 0; s < 4; ++s)
                shuffle[k / 16][s][k % 16] = int8_t(kJpegZigzag[k] / 16 == s ? kJpegZigzag[k] % 16 : -128);
    }
};
const ZigzagShuffles zigzagShuffles;

// The zigzag-order masks of the non-zero values of both blocks, with the
// bytes of the zero tests shuffled into zigzag order before movemask.
KESTREL_TARGET_AVX2 inline void NonZeroMasks(const __m256i r[8], uint64_t& first, uint64_t& second)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i zeros[4];
    for (int s = 0; s < 4; ++s)
        zeros[s] = _mm256_packs_epi16(_mm256_cmpeq_epi16(r[2 * s], zero), _mm256_cmpeq_epi16(r[2 * s + 1], zero));
    first = second = 0;
    for (int c = 0; c < 4; ++c) {
        __m256i chunk = zero;
        for (int s = 0; s < 4; ++s) {
            const __m256i shuffle = _mm256_broadcastsi128_si256(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(zigzagShuffles.shuffle[c][s])));
            chunk = _mm256_or_si256(chunk, _mm256_shuffle_epi8(zeros[s], shuffle));
        }
        const uint32_t bits = ~uint32_t(_mm256_movemask_epi8(chunk));
        first |= uint64_t(bits & 0xFFFF) << (16 * c);
        second |= uint64_t(bits >> 16) << (16 * c);
    }
}
}

KESTREL_TARGET_SSE2 void JpegTransformStripSse2(const BYTE* samples, size_t stride, int count,
                                                const JpegQuantTable& table, int16_t* coefficients, uint64_t* masks)
{
    const __m128i zero = _mm_setzero_si128(), centre = _mm_set1_epi16(128);
    for (int j = 0; j < count; ++j, samples += 8, coefficients += 64) {
        __m128i r[8];
        for (int i = 0; i < 8; ++i)
            r[i] = _mm_sub_epi16(
                _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + size_t(i) * stride)), zero),
                centre);
        Transpose(r);
        Pass(r);
        Transpose(r);
        Pass(r);
        for (int i = 0; i < 8; ++i) {
            r[i] = Quantize(r[i], table, i);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(coefficients + 8 * i), r[i]);
        }
        const uint64_t zeros = RowMasks(ZeroRows(r[0], r[1]), ZeroRows(r[2], r[3]), ZeroRows(r[4], r[5]), ZeroRows(r[6], r[7]));
        masks[j] = JpegZigzagMask(~zeros);
    }
}

KESTREL_TARGET_AVX2 void JpegTransformStripAvx2(const BYTE* samples, size_t stride, int count,
                                                const JpegQuantTable& table, int16_t* coefficients, uint64_t* masks)
{
    const __m256i centre = _mm256_set1_epi16(128);
    for (int j = 0; j < count; j += 2, samples += 16, coefficients += 128) {
        // The last block of an odd count fills both halves and is kept once.
        const bool single = j + 1 == count;
        __m256i r[8];
        for (int i = 0; i < 8; ++i) {
            const BYTE* row = samples + size_t(i) * stride;
            const __m128i first = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row));
            const __m128i bytes =
                single ? _mm_unpacklo_epi64(first, first) : _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
            r[i] = _mm256_sub_epi16(_mm256_cvtepu8_epi16(bytes), centre);
        }
        Transpose(r);
        Pass(r);
        Transpose(r);
        Pass(r);
        for (int i = 0; i < 8; ++i) {
            r[i] = Quantize(r[i], table, i);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(coefficients + 8 * i), _mm256_castsi256_si128(r[i]));
            if (!single)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(coefficients + 64 + 8 * i), _mm256_extracti128_si256(r[i], 1));
        }
        uint64_t second;
        NonZeroMasks(r, masks[j], second);
        if (!single) masks[j + 1] = second;
    }
}
#endif
