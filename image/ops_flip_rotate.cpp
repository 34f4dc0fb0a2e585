// Flip Horizontal and Vertical, Rotate Left and Right at every bit count.
// Rotation is a transposition, which walks one of the two images across
// its rows; 8- and 24-bit images are moved in bands of source rows so that
// the reads stream and the rows written stay in cache. Without SSE2,
// pixels are moved in 64-bit words loaded and stored with memcpy.
#include "ImageLock.h"
#include "PixelRow.h"
#include "TransposePixels.h"

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

// Result stored row r, pixel j comes from source row SourceRow(j), pixel
// SourceColumn(r).
struct Rotation {
    bool left;
    int32_t width, height;  // of the source
    int32_t SourceRow(int32_t j) const { return left ? height - 1 - j : j; }
    int32_t SourceColumn(int32_t r) const { return left ? r : width - 1 - r; }
};

void RotatePacked(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    for (int32_t r = 0; r < dst.Height(); ++r) {
        ReportProgress(r, dst.Height());
        for (int32_t j = 0; j < dst.Width(); ++j)
            SetPixelValue(dst.Row(r), j, src.BitCount(),
                          PixelValue(src.Row(turn.SourceRow(j)), turn.SourceColumn(r), src.BitCount()));
    }
}

// A rotation is a transposition with one of the images walked bottom-up:
// the source to turn left, the result to turn right.
void RotateWholeBytes(const ImageLock& src, const ImageWriteLock& dst, bool left)
{
    const ptrdiff_t srcStride = ptrdiff_t(src.RowBytes()), dstStride = ptrdiff_t(dst.RowBytes());
    const SourceRows from = left ? SourceRows{src.Row(src.Height() - 1), -srcStride} : SourceRows{src.Row(0), srcStride};
    const ResultRows to = left ? ResultRows{dst.Row(0), dstStride} : ResultRows{dst.Row(dst.Height() - 1), -dstStride};
    TransposePixels(from, src.RowBytes(), src.Width(), src.Height(), to, src.BitCount());
}

ImageOpResult Rotate(const XImage& srcImage, bool left)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result = NewResultImage(srcImage, src.Height(), src.Width(), src.BitCount(),
                                          left ? IDS_ORIGIN_ROTATE_LEFT : IDS_ORIGIN_ROTATE_RIGHT);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    if (src.BitCount() >= 8)
        RotateWholeBytes(src, dst, left);
    else
        RotatePacked(src, dst, Rotation{left, src.Width(), src.Height()});
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
