// Black & White, Grayscale and Invert. Images with a colour table are
// converted through the table (one decision per entry, then a look-up per
// pixel, or no pixel work at all); 24-bit images per pixel.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/CpuFeatures.h"
#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <vector>

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
#endif

BYTE GrayOf(BYTE red, BYTE green, BYTE blue)
{
    if (red == green && green == blue) return red;
    return BYTE((30 * red + 54 * green + 11 * blue) / 100);
}

namespace {
bool IsWhite(const BlackWhiteOptions& table, int red, int green, int blue)
{
    return table.map[NearestColorIndex(kStandard16, 16, red, green, blue)] != 0;
}

void WriteGrayRamp(RGBQUAD* table)
{
    for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
}

// 8 bits, scalar: two pixels per look-up in a table that maps two indices,
// as they lie in memory, to their two levels in the same places.
void MapIndexPairs(const ImageLock& src, const ImageWriteLock& dst, const BYTE* grayOfIndex)
{
    std::vector<uint16_t> pairs(65536);
    for (int i = 0; i < 65536; ++i) {
        const BYTE in[2] = {BYTE(i), BYTE(i >> 8)}, out[2] = {grayOfIndex[in[0]], grayOfIndex[in[1]]};
        uint16_t key, value;
        std::memcpy(&key, in, 2);
        std::memcpy(&value, out, 2);
        pairs[key] = value;
    }
    const int32_t width = src.Width();
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        int32_t x = 0;
        for (; x + 8 <= width; x += 8) {
            // Eight equal indices (flat screen areas) take one look-up.
            uint64_t eight;
            std::memcpy(&eight, in + x, 8);
            if (eight == in[x] * 0x0101010101010101ull) {
                std::memset(out + x, grayOfIndex[in[x]], 8);
                continue;
            }
            for (int i = 0; i < 8; i += 2) {
                uint16_t two;
                std::memcpy(&two, in + x + i, 2);
                std::memcpy(out + x + i, &pairs[two], 2);
            }
        }
        for (; x < width; ++x) out[x] = grayOfIndex[in[x]];
    }
}

#ifdef KESTREL_X86
// 8 bits, AVX2: a byte shuffle looks up 16 entries, chosen by the low four
// bits of each index, and gives 0 where the index's top bit is set. With
// the index's top bit dropped, adding 0x70 - 16t to an index whose high
// nibble is h (0..7) leaves the top bit clear exactly when t >= h, so
// shuffles of D[t] = T[t] ^ T[t + 1] (T[t]: the levels of indices 16t to
// 16t + 15; D[7] = T[7]) over t = 0..7 XOR together to T[h]. The same sums
// on D[8..15] give the levels of indices 128 and up, and the index's own
// top bit picks between the two.
struct NibbleTables {
    __m256i difference[16];
    __m256i offset[8];
};

KESTREL_TARGET_AVX2 void MakeNibbleTables(const BYTE* grayOfIndex, NibbleTables* tables)
{
    for (int t = 0; t < 16; ++t) {
        alignas(32) BYTE entries[32];
        for (int i = 0; i < 16; ++i) {
            const bool lastOfHalf = t % 8 == 7;
            entries[i] = BYTE(grayOfIndex[16 * t + i] ^ (lastOfHalf ? 0 : grayOfIndex[16 * (t + 1) + i]));
            entries[16 + i] = entries[i];
        }
        tables->difference[t] = _mm256_load_si256(reinterpret_cast<const __m256i*>(entries));
    }
    for (int t = 0; t < 8; ++t) tables->offset[t] = _mm256_set1_epi8(char(0x70 - 16 * t));
}

// The pixels of a row up to the last whole 32; returns how many were done.
// Screenshots are mostly flat: 32 equal indices take one look-up.
KESTREL_TARGET_AVX2 int32_t MapIndexRowAvx2(const BYTE* in, BYTE* out, int32_t width, const NibbleTables& tables,
                                            const BYTE* grayOfIndex)
{
    int32_t x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi8(index, _mm256_set1_epi8(char(in[x])))) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_set1_epi8(char(grayOfIndex[in[x]])));
            continue;
        }
        const __m256i inHalf = _mm256_and_si256(index, _mm256_set1_epi8(0x7F));
        __m256i low = _mm256_setzero_si256(), high = _mm256_setzero_si256();
        for (int t = 0; t < 8; ++t) {
            const __m256i shifted = _mm256_add_epi8(inHalf, tables.offset[t]);
            low = _mm256_xor_si256(low, _mm256_shuffle_epi8(tables.difference[t], shifted));
            high = _mm256_xor_si256(high, _mm256_shuffle_epi8(tables.difference[t + 8], shifted));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_blendv_epi8(low, high, index));
    }
    return x;
}

