// Flip Horizontal and Vertical, Rotate Left and Right at every bit count.
// Rotation is a transposition, which walks one of the two images across
// its rows; 8- and 24-bit images are moved in bands of source rows so that
// the reads stream and the rows written stay in cache. Without SSE2,
// pixels are moved in 64-bit words loaded and stored with memcpy.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
uint64_t Load64(const BYTE* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void Store64(BYTE* p, uint64_t v) { std::memcpy(p, &v, 8); }

uint64_t ReverseBytes(uint64_t v)
{
    v = (v & 0x00FF00FF00FF00FFull) << 8 | (v >> 8 & 0x00FF00FF00FF00FFull);
    v = (v & 0x0000FFFF0000FFFFull) << 16 | (v >> 16 & 0x0000FFFF0000FFFFull);
    return v << 32 | v >> 32;
}

void FlipRow8(const BYTE* in, BYTE* out, int32_t width)
{
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) Store64(out + width - x - 8, ReverseBytes(Load64(in + x)));
    for (; x < width; ++x) out[width - 1 - x] = in[x];
}

// Four pixels (12 bytes) at a time, read and written as two overlapping
// words: source pixels p0 p1 p2 p3 become p3 p2 p1 p0. Like FlipRow8 it
// reads the source forwards, which the hardware prefetches best. The
// shifts take the first byte in memory as the lowest byte of a word.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "FlipRow24 reads pixels from little-endian words");
#ifdef __SSE2__
// The 16 bytes of v in reverse order.
inline __m128i ReverseBytes(__m128i v)
{
    v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
    v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0x1B), 0x1B);
    return _mm_shuffle_epi32(v, 0x4E);
}

// Sixteen pixels (48 bytes) at a time. With the 48 bytes reversed as R,
// result byte j is R[j + 2], R[j] or R[j - 2] as j % 3 is 0, 1 or 2: the
// pixels are in place, each with its bytes reversed.
int32_t FlipRow24Wide(const BYTE* in, BYTE* out, int32_t width)
{
    alignas(16) BYTE phases[3][3][16];  // [register][j % 3][byte]
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 16; ++i) phases[k][c][i] = (16 * k + i) % 3 == c ? 0xFF : 0;
    __m128i mask[3][3];
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c) mask[k][c] = _mm_load_si128(reinterpret_cast<const __m128i*>(phases[k][c]));
    int32_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const BYTE* from = in + size_t(x) * 3;
        __m128i r[3];
        for (int k = 0; k < 3; ++k)
            r[k] = ReverseBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 32 - 16 * k)));
        BYTE* to = out + size_t(width - x - 16) * 3;
        for (int k = 0; k < 3; ++k) {
            // R[j + 2] and R[j - 2]; the bytes past either end are never selected.
            __m128i ahead = _mm_srli_si128(r[k], 2), behind = _mm_slli_si128(r[k], 2);
            if (k < 2) ahead = _mm_or_si128(ahead, _mm_slli_si128(r[k + 1], 14));
            if (k > 0) behind = _mm_or_si128(behind, _mm_srli_si128(r[k - 1], 14));
            const __m128i pixels = _mm_or_si128(_mm_or_si128(_mm_and_si128(ahead, mask[k][0]), _mm_and_si128(r[k], mask[k][1])),
                                                _mm_and_si128(behind, mask[k][2]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * k), pixels);
        }
    }
    return x;
}
#endif

void FlipRow24(const BYTE* in, BYTE* out, int32_t width)
{
#ifdef __SSE2__
    int32_t x = FlipRow24Wide(in, out, width);
#else
    int32_t x = 0;
#endif
    for (; x + 4 <= width; x += 4) {
        const uint64_t low = Load64(in + size_t(x) * 3), high = Load64(in + size_t(x) * 3 + 4);
        const uint64_t p0 = low & 0xFFFFFF, p1 = low >> 24 & 0xFFFFFF, p2 = high >> 16 & 0xFFFFFF, p3 = high >> 40;
        BYTE* to = out + size_t(width - x - 4) * 3;
        Store64(to, p3 | p2 << 24 | p1 << 48);
        Store64(to + 4, p2 >> 8 | p1 << 16 | p0 << 40);
    }
    for (; x < width; ++x) std::memcpy(out + size_t(width - 1 - x) * 3, in + size_t(x) * 3, 3);
}

