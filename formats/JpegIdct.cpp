// Fixed-point inverse DCT: rows first, each 1-D result written into a
// column of a 16-bit work block, then the rows of the work block, written
// into columns of the output. The constants are 2^16 cos(pi/4),
// 2^16 cos(pi/8), 2^16 sin(pi/8) and 2^14 cos/sin of pi/16 and 3pi/16.
//
// Products are formed in unsigned 32-bit arithmetic: for any coefficient
// values (a hostile file can give any 16-bit value) the wrap-around is
// defined, and the result equals that of the 32-bit two's-complement
// products of the reference arithmetic. Right shifts are arithmetic.
#include "JpegIdct.h"

#include "JpegIdctAvx2.h"

#include <cstring>

#ifdef KESTREL_X86
#include <emmintrin.h>
#endif

namespace {
inline int32_t Signed(uint32_t v) { return int32_t(v); }

inline BYTE ClampSample(int v)
{
    v += 128;
    if (unsigned(v) > 255) v = v < 0 ? 0 : 255;
    return BYTE(v);
}

inline int16_t DcOnlyPass(int32_t x0)
{
    return int16_t(Signed(uint32_t(x0) * 46341u + 65536u) >> 17);
}

// One 1-D pass over x[0..7] (spaced by step) into y[0..7] (spaced by outStep).
inline void IdctPass(const int16_t* x, int16_t* y, int outStep)
{
    int32_t x0 = x[0], x1 = x[1], x2 = x[2], x3 = x[3], x4 = x[4], x5 = x[5], x6 = x[6], x7 = x[7];

    uint32_t e0 = uint32_t(x0 + x4) * 46341u;
    uint32_t e1 = uint32_t(x0 - x4) * 46341u;
    uint32_t s = uint32_t(x2) * 60547u + uint32_t(x6) * 25080u;
    uint32_t d = uint32_t(x2) * 25080u - uint32_t(x6) * 60547u;
    uint32_t a0 = e0 + s, a3 = e0 - s, a1 = e1 + d, a2 = e1 - d;

    int32_t p = Signed(uint32_t(x3 - x5) * 46341u + 8192u) >> 14;
    int32_t q = Signed(uint32_t(x3 + x5) * 46341u + 8192u) >> 14;
    int32_t t = int16_t(4 * x1 + q);
    int32_t r = int16_t(4 * x1 - q);
    int32_t w = int16_t(4 * x7 + p);
    int32_t u = int16_t(4 * x7 - p);
    uint32_t b0 = uint32_t(t) * 16069u + uint32_t(w) * 3196u;
    uint32_t b3 = uint32_t(t) * 3196u - uint32_t(w) * 16069u;
    uint32_t b1 = uint32_t(r) * 13623u - uint32_t(u) * 9102u;
    uint32_t b2 = uint32_t(u) * 13623u + uint32_t(r) * 9102u;

    y[0 * outStep] = int16_t(Signed(a0 + b0 + 65536u) >> 17);
    y[7 * outStep] = int16_t(Signed(a0 - b0 + 65536u) >> 17);
    y[1 * outStep] = int16_t(Signed(a1 + b1 + 65536u) >> 17);
    y[6 * outStep] = int16_t(Signed(a1 - b1 + 65536u) >> 17);
    y[2 * outStep] = int16_t(Signed(a2 + b2 + 65536u) >> 17);
    y[5 * outStep] = int16_t(Signed(a2 - b2 + 65536u) >> 17);
    y[3 * outStep] = int16_t(Signed(a3 + b3 + 65536u) >> 17);
    y[4 * outStep] = int16_t(Signed(a3 - b3 + 65536u) >> 17);
}

// True when x[1..7] are all zero.
inline bool OnlyFirstSet(const int16_t* x)
{
    return (x[1] | x[2] | x[3] | x[4] | x[5] | x[6] | x[7]) == 0;
}
}

