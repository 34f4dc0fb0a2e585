// YCbCr to RGB through four 256-entry tables. Each table entry is a
// chroma value c mapped to x = 2c - 255 (twice the offset from 127.5), so
// the JFIF factors 1.402, 0.71414, 0.34414 and 1.772 appear halved and
// scaled by 16384: 11485, 5850, 2819, 14516.
#include "JpegColor.h"

#include "../framework/CpuFeatures.h"

#include <cstring>

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace {
struct Tables {
    JpegColorTables color;
    BYTE clamp[1024];  // index v + 384 for v in -384..639

    Tables()
    {
        for (int i = 0; i < 256; ++i) {
            int x = 2 * i - 255;
            color.redFromCr[i] = int16_t((x * 11485 + 8192) / 16384);
            color.blueFromCb[i] = int16_t((x * 14516 + 8192) / 16384);
            color.greenFromCr[i] = 8192 - x * 5850;
            color.greenFromCb[i] = -x * 2819;
        }
        for (int v = -384; v < 640; ++v) clamp[v + 384] = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}
}

const JpegColorTables& JpegDecoderColorTables() { return GetTables().color; }

namespace {
void FullToBgrScalar(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    const Tables& t = GetTables();
    const BYTE* clamp = t.clamp + 384;
    for (int i = 0; i < count; ++i) {
        int luma = y[i];
        int b = cb[i], r = cr[i];
        bgr[0] = clamp[luma + t.color.blueFromCb[b]];
        bgr[1] = clamp[luma + ((t.color.greenFromCb[b] + t.color.greenFromCr[r]) >> 14)];
        bgr[2] = clamp[luma + t.color.redFromCr[r]];
        bgr += 3;
    }
}

void HalfToBgrScalar(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    const Tables& t = GetTables();
    const BYTE* clamp = t.clamp + 384;
    for (int i = 0; i < count; i += 2) {
        int b = cb[i >> 1], r = cr[i >> 1];
        int blue = t.color.blueFromCb[b], red = t.color.redFromCr[r];
        int green = (t.color.greenFromCb[b] + t.color.greenFromCr[r]) >> 14;
        int luma = y[i];
        bgr[0] = clamp[luma + blue];
        bgr[1] = clamp[luma + green];
        bgr[2] = clamp[luma + red];
        if (i + 1 == count) break;
        luma = y[i + 1];
        bgr[3] = clamp[luma + blue];
        bgr[4] = clamp[luma + green];
        bgr[5] = clamp[luma + red];
        bgr += 6;
    }
}

#ifdef KESTREL_X86
// The table values computed in 16-bit lanes: x = 2c - 255; red and blue are
// (x * k + 8192) / 16384 truncated toward zero, green the arithmetic shift
// of 8192 - xb * 2819 - xr * 5850. All products fit _mm_madd_epi16.
KESTREL_TARGET_SSE2 inline __m128i TruncatedQuotient(__m128i n)
{
    __m128i sign = _mm_srai_epi32(n, 31);
    __m128i magnitude = _mm_srli_epi32(_mm_sub_epi32(_mm_xor_si128(n, sign), sign), 14);
    return _mm_sub_epi32(_mm_xor_si128(magnitude, sign), sign);
}

KESTREL_TARGET_SSE2 inline __m128i Pair16(int a, int b)
{
    return _mm_set1_epi32(int32_t(uint16_t(a)) | int32_t(uint32_t(uint16_t(b)) << 16));
}

KESTREL_TARGET_SSE2 inline void ChromaOffsets(__m128i cb, __m128i cr, __m128i& red, __m128i& green, __m128i& blue)
{
    const __m128i k255 = _mm_set1_epi16(255), one = _mm_set1_epi16(1);
    __m128i xb = _mm_sub_epi16(_mm_add_epi16(cb, cb), k255);
    __m128i xr = _mm_sub_epi16(_mm_add_epi16(cr, cr), k255);
    __m128i r1 = _mm_unpacklo_epi16(xr, one), r2 = _mm_unpackhi_epi16(xr, one);
    red = _mm_packs_epi32(TruncatedQuotient(_mm_madd_epi16(r1, Pair16(11485, 8192))),
                          TruncatedQuotient(_mm_madd_epi16(r2, Pair16(11485, 8192))));
    __m128i b1 = _mm_unpacklo_epi16(xb, one), b2 = _mm_unpackhi_epi16(xb, one);
    blue = _mm_packs_epi32(TruncatedQuotient(_mm_madd_epi16(b1, Pair16(14516, 8192))),
                           TruncatedQuotient(_mm_madd_epi16(b2, Pair16(14516, 8192))));
    const __m128i round = _mm_set1_epi32(8192);
    __m128i g1 = _mm_unpacklo_epi16(xb, xr), g2 = _mm_unpackhi_epi16(xb, xr);
    green = _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(g1, Pair16(-2819, -5850)), round), 14),
                            _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(g2, Pair16(-2819, -5850)), round), 14));
}