void FlipRow(const BYTE* in, BYTE* out, int32_t width, int bitCount)
{
    switch (bitCount) {
    case 8: FlipRow8(in, out, width); break;
    case 24: FlipRow24(in, out, width); break;
    default:
        for (int32_t x = 0; x < width; ++x) SetPixelIndex(out, x, bitCount, PixelIndex(in, width - 1 - x, bitCount));
        break;
    }
}

// Result stored row r, column j comes from source row SourceRow(j),
// column SourceColumn(r).
struct Rotation {
    bool left;
    int32_t width, height;  // of the source
    int32_t SourceRow(int32_t j) const { return left ? height - 1 - j : j; }
    int32_t SourceColumn(int32_t r) const { return left ? r : width - 1 - r; }
};

void RotatePixel(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn, int32_t r, int32_t j)
{
    SetPixelValue(dst.Row(r), j, src.BitCount(),
                  PixelValue(src.Row(turn.SourceRow(j)), turn.SourceColumn(r), src.BitCount()));
}

#ifdef __SSE2__
const int kTile = 16;

// Moves the 16 x 16 bytes at column of the rows from[0..15] so that to[i]
// receives byte i of every row: four rounds of interleaving row k with row
// k + 8 each rotate the eight bits of a byte's place (row, column) by one,
// which after four rounds has swapped row and column.
void TransposeTile(const BYTE* const from[kTile], int32_t column, BYTE* const to[kTile])
{
    __m128i tile[kTile];
    for (int k = 0; k < kTile; ++k) tile[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from[k] + column));
    for (int round = 0; round < 4; ++round) {
        __m128i next[kTile];
        for (int k = 0; k < 8; ++k) {
            next[2 * k] = _mm_unpacklo_epi8(tile[k], tile[k + 8]);
            next[2 * k + 1] = _mm_unpackhi_epi8(tile[k], tile[k + 8]);
        }
        for (int k = 0; k < kTile; ++k) tile[k] = next[k];
    }
    for (int i = 0; i < kTile; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(to[i]), tile[i]);
}
#else
const int kTile = 8;

// Swaps the bits of a selected by mask << shift with those of b selected by mask.
void SwapBlocks(uint64_t& a, uint64_t& b, int shift, uint64_t mask)
{
    const uint64_t t = ((a >> shift) ^ b) & mask;
    b ^= t;
    a ^= t << shift;
}

// The 8 x 8 bytes at column of the rows from[0..7], read as eight words
// and transposed by swapping ever smaller blocks: 4 x 4, 2 x 2, 1 x 1;
// to[i] receives byte i of every row.
void TransposeTile(const BYTE* const from[kTile], int32_t column, BYTE* const to[kTile])
{
    uint64_t rows[kTile];
    for (int k = 0; k < kTile; ++k) rows[k] = Load64(from[k] + column);
    const uint64_t quads = 0x00000000FFFFFFFFull, pairs = 0x0000FFFF0000FFFFull, bytes = 0x00FF00FF00FF00FFull;
    SwapBlocks(rows[0], rows[4], 32, quads);
    SwapBlocks(rows[1], rows[5], 32, quads);
    SwapBlocks(rows[2], rows[6], 32, quads);
    SwapBlocks(rows[3], rows[7], 32, quads);
    SwapBlocks(rows[0], rows[2], 16, pairs);
    SwapBlocks(rows[1], rows[3], 16, pairs);
    SwapBlocks(rows[4], rows[6], 16, pairs);
    SwapBlocks(rows[5], rows[7], 16, pairs);
    SwapBlocks(rows[0], rows[1], 8, bytes);
    SwapBlocks(rows[2], rows[3], 8, bytes);
    SwapBlocks(rows[4], rows[5], 8, bytes);
    SwapBlocks(rows[6], rows[7], 8, bytes);
    for (int i = 0; i < kTile; ++i) Store64(to[i], rows[i]);
}
#endif

// Rotation walks a band of source rows at a time from left to right, so
// the source is read as that many sequential streams; the result takes a
// band's width of pixels in each of its rows per pass, and those rows stay
// in cache from one pass to the next. Left over result columns go pixel by
// pixel.