void JpegInverseDctPortable(int16_t block[64], BYTE* out, ptrdiff_t stride)
{
    int16_t work[64];
    // Rows of the input into columns of the work block.
    for (int i = 0; i < 8; ++i) {
        const int16_t* row = block + 8 * i;
        if (OnlyFirstSet(row)) {
            int16_t v = DcOnlyPass(row[0]);
            for (int k = 0; k < 8; ++k) work[8 * k + i] = v;
        } else {
            IdctPass(row, work + i, 8);
        }
    }
    // Rows of the work block into columns of the output (row m, column k).
    int16_t column[8];
    for (int k = 0; k < 8; ++k) {
        const int16_t* row = work + 8 * k;
        if (OnlyFirstSet(row)) {
            BYTE v = ClampSample(DcOnlyPass(row[0]));
            for (int m = 0; m < 8; ++m) out[m * stride + k] = v;
        } else {
            IdctPass(row, column, 1);
            for (int m = 0; m < 8; ++m) out[m * stride + k] = ClampSample(column[m]);
        }
    }
}

#ifdef KESTREL_X86
namespace {
// Products of 16-bit lanes with constants above 32767 are split as
// x * c = (x << 16) + x * (c - 65536), both exact modulo 2^32, so the sums
// of pairs that _mm_madd_epi16 forms give the same 32-bit results as the
// scalar unsigned arithmetic.
KESTREL_TARGET_SSE2 inline __m128i Pair(int16_t a, int16_t b) { return _mm_set1_epi32(int32_t(uint16_t(a)) | int32_t(uint32_t(uint16_t(b)) << 16)); }

// The low 16 bits of the int32 lanes of a and b interleaved as 16-bit
// pairs: the truncation to int16_t of the scalar code comes with it.
KESTREL_TARGET_SSE2 inline __m128i PackPairs(__m128i a, __m128i b)
{
    return _mm_or_si128(_mm_and_si128(a, _mm_set1_epi32(0xFFFF)), _mm_slli_epi32(b, 16));
}

// The 1-D transform on four columns: x[j] holds input j of each column as
// (x_j, partner) pairs made by the unpack in ColumnPass; results as int32.
struct Half {
    __m128i y[8];
};

KESTREL_TARGET_SSE2 inline void ColumnHalf(__m128i p04, __m128i p26, __m128i p35, __m128i x1Shifted, __m128i x7Shifted,
                       __m128i x2High, __m128i x6High, Half& h)
{
    const __m128i one = _mm_set1_epi32(0x00010001);
    const __m128i plusMinus = Pair(1, -1);
    // (x0 + x4) * 46341 and (x0 - x4) * 46341.
    __m128i e0 = _mm_add_epi32(_mm_madd_epi16(p04, Pair(46341 - 65536, 46341 - 65536)),
                               _mm_slli_epi32(_mm_madd_epi16(p04, one), 16));
    __m128i e1 = _mm_add_epi32(_mm_madd_epi16(p04, Pair(46341 - 65536, 65536 - 46341)),
                               _mm_slli_epi32(_mm_madd_epi16(p04, plusMinus), 16));
    // x2 * 60547 + x6 * 25080 and x2 * 25080 - x6 * 60547.
    __m128i s = _mm_add_epi32(_mm_madd_epi16(p26, Pair(60547 - 65536, 25080)), x2High);
    __m128i d = _mm_sub_epi32(_mm_madd_epi16(p26, Pair(25080, 65536 - 60547)), x6High);
    // The final rounding (+ 2^16 before the shift by 17) rides on e0 and e1.
    const __m128i round17 = _mm_set1_epi32(65536);
    e0 = _mm_add_epi32(e0, round17);
    e1 = _mm_add_epi32(e1, round17);
    __m128i a0 = _mm_add_epi32(e0, s), a3 = _mm_sub_epi32(e0, s);
    __m128i a1 = _mm_add_epi32(e1, d), a2 = _mm_sub_epi32(e1, d);

    const __m128i round14 = _mm_set1_epi32(8192);
    __m128i p = _mm_srai_epi32(
        _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(p35, Pair(46341 - 65536, 65536 - 46341)),
                                    _mm_slli_epi32(_mm_madd_epi16(p35, plusMinus), 16)),
                      round14),
        14);
    __m128i q = _mm_srai_epi32(
        _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(p35, Pair(46341 - 65536, 46341 - 65536)),
                                    _mm_slli_epi32(_mm_madd_epi16(p35, one), 16)),
                      round14),
        14);
    __m128i t = _mm_add_epi32(x1Shifted, q);
    __m128i r = _mm_sub_epi32(x1Shifted, q);
    __m128i w = _mm_add_epi32(x7Shifted, p);
    __m128i u = _mm_sub_epi32(x7Shifted, p);
    __m128i tw = PackPairs(t, w), ru = PackPairs(r, u);
    __m128i b0 = _mm_madd_epi16(tw, Pair(16069, 3196));
    __m128i b3 = _mm_madd_epi16(tw, Pair(3196, -16069));
    __m128i b1 = _mm_madd_epi16(ru, Pair(13623, -9102));
    __m128i b2 = _mm_madd_epi16(ru, Pair(9102, 13623));

    h.y[0] = _mm_srai_epi32(_mm_add_epi32(a0, b0), 17);
    h.y[7] = _mm_srai_epi32(_mm_sub_epi32(a0, b0), 17);
    h.y[1] = _mm_srai_epi32(_mm_add_epi32(a1, b1), 17);
    h.y[6] = _mm_srai_epi32(_mm_sub_epi32(a1, b1), 17);
    h.y[2] = _mm_srai_epi32(_mm_add_epi32(a2, b2), 17);
    h.y[5] = _mm_srai_epi32(_mm_sub_epi32(a2, b2), 17);
    h.y[3] = _mm_srai_epi32(_mm_add_epi32(a3, b3), 17);
    h.y[4] = _mm_srai_epi32(_mm_sub_epi32(a3, b3), 17);
}

