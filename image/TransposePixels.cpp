// Transposition in tiles, on the vector path the processor allows. The
// tiles are visited a block of result rows at a time, walking along those
// rows: each result row is written from left to right, a tile's height of
// source rows at a time, and each source row is read in runs as long as the
// block is wide. The last tile of a row or column overlaps its neighbour
// rather than leaving a strip to go pixel by pixel.
#include "TransposePixels.h"

#include "../framework/CpuFeatures.h"
#include "../framework/Progress.h"

#include <algorithm>
#include <cstring>

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace {
// Result rows per block. At 8 bits a block's current result lines and the
// 256 bytes of each source row a row of tiles reads stay within a 32 KB
// first-level cache; at 24 bits longer runs of each source row (3 KB) were
// measured faster than the cache-sized 768 bytes.
const int32_t kBytesBlockRows = 256, kTrueColorBlockRows = 1024;

uint32_t Load32(const BYTE* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint64_t Load64(const BYTE* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void Store32(BYTE* p, uint32_t v) { std::memcpy(p, &v, 4); }

void Store64(BYTE* p, uint64_t v) { std::memcpy(p, &v, 8); }

// Swaps the bits of a selected by mask << shift with those of b selected by mask.
void SwapBlocks(uint64_t& a, uint64_t& b, int shift, uint64_t mask)
{
    const uint64_t t = ((a >> shift) ^ b) & mask;
    b ^= t;
    a ^= t << shift;
}

// 8 x 8 bytes read as eight words and transposed by swapping ever smaller
// blocks: 4 x 4, 2 x 2, 1 x 1.
struct BytesTile8 {
    static const int kSize = 8, kRows = kSize, kColumns = kSize, kReach = 8;
    static void Move(const BYTE* from, ptrdiff_t fromStride, BYTE* to, ptrdiff_t toStride)
    {
        uint64_t rows[kSize];
        for (int k = 0; k < kSize; ++k) rows[k] = Load64(from + k * fromStride);
        const uint64_t quads = 0x00000000FFFFFFFFull, pairs = 0x0000FFFF0000FFFFull, bytes = 0x00FF00FF00FF00FFull;
        for (int k = 0; k < 4; ++k) SwapBlocks(rows[k], rows[k + 4], 32, quads);
        for (int k : {0, 1, 4, 5}) SwapBlocks(rows[k], rows[k + 2], 16, pairs);
        for (int k : {0, 2, 4, 6}) SwapBlocks(rows[k], rows[k + 1], 8, bytes);
        for (int i = 0; i < kSize; ++i) Store64(to + i * toStride, rows[i]);
    }
};

// 4 x 4 pixels of 24 bits, each read as a 4-byte word (the fourth byte is
// the next pixel's, or row padding, and is masked off), written as three
// words per result row.
struct TrueColorTile4 {
    static const int kSize = 4, kRows = kSize, kColumns = kSize, kReach = 13;
    static void Move(const BYTE* from, ptrdiff_t fromStride, BYTE* to, ptrdiff_t toStride)
    {
        static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are packed into little-endian words");
        for (int i = 0; i < kSize; ++i) {
            uint32_t p[kSize];
            for (int k = 0; k < kSize; ++k) p[k] = Load32(from + k * fromStride + 3 * i) & 0xFFFFFF;
            BYTE* out = to + i * toStride;
            Store32(out, p[0] | p[1] << 24);
            Store32(out + 4, p[1] >> 8 | p[2] << 16);
            Store32(out + 8, p[2] >> 16 | p[3] << 8);
        }
    }
};

#ifdef KESTREL_X86
// 16 x 16 bytes: four rounds of interleaving row k with row k + 8 each
// rotate the eight bits of a byte's place (row, column) by one, which after
// four rounds has swapped row and column.
struct BytesTile16 {
    static const int kSize = 16, kRows = kSize, kColumns = kSize, kReach = 16;
    KESTREL_TARGET_SSE2 static void Move(const BYTE* from, ptrdiff_t fromStride, BYTE* to, ptrdiff_t toStride)
    {
        __m128i tile[kSize];
        for (int k = 0; k < kSize; ++k)
            tile[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k * fromStride));
        for (int round = 0; round < 4; ++round) {
            __m128i next[kSize];
            for (int k = 0; k < 8; ++k) {
                next[2 * k] = _mm_unpacklo_epi8(tile[k], tile[k + 8]);
                next[2 * k + 1] = _mm_unpackhi_epi8(tile[k], tile[k + 8]);
            }
            for (int k = 0; k < kSize; ++k) tile[k] = next[k];
        }
        for (int i = 0; i < kSize; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i * toStride), tile[i]);
    }
};

// 32 source rows x 16 bytes, one vector per pair of rows k and k + 16 (one
// per 128-bit lane), interleaved as BytesTile16 interleaves: each vector
// then holds one result row's 32 bytes, stored whole.
struct BytesTile32x16 {
    static const int kRows = 32, kColumns = 16, kReach = 16;
    KESTREL_TARGET_AVX2 static void Move(const BYTE* from, ptrdiff_t fromStride, BYTE* to, ptrdiff_t toStride)
    {
        __m256i tile[kColumns];
        for (int k = 0; k < kRows / 2; ++k) {
            const BYTE* low = from + k * fromStride;
            const __m128i lowRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low));
            const __m128i highRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low + kRows / 2 * fromStride));
            tile[k] = _mm256_inserti128_si256(_mm256_castsi128_si256(lowRow), highRow, 1);
        }
        for (int round = 0; round < 4; ++round) {
            __m256i next[kColumns];
            for (int k = 0; k < 8; ++k) {
                next[2 * k] = _mm256_unpacklo_epi8(tile[k], tile[k + 8]);
                next[2 * k + 1] = _mm256_unpackhi_epi8(tile[k], tile[k + 8]);
            }
            for (int k = 0; k < kColumns; ++k) tile[k] = next[k];
        }
        for (int i = 0; i < kColumns; ++i)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i * toStride), tile[i]);
    }
};