// 8 bits: square tiles of bytes, transposed, in bands of kPass rows (a
// result cache line per row and pass).
const int kPass = 64;
void Rotate8(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    const int32_t rows = dst.Height(), columns = dst.Width();
    const int32_t fullRows = rows - rows % kTile, fullColumns = columns - columns % kTile;
    for (int32_t j0 = 0; j0 < fullColumns; j0 += kPass) {
        ReportProgress(j0, columns);
        const int tiles = std::min(kPass, fullColumns - j0) / kTile;
        const BYTE* from[kPass];
        for (int k = 0; k < tiles * kTile; ++k) from[k] = src.Row(turn.SourceRow(j0 + k));
        for (int32_t r0 = 0; r0 < fullRows; r0 += kTile) {
            // The source columns of result rows r0 onwards, lowest first.
            const int32_t column = turn.left ? r0 : turn.width - kTile - r0;
            BYTE* to[kTile];
            for (int i = 0; i < kTile; ++i) to[i] = dst.Row(r0 + (turn.left ? i : kTile - 1 - i)) + j0;
            for (int t = 0; t < tiles; ++t) {
                TransposeTile(from + t * kTile, column, to);
                for (int i = 0; i < kTile; ++i) to[i] += kTile;
            }
        }
        for (int32_t r = fullRows; r < rows; ++r)
            for (int32_t j = j0; j < j0 + tiles * kTile; ++j) RotatePixel(src, dst, turn, r, j);
    }
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t j = fullColumns; j < columns; ++j) RotatePixel(src, dst, turn, r, j);
}

// 24 bits: pixels move as 4-byte words, except where the fourth byte could
// lie past a row (the last source column, the last result column).
void Rotate24(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    const int32_t rows = dst.Height(), columns = dst.Width();
    const int32_t fullColumns = columns & ~7;
    for (int32_t j0 = 0; j0 < fullColumns; j0 += 8) {
        ReportProgress(j0, columns);
        const BYTE* from[8];
        for (int k = 0; k < 8; ++k) from[k] = src.Row(turn.SourceRow(j0 + k));
        const bool lastGroup = j0 + 8 == columns;
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t sourceColumn = turn.SourceColumn(r);
            const size_t offset = size_t(sourceColumn) * 3;
            BYTE* out = dst.Row(r) + size_t(j0) * 3;
            if (!lastGroup && sourceColumn + 1 < turn.width)
                for (int k = 0; k < 8; ++k) std::memcpy(out + 3 * k, from[k] + offset, 4);
            else
                for (int k = 0; k < 8; ++k) std::memcpy(out + 3 * k, from[k] + offset, 3);
        }
    }
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t j = fullColumns; j < columns; ++j) RotatePixel(src, dst, turn, r, j);
}

void RotatePacked(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    for (int32_t r = 0; r < dst.Height(); ++r) {
        ReportProgress(r, dst.Height());
        for (int32_t j = 0; j < dst.Width(); ++j) RotatePixel(src, dst, turn, r, j);
    }
}

ImageOpResult Rotate(const XImage& srcImage, bool left)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result = NewResultImage(srcImage, src.Height(), src.Width(), src.BitCount(),
                                          left ? IDS_ORIGIN_ROTATE_LEFT : IDS_ORIGIN_ROTATE_RIGHT);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    const Rotation turn{left, src.Width(), src.Height()};
    switch (src.BitCount()) {
    case 8: Rotate8(src, dst, turn); break;
    case 24: Rotate24(src, dst, turn); break;
    default: RotatePacked(src, dst, turn); break;
    }
    return result;
}
}

ImageOpResult FlipHorizontal(const XImage& srcImage)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), src.BitCount(), IDS_ORIGIN_FLIP_H);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        FlipRow(src.Row(y), dst.Row(y), src.Width(), src.BitCount());
    }
    return result;
}

ImageOpResult FlipVertical(const XImage& srcImage)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), src.BitCount(), IDS_ORIGIN_FLIP_V);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        std::memcpy(dst.Row(y), src.Row(src.Height() - 1 - y), src.RowBytes());
    }
    return result;
}

ImageOpResult RotateLeft(const XImage& src) { return Rotate(src, true); }

ImageOpResult RotateRight(const XImage& src) { return Rotate(src, false); }