// Four B, G, R, 0 quads in a register packed into its first 12 bytes.
KESTREL_TARGET_SSE2 inline __m128i PackQuads(__m128i quads)
{
    const __m128i keepLow = _mm_set_epi32(0, -1, 0, -1);
    const __m128i keepShifted = _mm_set_epi32(0x0000FFFF, static_cast<int>(0xFF000000u), 0x0000FFFF,
                                              static_cast<int>(0xFF000000u));
    // Per 64-bit half: p_even | p_odd << 24.
    __m128i pairs = _mm_or_si128(_mm_and_si128(quads, keepLow), _mm_and_si128(_mm_srli_epi64(quads, 8), keepShifted));
    const __m128i firstSix = _mm_set_epi32(0, 0, 0x0000FFFF, -1);
    const __m128i nextSix = _mm_set_epi32(0, -1, static_cast<int>(0xFFFF0000u), 0);
    return _mm_or_si128(_mm_and_si128(pairs, firstSix), _mm_and_si128(_mm_srli_si128(pairs, 2), nextSix));
}

// 16 pixels: Y bytes plus per-pixel offsets (two halves of eight) to B, G, R.
// Each 12-byte group is stored with a 16-byte write, so 4 bytes past the 48
// are touched: callers keep at least two more pixels after the group.
KESTREL_TARGET_SSE2 inline void StoreBgr16(__m128i y, const __m128i red[2], const __m128i green[2],
                                           const __m128i blue[2], BYTE* bgr)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i yl = _mm_unpacklo_epi8(y, zero), yh = _mm_unpackhi_epi8(y, zero);
    __m128i r = _mm_packus_epi16(_mm_add_epi16(yl, red[0]), _mm_add_epi16(yh, red[1]));
    __m128i g = _mm_packus_epi16(_mm_add_epi16(yl, green[0]), _mm_add_epi16(yh, green[1]));
    __m128i b = _mm_packus_epi16(_mm_add_epi16(yl, blue[0]), _mm_add_epi16(yh, blue[1]));
    __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
    __m128i rLow = _mm_unpacklo_epi8(r, zero), rHigh = _mm_unpackhi_epi8(r, zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr), PackQuads(_mm_unpacklo_epi16(bgLow, rLow)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 12), PackQuads(_mm_unpackhi_epi16(bgLow, rLow)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 24), PackQuads(_mm_unpacklo_epi16(bgHigh, rHigh)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 36), PackQuads(_mm_unpackhi_epi16(bgHigh, rHigh)));
}

// The pixels of a row up to the last whole 16 that leaves two more; returns
// how many were done.
KESTREL_TARGET_SSE2 int FullToBgrSse2(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 18 <= count; i += 16) {
        __m128i cbBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + i));
        __m128i crBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + i));
        __m128i red[2], green[2], blue[2];
        ChromaOffsets(_mm_unpacklo_epi8(cbBytes, zero), _mm_unpacklo_epi8(crBytes, zero), red[0], green[0], blue[0]);
        ChromaOffsets(_mm_unpackhi_epi8(cbBytes, zero), _mm_unpackhi_epi8(crBytes, zero), red[1], green[1], blue[1]);
        StoreBgr16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i)), red, green, blue, bgr + 3 * i);
    }
    return i;
}