// Byte shuffles for TrueColorTileAvx2, the same in both 128-bit lanes: the
// first spreads a row's four pixels to 32-bit elements, the second squeezes
// four elements back to 12 bytes.
struct LaneShuffles {
    int8_t bytes[4][32];
};

// Row r of four puts its pixel r ^ e in element e.
constexpr LaneShuffles SpreadShuffles()
{
    LaneShuffles t{};
    for (int r = 0; r < 4; ++r)
        for (int b = 0; b < 32; ++b) {
            const int e = b % 16 / 4, c = b % 4;
            t.bytes[r][b] = int8_t(c < 3 ? 3 * (r ^ e) + c : -1);
        }
    return t;
}

// Result row i, whose pixel from row r of four sits in element i ^ r,
// takes that pixel to bytes 3r..3r+2.
constexpr LaneShuffles SqueezeShuffles()
{
    LaneShuffles t{};
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 32; ++b) {
            const int r = b % 16 / 3, c = b % 16 % 3;
            t.bytes[i][b] = int8_t(r < 4 ? 4 * (i ^ r) + c : -1);
        }
    return t;
}

constexpr LaneShuffles kSpread = SpreadShuffles(), kSqueeze = SqueezeShuffles();

// 16 source rows x 4 pixels of 24 bits, so that each result row receives
// 48 bytes. Each vector holds two source rows, one per 128-bit lane, whose
// four pixels a byte shuffle spreads to 32-bit elements, row r's pixel
// r ^ e to element e. Result row i then takes element e from row i ^ e,
// which needs only blends (cheaper than shuffles): two rounds, one choosing
// between rows 2k and 2k + 1 by bit 0 of e, one between pairs by bit 1.
// The elements are squeezed back to 12 bytes per lane and the lanes joined
// by element permutes.
struct TrueColorTileAvx2 {
    static const int kRows = 16, kColumns = 4, kReach = 16;
    KESTREL_TARGET_AVX2 static void Move(const BYTE* from, ptrdiff_t fromStride, BYTE* to, ptrdiff_t toStride)
    {
        // half[h][i]: result row i's pixels from source rows 8h..8h+3 in
        // the low lane and 8h+4..8h+7 in the high one.
        __m256i half[2][kColumns];
        for (int h = 0; h < 2; ++h) {
            __m256i r[4];
            for (int k = 0; k < 4; ++k) {
                const BYTE* low = from + (8 * h + k) * fromStride;
                const __m128i lowRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low));
                const __m128i highRow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(low + 4 * fromStride));
                const __m256i spread = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kSpread.bytes[k]));
                r[k] = _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(lowRow), highRow, 1), spread);
            }
            // The masks take odd elements, then elements 2 and 3, of each lane
            // from the second operand.
            const __m256i even01 = _mm256_blend_epi32(r[0], r[1], 0xAA), odd01 = _mm256_blend_epi32(r[1], r[0], 0xAA);
            const __m256i even23 = _mm256_blend_epi32(r[2], r[3], 0xAA), odd23 = _mm256_blend_epi32(r[3], r[2], 0xAA);
            const __m256i rows[kColumns] = {
                _mm256_blend_epi32(even01, even23, 0xCC), _mm256_blend_epi32(odd01, odd23, 0xCC),
                _mm256_blend_epi32(even23, even01, 0xCC), _mm256_blend_epi32(odd23, odd01, 0xCC)};
            for (int i = 0; i < kColumns; ++i) {
                const __m256i squeeze = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kSqueeze.bytes[i]));
                half[h][i] = _mm256_shuffle_epi8(rows[i], squeeze);
            }
        }
        // Each half holds its 24 bytes as elements 0-2 and 4-6; the first
        // 32 bytes of the row take the first half's six and the second's
        // first two, the last 16 bytes the second's other four.
        const __m256i firstOrder = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 0, 0);
        const __m256i secondOrder = _mm256_setr_epi32(2, 4, 5, 6, 0, 0, 0, 1);
        for (int i = 0; i < kColumns; ++i) {
            BYTE* out = to + i * toStride;
            const __m256i first = _mm256_permutevar8x32_epi32(half[0][i], firstOrder);
            const __m256i second = _mm256_permutevar8x32_epi32(half[1][i], secondOrder);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_blend_epi32(first, second, 0xC0));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32), _mm256_castsi256_si128(second));
        }
    }
};
#endif