void MapIndicesAvx2(const ImageLock& src, const ImageWriteLock& dst, const BYTE* grayOfIndex)
{
    NibbleTables tables;
    MakeNibbleTables(grayOfIndex, &tables);
    const int32_t width = src.Width();
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        for (int32_t x = MapIndexRowAvx2(in, out, width, tables, grayOfIndex); x < width; ++x)
            out[x] = grayOfIndex[in[x]];
    }
}
#endif

// 8 bits: each index becomes the gray level of its colour. A table that is
// already the gray ramp leaves every index as it is.
void GrayIndexedPixels(const ImageLock& src, const ImageWriteLock& dst)
{
    BYTE grayOfIndex[256];
    bool identity = true;
    for (int i = 0; i < 256; ++i) {
        grayOfIndex[i] = GrayOf(src.Table()[i].rgbRed, src.Table()[i].rgbGreen, src.Table()[i].rgbBlue);
        identity = identity && grayOfIndex[i] == i;
    }
    if (identity) {
        for (int32_t y = 0; y < src.Height(); ++y) {
            ReportProgress(y, src.Height());
            std::memcpy(dst.Row(y), src.Row(y), src.RowBytes());
        }
        return;
    }
#ifdef KESTREL_X86
    if (ActiveSimdLevel() >= SimdLevel::kAvx2) return MapIndicesAvx2(src, dst, grayOfIndex);
#endif
    MapIndexPairs(src, dst, grayOfIndex);
}

// GrayOf without branches, so that noisy pictures cost no mispredictions:
// the weighted sum is at most 95 * 255, where s / 100 == s * 5243 >> 19.
inline BYTE GrayOfBgr(const BYTE* p)
{
    const uint32_t blue = p[0], green = p[1], red = p[2];
    const uint32_t weighted = (30 * red + 54 * green + 11 * blue) * 5243 >> 19;
    const uint32_t flat = uint32_t(red == green) & uint32_t(green == blue);
    return BYTE(flat ? red : weighted);
}

#ifdef KESTREL_X86
// One perfect shuffle of the 96 bytes in v[0..5]: the first 48 go to the
// even places, the last 48 to the odd ones. Byte p moves to 2p mod 95, so
// five rounds move byte 3k + c to 32c + k: blue, green and red apart.
KESTREL_TARGET_SSE2 inline void PerfectShuffle(__m128i v[6])
{
    const __m128i next[6] = {_mm_unpacklo_epi8(v[0], v[3]), _mm_unpackhi_epi8(v[0], v[3]),
                             _mm_unpacklo_epi8(v[1], v[4]), _mm_unpackhi_epi8(v[1], v[4]),
                             _mm_unpacklo_epi8(v[2], v[5]), _mm_unpackhi_epi8(v[2], v[5])};
    for (int i = 0; i < 6; ++i) v[i] = next[i];
}

// GrayOfBgr's weighted sum for eight pixels in 16-bit lanes.
KESTREL_TARGET_SSE2 inline __m128i WeightedGray(__m128i red, __m128i green, __m128i blue)
{
    const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(red, _mm_set1_epi16(30)),
                                                    _mm_mullo_epi16(green, _mm_set1_epi16(54))),
                                      _mm_mullo_epi16(blue, _mm_set1_epi16(11)));
    return _mm_srli_epi16(_mm_mulhi_epu16(sum, _mm_set1_epi16(5243)), 3);
}