KESTREL_TARGET_SSE2 int HalfToBgrSse2(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 18 <= count; i += 16) {
        __m128i cb16 = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb + i / 2)), zero);
        __m128i cr16 = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr + i / 2)), zero);
        __m128i r, g, b;
        ChromaOffsets(cb16, cr16, r, g, b);
        __m128i red[2] = {_mm_unpacklo_epi16(r, r), _mm_unpackhi_epi16(r, r)};
        __m128i green[2] = {_mm_unpacklo_epi16(g, g), _mm_unpackhi_epi16(g, g)};
        __m128i blue[2] = {_mm_unpacklo_epi16(b, b), _mm_unpackhi_epi16(b, b)};
        StoreBgr16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i)), red, green, blue, bgr + 3 * i);
    }
    return i;
}

// Both rows of a 4:2:0 pair from one computation of the chroma offsets.
KESTREL_TARGET_SSE2 int HalfToBgrPairSse2(const BYTE* y0, const BYTE* y1, const BYTE* cb, const BYTE* cr, BYTE* bgr0,
                                          BYTE* bgr1, int count)
{
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 18 <= count; i += 16) {
        __m128i cb16 = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb + i / 2)), zero);
        __m128i cr16 = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr + i / 2)), zero);
        __m128i r, g, b;
        ChromaOffsets(cb16, cr16, r, g, b);
        __m128i red[2] = {_mm_unpacklo_epi16(r, r), _mm_unpackhi_epi16(r, r)};
        __m128i green[2] = {_mm_unpacklo_epi16(g, g), _mm_unpackhi_epi16(g, g)};
        __m128i blue[2] = {_mm_unpacklo_epi16(b, b), _mm_unpackhi_epi16(b, b)};
        StoreBgr16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y0 + i)), red, green, blue, bgr0 + 3 * i);
        StoreBgr16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y1 + i)), red, green, blue, bgr1 + 3 * i);
    }
    return i;
}

// The AVX2 path: ChromaOffsets on sixteen chroma samples per register.
// Every step works within 128-bit lanes, so lane 0 serves pixels 0..15 of
// a group of 32 and lane 1 pixels 16..31, and each result is the SSE2 one.
KESTREL_TARGET_AVX2 inline __m256i TruncatedQuotient(__m256i n)
{
    return _mm256_sign_epi32(_mm256_srli_epi32(_mm256_abs_epi32(n), 14), n);
}

KESTREL_TARGET_AVX2 inline __m256i Pair16x16(int a, int b)
{
    return _mm256_set1_epi32(int32_t(uint16_t(a)) | int32_t(uint32_t(uint16_t(b)) << 16));
}

KESTREL_TARGET_AVX2 inline void ChromaOffsets(__m256i cb, __m256i cr, __m256i& red, __m256i& green, __m256i& blue)
{
    const __m256i k255 = _mm256_set1_epi16(255), one = _mm256_set1_epi16(1);
    __m256i xb = _mm256_sub_epi16(_mm256_add_epi16(cb, cb), k255);
    __m256i xr = _mm256_sub_epi16(_mm256_add_epi16(cr, cr), k255);
    __m256i r1 = _mm256_unpacklo_epi16(xr, one), r2 = _mm256_unpackhi_epi16(xr, one);
    red = _mm256_packs_epi32(TruncatedQuotient(_mm256_madd_epi16(r1, Pair16x16(11485, 8192))),
                             TruncatedQuotient(_mm256_madd_epi16(r2, Pair16x16(11485, 8192))));
    __m256i b1 = _mm256_unpacklo_epi16(xb, one), b2 = _mm256_unpackhi_epi16(xb, one);
    blue = _mm256_packs_epi32(TruncatedQuotient(_mm256_madd_epi16(b1, Pair16x16(14516, 8192))),
                              TruncatedQuotient(_mm256_madd_epi16(b2, Pair16x16(14516, 8192))));
    const __m256i round = _mm256_set1_epi32(8192);
    __m256i g1 = _mm256_unpacklo_epi16(xb, xr), g2 = _mm256_unpackhi_epi16(xb, xr);
    green = _mm256_packs_epi32(
        _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(g1, Pair16x16(-2819, -5850)), round), 14),
        _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(g2, Pair16x16(-2819, -5850)), round), 14));
}