// The 1-D transform on eight lanes at once: x[j] holds input j of each
// lane; y[m] receives output m of each lane as 16-bit values (the results
// lie within +-16384, so packing is exact).
KESTREL_TARGET_SSE2 inline void Pass8(const __m128i x[8], __m128i y[8])
{
    const __m128i zero = _mm_setzero_si128();
    Half low, high;
    ColumnHalf(_mm_unpacklo_epi16(x[0], x[4]), _mm_unpacklo_epi16(x[2], x[6]), _mm_unpacklo_epi16(x[3], x[5]),
               _mm_srai_epi32(_mm_unpacklo_epi16(zero, x[1]), 14), _mm_srai_epi32(_mm_unpacklo_epi16(zero, x[7]), 14),
               _mm_unpacklo_epi16(zero, x[2]), _mm_unpacklo_epi16(zero, x[6]), low);
    ColumnHalf(_mm_unpackhi_epi16(x[0], x[4]), _mm_unpackhi_epi16(x[2], x[6]), _mm_unpackhi_epi16(x[3], x[5]),
               _mm_srai_epi32(_mm_unpackhi_epi16(zero, x[1]), 14), _mm_srai_epi32(_mm_unpackhi_epi16(zero, x[7]), 14),
               _mm_unpackhi_epi16(zero, x[2]), _mm_unpackhi_epi16(zero, x[6]), high);
    for (int m = 0; m < 8; ++m) y[m] = _mm_packs_epi32(low.y[m], high.y[m]);
}

// 8x8 transpose of 16-bit values held as eight row registers.
KESTREL_TARGET_SSE2 inline void Transpose(const __m128i a[8], __m128i t[8])
{
    __m128i b0 = _mm_unpacklo_epi16(a[0], a[1]), b1 = _mm_unpackhi_epi16(a[0], a[1]);
    __m128i b2 = _mm_unpacklo_epi16(a[2], a[3]), b3 = _mm_unpackhi_epi16(a[2], a[3]);
    __m128i b4 = _mm_unpacklo_epi16(a[4], a[5]), b5 = _mm_unpackhi_epi16(a[4], a[5]);
    __m128i b6 = _mm_unpacklo_epi16(a[6], a[7]), b7 = _mm_unpackhi_epi16(a[6], a[7]);
    __m128i c0 = _mm_unpacklo_epi32(b0, b2), c1 = _mm_unpackhi_epi32(b0, b2);
    __m128i c2 = _mm_unpacklo_epi32(b1, b3), c3 = _mm_unpackhi_epi32(b1, b3);
    __m128i c4 = _mm_unpacklo_epi32(b4, b6), c5 = _mm_unpackhi_epi32(b4, b6);
    __m128i c6 = _mm_unpacklo_epi32(b5, b7), c7 = _mm_unpackhi_epi32(b5, b7);
    t[0] = _mm_unpacklo_epi64(c0, c4);
    t[1] = _mm_unpackhi_epi64(c0, c4);
    t[2] = _mm_unpacklo_epi64(c1, c5);
    t[3] = _mm_unpackhi_epi64(c1, c5);
    t[4] = _mm_unpacklo_epi64(c2, c6);
    t[5] = _mm_unpackhi_epi64(c2, c6);
    t[6] = _mm_unpacklo_epi64(c3, c7);
    t[7] = _mm_unpackhi_epi64(c3, c7);
}

