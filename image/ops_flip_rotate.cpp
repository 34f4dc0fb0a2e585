// Flip Horizontal and Vertical, Rotate Left and Right at every bit count.
// Rotation is a transposition, which walks one of the two images across
// its rows; 8- and 24-bit images are transposed in square tiles so that
// both the rows read and the rows written stay in cache.
#include "ImageLock.h"
#include "PixelRow.h"
#include "Progress.h"

#include "../resources/resource.h"

#include <algorithm>

namespace {
const int32_t kTile = 32;  // pixels per side of a transposition tile

template <int Bytes>
void FlipRowBytes(const BYTE* in, BYTE* out, int32_t width)
{
    const BYTE* p = in + size_t(width - 1) * Bytes;
    for (int32_t x = 0; x < width; ++x, p -= Bytes, out += Bytes) std::memcpy(out, p, Bytes);
}

void FlipRow(const BYTE* in, BYTE* out, int32_t width, int bitCount)
{
    switch (bitCount) {
    case 8: std::reverse_copy(in, in + width, out); break;
    case 24: FlipRowBytes<3>(in, out, width); break;
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

template <int Bytes>
void RotateTiled(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    const int32_t rows = dst.Height(), columns = dst.Width();
    for (int32_t r0 = 0; r0 < rows; r0 += kTile) {
        ReportProgress(r0, rows);
        const int32_t r1 = std::min(rows, r0 + kTile);
        for (int32_t j0 = 0; j0 < columns; j0 += kTile) {
            const int32_t j1 = std::min(columns, j0 + kTile);
            for (int32_t r = r0; r < r1; ++r) {
                const size_t column = size_t(turn.SourceColumn(r)) * Bytes;
                BYTE* out = dst.Row(r) + size_t(j0) * Bytes;
                for (int32_t j = j0; j < j1; ++j, out += Bytes)
                    std::memcpy(out, src.Row(turn.SourceRow(j)) + column, Bytes);
            }
        }
    }
}

void RotatePacked(const ImageLock& src, const ImageWriteLock& dst, const Rotation& turn)
{
    const int bitCount = src.BitCount();
    for (int32_t r = 0; r < dst.Height(); ++r) {
        ReportProgress(r, dst.Height());
        BYTE* out = dst.Row(r);
        const int32_t column = turn.SourceColumn(r);
        for (int32_t j = 0; j < dst.Width(); ++j)
            SetPixelIndex(out, j, bitCount, PixelIndex(src.Row(turn.SourceRow(j)), column, bitCount));
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
    case 8: RotateTiled<1>(src, dst, turn); break;
    case 24: RotateTiled<3>(src, dst, turn); break;
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