// Byte masks that gather, for each 16-byte part j of 16 interleaved
// B, G, R pixels, byte t = 16j + i from pixel t / 3 of channel t % 3.
struct InterleaveMasks {
    BYTE mask[3][3][32];  // [part][channel][byte], both lanes alike
    InterleaveMasks()
    {
        for (int part = 0; part < 3; ++part)
            for (int channel = 0; channel < 3; ++channel)
                for (int i = 0; i < 32; ++i) {
                    const int t = 16 * part + i % 16;
                    mask[part][channel][i] = BYTE(t % 3 == channel ? t / 3 : 0x80);
                }
    }
};

// 32 pixels: Y bytes in natural order, the offsets per pixel as the two
// in-lane halves that _mm256_unpacklo/hi_epi8 give; writes exactly 96 bytes.
KESTREL_TARGET_AVX2 inline void StoreBgr32(__m256i y, const __m256i red[2], const __m256i green[2],
                                           const __m256i blue[2], const InterleaveMasks& masks, BYTE* bgr)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i yl = _mm256_unpacklo_epi8(y, zero), yh = _mm256_unpackhi_epi8(y, zero);
    const __m256i channels[3] = {
        _mm256_packus_epi16(_mm256_add_epi16(yl, blue[0]), _mm256_add_epi16(yh, blue[1])),
        _mm256_packus_epi16(_mm256_add_epi16(yl, green[0]), _mm256_add_epi16(yh, green[1])),
        _mm256_packus_epi16(_mm256_add_epi16(yl, red[0]), _mm256_add_epi16(yh, red[1]))};
    __m256i parts[3];
    for (int part = 0; part < 3; ++part) {
        __m256i v = zero;
        for (int c = 0; c < 3; ++c)
            v = _mm256_or_si256(v, _mm256_shuffle_epi8(channels[c], _mm256_loadu_si256(reinterpret_cast<const __m256i*>(
                                                                       masks.mask[part][c]))));
        parts[part] = v;
    }
    // Lane 0 of the parts holds bytes 0..47, lane 1 bytes 48..95.
    __m256i* out = reinterpret_cast<__m256i*>(bgr);
    _mm256_storeu_si256(out, _mm256_permute2x128_si256(parts[0], parts[1], 0x20));
    _mm256_storeu_si256(out + 1, _mm256_permute2x128_si256(parts[2], parts[0], 0x30));
    _mm256_storeu_si256(out + 2, _mm256_permute2x128_si256(parts[1], parts[2], 0x31));
}

// The offsets for 32 pixels from the sixteen chroma samples that serve
// them: sample k serves pixels 2k and 2k + 1, and within each lane the
// duplicated halves line up with the halves of the unpacked Y bytes.
KESTREL_TARGET_AVX2 inline void HalfOffsets(const BYTE* cb, const BYTE* cr, __m256i red[2], __m256i green[2],
                                            __m256i blue[2])
{
    __m256i cb16 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cb)));
    __m256i cr16 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cr)));
    __m256i r, g, b;
    ChromaOffsets(cb16, cr16, r, g, b);
    red[0] = _mm256_unpacklo_epi16(r, r), red[1] = _mm256_unpackhi_epi16(r, r);
    green[0] = _mm256_unpacklo_epi16(g, g), green[1] = _mm256_unpackhi_epi16(g, g);
    blue[0] = _mm256_unpacklo_epi16(b, b), blue[1] = _mm256_unpackhi_epi16(b, b);
}