// GrayOfBgr for sixteen pixels, one byte each in red, green and blue: the
// even and the odd pixels in 16-bit lanes.
KESTREL_TARGET_SSE2 inline __m128i GrayOf16Pixels(__m128i red, __m128i green, __m128i blue)
{
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i even = WeightedGray(_mm_and_si128(red, low), _mm_and_si128(green, low), _mm_and_si128(blue, low));
    const __m128i odd =
        WeightedGray(_mm_srli_epi16(red, 8), _mm_srli_epi16(green, 8), _mm_srli_epi16(blue, 8));
    const __m128i weighted = _mm_or_si128(even, _mm_slli_epi16(odd, 8));
    const __m128i flat = _mm_and_si128(_mm_cmpeq_epi8(red, green), _mm_cmpeq_epi8(green, blue));
    return _mm_or_si128(_mm_and_si128(flat, red), _mm_andnot_si128(flat, weighted));
}

// GrayOfBgr for 32 pixels (96 bytes) into out.
KESTREL_TARGET_SSE2 inline void GrayOf32Pixels(const BYTE* in, BYTE* out)
{
    __m128i v[6];
    for (int i = 0; i < 6; ++i) v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16 * i));
    for (int round = 0; round < 5; ++round) PerfectShuffle(v);
    // v: blue of pixels 0-15 and 16-31, then green, then red.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), GrayOf16Pixels(v[4], v[2], v[0]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), GrayOf16Pixels(v[5], v[3], v[1]));
}

// The pixels of a row up to the last whole 32; returns how many were done.
KESTREL_TARGET_SSE2 int32_t GrayRowSse2(const BYTE* in, BYTE* out, int32_t width)
{
    int32_t x = 0;
    for (; x + 32 <= width; x += 32) GrayOf32Pixels(in + 3 * x, out + x);
    return x;
}

// The same on AVX2: each 128-bit lane shuffles its own 96 bytes, so that
// 64 pixels go at a time.
KESTREL_TARGET_AVX2 inline void PerfectShuffle(__m256i v[6])
{
    const __m256i next[6] = {_mm256_unpacklo_epi8(v[0], v[3]), _mm256_unpackhi_epi8(v[0], v[3]),
                             _mm256_unpacklo_epi8(v[1], v[4]), _mm256_unpackhi_epi8(v[1], v[4]),
                             _mm256_unpacklo_epi8(v[2], v[5]), _mm256_unpackhi_epi8(v[2], v[5])};
    for (int i = 0; i < 6; ++i) v[i] = next[i];
}

KESTREL_TARGET_AVX2 inline __m256i WeightedGray(__m256i red, __m256i green, __m256i blue)
{
    const __m256i sum = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(red, _mm256_set1_epi16(30)),
                                                          _mm256_mullo_epi16(green, _mm256_set1_epi16(54))),
                                         _mm256_mullo_epi16(blue, _mm256_set1_epi16(11)));
    return _mm256_srli_epi16(_mm256_mulhi_epu16(sum, _mm256_set1_epi16(5243)), 3);
}

KESTREL_TARGET_AVX2 inline __m256i GrayOf32Pixels(__m256i red, __m256i green, __m256i blue)
{
    const __m256i low = _mm256_set1_epi16(0xFF);
    const __m256i even =
        WeightedGray(_mm256_and_si256(red, low), _mm256_and_si256(green, low), _mm256_and_si256(blue, low));
    const __m256i odd =
        WeightedGray(_mm256_srli_epi16(red, 8), _mm256_srli_epi16(green, 8), _mm256_srli_epi16(blue, 8));
    const __m256i weighted = _mm256_or_si256(even, _mm256_slli_epi16(odd, 8));
    const __m256i flat = _mm256_and_si256(_mm256_cmpeq_epi8(red, green), _mm256_cmpeq_epi8(green, blue));
    return _mm256_blendv_epi8(weighted, red, flat);
}

KESTREL_TARGET_AVX2 int32_t GrayRowAvx2(const BYTE* in, BYTE* out, int32_t width)
{
    int32_t x = 0;
    for (; x + 64 <= width; x += 64) {
        // Lane 0 holds pixels x..x+31, lane 1 pixels x+32..x+63.
        const BYTE* from = in + 3 * x;
        __m256i v[6];
        for (int i = 0; i < 6; ++i)
            v[i] = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * i))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 96 + 16 * i)), 1);
        for (int round = 0; round < 5; ++round) PerfectShuffle(v);
        const __m256i first = GrayOf32Pixels(v[4], v[2], v[0]), second = GrayOf32Pixels(v[5], v[3], v[1]);
        // first: pixels 0-15 and 32-47; second: 16-31 and 48-63.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_permute2x128_si256(first, second, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 32), _mm256_permute2x128_si256(first, second, 0x31));
    }
    return x;
}
#endif