KESTREL_TARGET_SSE2 void InverseDctSse2(int16_t block[64], BYTE* out, ptrdiff_t stride)
{
    __m128i rows[8], x[8], work[8];
    int busyRows = 0;
    for (int i = 0; i < 8; ++i)
        if (!OnlyFirstSet(block + 8 * i)) ++busyRows;
    if (busyRows >= 3) {
        // Pass 1 on the rows of the block: with the block transposed, lane i
        // of register k is input k of row i, and output register m is row m
        // of the work block. Pass 2 works on the rows of the work block, so
        // it is transposed again.
        for (int j = 0; j < 8; ++j) rows[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * j));
        Transpose(rows, x);
        Pass8(x, work);
        Transpose(work, x);
    } else {
        // Few rows carry AC values: pass 1 row by row, each row's results
        // forming row i of the transposed work block directly.
        alignas(16) int16_t tmp[64];
        for (int i = 0; i < 8; ++i) {
            const int16_t* row = block + 8 * i;
            if (OnlyFirstSet(row)) {
                int16_t v = DcOnlyPass(row[0]);
                for (int m = 0; m < 8; ++m) tmp[8 * i + m] = v;
            } else {
                IdctPass(row, tmp + 8 * i, 1);
            }
        }
        for (int j = 0; j < 8; ++j) x[j] = _mm_load_si128(reinterpret_cast<const __m128i*>(tmp + 8 * j));
    }
    Pass8(x, rows);
    // + 128, then the unsigned saturation clamps to 0..255.
    const __m128i bias = _mm_set1_epi16(128);
    for (int m = 0; m < 8; ++m) {
        __m128i v = _mm_add_epi16(rows[m], bias);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + m * stride), _mm_packus_epi16(v, v));
    }
}
}
#endif

namespace {
void BatchPortable(const JpegIdctJob* jobs, int count)
{
    for (int i = 0; i < count; ++i) JpegInverseDctPortable(jobs[i].block, jobs[i].out, jobs[i].stride);
}

#ifdef KESTREL_X86
KESTREL_TARGET_SSE2 void BatchSse2(const JpegIdctJob* jobs, int count)
{
    for (int i = 0; i < count; ++i) InverseDctSse2(jobs[i].block, jobs[i].out, jobs[i].stride);
}

void BatchAvx2(const JpegIdctJob* jobs, int count)
{
    int i = 0;
    for (; i + 2 <= count; i += 2) JpegInverseDctPairAvx2(jobs[i], jobs[i + 1]);
    if (i < count) InverseDctSse2(jobs[i].block, jobs[i].out, jobs[i].stride);
}
#endif
}

JpegInverseDctBatch ActiveJpegInverseDctBatch()
{
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kAvx2) return BatchAvx2;
    if (ActiveSimdLevel() >= SimdLevel::kSse2) return BatchSse2;
#endif
    return BatchPortable;
}

void JpegInverseDct(int16_t block[64], BYTE* out, ptrdiff_t stride)
{
    const JpegIdctJob job = {block, out, stride};
    ActiveJpegInverseDctBatch()(&job, 1);
}

void JpegInverseDctDcOnly(int16_t dc, BYTE* out, ptrdiff_t stride)
{
    BYTE v = ClampSample(DcOnlyPass(DcOnlyPass(dc)));
    for (int m = 0; m < 8; ++m) std::memset(out + m * stride, v, 8);
}