// The pixels of a row (two rows) up to the last whole 32; returns how many
// were done.
KESTREL_TARGET_AVX2 int HalfToBgrPairAvx2(const BYTE* y0, const BYTE* y1, const BYTE* cb, const BYTE* cr, BYTE* bgr0,
                                          BYTE* bgr1, int count)
{
    static const InterleaveMasks masks;
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i red[2], green[2], blue[2];
        HalfOffsets(cb + i / 2, cr + i / 2, red, green, blue);
        StoreBgr32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(y0 + i)), red, green, blue, masks, bgr0 + 3 * i);
        StoreBgr32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(y1 + i)), red, green, blue, masks, bgr1 + 3 * i);
    }
    return i;
}

KESTREL_TARGET_AVX2 int HalfToBgrAvx2(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    static const InterleaveMasks masks;
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256i red[2], green[2], blue[2];
        HalfOffsets(cb + i / 2, cr + i / 2, red, green, blue);
        StoreBgr32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + i)), red, green, blue, masks, bgr + 3 * i);
    }
    return i;
}

KESTREL_TARGET_AVX2 int FullToBgrAvx2(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    static const InterleaveMasks masks;
    const __m256i zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i cbBytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cb + i));
        const __m256i crBytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cr + i));
        // Unpacked within lanes, as StoreBgr32 unpacks the Y bytes.
        __m256i red[2], green[2], blue[2];
        ChromaOffsets(_mm256_unpacklo_epi8(cbBytes, zero), _mm256_unpacklo_epi8(crBytes, zero), red[0], green[0],
                      blue[0]);
        ChromaOffsets(_mm256_unpackhi_epi8(cbBytes, zero), _mm256_unpackhi_epi8(crBytes, zero), red[1], green[1],
                      blue[1]);
        StoreBgr32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + i)), red, green, blue, masks, bgr + 3 * i);
    }
    return i;
}
#endif
}

void JpegYCbCrToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    int i = 0;
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kAvx2)
        i = FullToBgrAvx2(y, cb, cr, bgr, count);
    else if (ActiveSimdLevel() >= SimdLevel::kSse2)
        i = FullToBgrSse2(y, cb, cr, bgr, count);
#endif
    FullToBgrScalar(y + i, cb + i, cr + i, bgr + 3 * i, count - i);
}

void JpegYCbCrHalfToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    int i = 0;
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kAvx2)
        i = HalfToBgrAvx2(y, cb, cr, bgr, count);
    else if (ActiveSimdLevel() >= SimdLevel::kSse2)
        i = HalfToBgrSse2(y, cb, cr, bgr, count);
#endif
    HalfToBgrScalar(y + i, cb + i / 2, cr + i / 2, bgr + 3 * i, count - i);
}

void JpegYCbCrHalfToBgrPair(const BYTE* y0, const BYTE* y1, const BYTE* cb, const BYTE* cr, BYTE* bgr0, BYTE* bgr1,
                            int count)
{
    int i = 0;
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kAvx2)
        i = HalfToBgrPairAvx2(y0, y1, cb, cr, bgr0, bgr1, count);
    else if (ActiveSimdLevel() >= SimdLevel::kSse2)
        i = HalfToBgrPairSse2(y0, y1, cb, cr, bgr0, bgr1, count);
#endif
    HalfToBgrScalar(y0 + i, cb + i / 2, cr + i / 2, bgr0 + 3 * i, count - i);
    HalfToBgrScalar(y1 + i, cb + i / 2, cr + i / 2, bgr1 + 3 * i, count - i);
}

void JpegRgbToBgr(const BYTE* r, const BYTE* g, const BYTE* b, BYTE* bgr, int count)
{
    for (int i = 0; i < count; ++i, bgr += 3) {
        bgr[0] = b[i];
        bgr[1] = g[i];
        bgr[2] = r[i];
    }
}