void GrayTrueColorPixels(const ImageLock& src, const ImageWriteLock& dst)
{
    const SimdLevel level = ActiveSimdLevel();
    const int32_t width = src.Width();
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        int32_t x = 0;
#ifdef KESTREL_X86
        if (level >= SimdLevel::kAvx2) x = GrayRowAvx2(in, out, width);
        if (level >= SimdLevel::kSse2) x += GrayRowSse2(in + 3 * x, out + x, width - x);
#endif
        for (; x < width; ++x) out[x] = GrayOfBgr(in + 3 * x);
    }
}
}

ImageOpResult BlackAndWhite(const XImage& srcImage, const BlackWhiteOptions& table)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result = NewResultImage(srcImage, src.Width(), src.Height(), 1, IDS_ORIGIN_BLACK_WHITE);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    dst.Table()[1] = RGBQUAD{255, 255, 255, 0};

    bool entryWhite[256] = {};
    for (int i = 0; i < src.TableSize(); ++i) {
        const RGBQUAD& c = src.Table()[i];
        entryWhite[i] = IsWhite(table, c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    // 24-bit pictures repeat colours along a row; remember the last decision.
    uint32_t lastColor = 0;
    bool lastWhite = IsWhite(table, 0, 0, 0);
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        for (int32_t x = 0; x < src.Width(); ++x) {
            bool white;
            if (src.BitCount() == 24) {
                const uint32_t color = PixelValue(in, x, 24);
                if (color != lastColor) {
                    lastColor = color;
                    lastWhite = IsWhite(table, BYTE(color >> 16), BYTE(color >> 8), BYTE(color));
                }
                white = lastWhite;
            } else {
                white = entryWhite[PixelIndex(in, x, src.BitCount())];
            }
            if (white) out[x >> 3] = BYTE(out[x >> 3] | (0x80 >> (x & 7)));
        }
    }
    return result;
}

ImageOpResult Grayscale(const XImage& srcImage)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    const int resultBits = src.BitCount() == 24 ? 8 : src.BitCount();
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), resultBits, IDS_ORIGIN_GRAYSCALE);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    switch (src.BitCount()) {
    case 8: GrayIndexedPixels(src, dst); break;
    case 24: GrayTrueColorPixels(src, dst); break;
    default:
        // Only the table changes: the copied header already holds it.
        std::memcpy(dst.Row(0), src.Row(0), src.BitsSize());
        for (int i = 0; i < dst.TableSize(); ++i) {
            ReportProgress(i, dst.TableSize());
            RGBQUAD& c = dst.Table()[i];
            const BYTE gray = GrayOf(c.rgbRed, c.rgbGreen, c.rgbBlue);
            c = RGBQUAD{gray, gray, gray, 0};
        }
        return result;
    }
    WriteGrayRamp(dst.Table());
    return result;
}

ImageOpResult Invert(const XImage& srcImage)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), src.BitCount(), IDS_ORIGIN_INVERT);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    if (src.BitCount() != 24) {
        std::memcpy(dst.Row(0), src.Row(0), src.BitsSize());
        for (int i = 0; i < dst.TableSize(); ++i) {
            ReportProgress(i, dst.TableSize());
            RGBQUAD& c = dst.Table()[i];
            c.rgbRed = BYTE(~c.rgbRed);
            c.rgbGreen = BYTE(~c.rgbGreen);
            c.rgbBlue = BYTE(~c.rgbBlue);
        }
        return result;
    }
    // The pixel bytes only, eight at a time; the row padding stays zero.
    const size_t pixelBytes = size_t(src.Width()) * 3;
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        size_t i = 0;
        for (; i + 8 <= pixelBytes; i += 8) {
            uint64_t word;
            std::memcpy(&word, in + i, 8);
            word = ~word;
            std::memcpy(out + i, &word, 8);
        }
        for (; i < pixelBytes; ++i) out[i] = BYTE(~in[i]);
    }
    return result;
}