// Tiles of Tile::kRows source rows by Tile::kColumns pixels of pixelBytes
// each cover the image as far as a tile's reads (Tile::kReach bytes from
// its first pixel in a source row) stay within the rows. Where the image is
// not a whole number of tiles the last tile overlaps the one before it and
// writes some pixels twice, with the same values; only columns beyond the
// last tile's reach go pixel by pixel.
template <class Tile, int pixelBytes, int32_t blockRows>
void TransposeInTiles(SourceRows from, size_t rowBytes, int32_t width, int32_t height, ResultRows to)
{
    const int32_t n = Tile::kColumns;
    int32_t lastColumn = width - n;
    while (lastColumn >= 0 && size_t(lastColumn) * pixelBytes + Tile::kReach > rowBytes) --lastColumn;
    const int32_t lastRow = height - Tile::kRows;
    const int32_t tiled = lastColumn >= 0 && lastRow >= 0 ? lastColumn + n : 0;
    for (int32_t i0 = 0; i0 < tiled; i0 += blockRows) {
        const int32_t i1 = std::min(i0 + blockRows, tiled);
        // Whole steps of n up to the last column a tile may start at, then
        // the overlapping last tile if the block reaches beyond them.
        const int32_t stepsEnd = std::min(i1, lastColumn + 1);
        for (int32_t k0 = 0; k0 < height; k0 += Tile::kRows) {
            const int32_t k = std::min(k0, lastRow);
            const BYTE* source = from.Row(k);
            BYTE* result = to.Row(i0) + k * pixelBytes;
            int32_t i = i0;
            for (; i < stepsEnd; i += n, result += n * to.stride)
                Tile::Move(source + i * pixelBytes, from.stride, result, to.stride);
            if (i < i1) {
                BYTE* last = to.Row(lastColumn) + k * pixelBytes;
                Tile::Move(source + lastColumn * pixelBytes, from.stride, last, to.stride);
            }
        }
        // The block's result rows are complete only now.
        for (int32_t i = i0; i < i1; ++i) ReportProgress(i, width);
    }
    for (int32_t i = tiled; i < width; ++i) {
        ReportProgress(i, width);
        for (int32_t k = 0; k < height; ++k)
            std::memcpy(to.Row(i) + k * pixelBytes, from.Row(k) + i * pixelBytes, pixelBytes);
    }
}

template <class BytesTile, class TrueColorTile>
inline void TransposeWith(SourceRows from, size_t rowBytes, int32_t width, int32_t height, ResultRows to,
                          int bitCount)
{
    if (bitCount == 8)
        TransposeInTiles<BytesTile, 1, kBytesBlockRows>(from, rowBytes, width, height, to);
    else
        TransposeInTiles<TrueColorTile, 3, kTrueColorBlockRows>(from, rowBytes, width, height, to);
}

#ifdef KESTREL_X86
// Flattened, so that the tiles' vector code is inlined into loops compiled
// for the same level.
KESTREL_TARGET_SSE2 __attribute__((flatten)) void TransposeSse2(SourceRows from, size_t rowBytes, int32_t width,
                                                                int32_t height, ResultRows to, int bitCount)
{
    TransposeWith<BytesTile16, TrueColorTile4>(from, rowBytes, width, height, to, bitCount);
}

KESTREL_TARGET_AVX2 __attribute__((flatten)) void TransposeAvx2(SourceRows from, size_t rowBytes, int32_t width,
                                                                int32_t height, ResultRows to, int bitCount)
{
    TransposeWith<BytesTile32x16, TrueColorTileAvx2>(from, rowBytes, width, height, to, bitCount);
}
#endif
}

void TransposePixels(SourceRows from, size_t rowBytes, int32_t width, int32_t height, ResultRows to, int bitCount)
{
#ifdef KESTREL_X86
    switch (ActiveSimdLevel()) {
    case SimdLevel::kAvx2: TransposeAvx2(from, rowBytes, width, height, to, bitCount); return;
    case SimdLevel::kSse2: TransposeSse2(from, rowBytes, width, height, to, bitCount); return;
    case SimdLevel::kScalar: break;
    }
#endif
    TransposeWith<BytesTile8, TrueColorTile4>(from, rowBytes, width, height, to, bitCount);
}
