// Flip Horizontal and Vertical, Rotate Left and Right at every bit count.
// Rows are mirrored by FlipRow; rotations of whole-byte pixels are
// transpositions (TransposePixels), of 1- and 4-bit pixels pixel by pixel.
#include "FlipRow.h"
#include "ImageLock.h"
#include "PixelRow.h"
#include "TransposePixels.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

namespace {
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
    const SourceRows from =
        left ? SourceRows{src.Row(src.Height() - 1), -srcStride} : SourceRows{src.Row(0), srcStride};
    const ResultRows to =
        left ? ResultRows{dst.Row(0), dstStride} : ResultRows{dst.Row(dst.Height() - 1), -dstStride};
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
    const FlipRowFunction flipRow = FlipRowFor(src.BitCount());
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        flipRow(src.Row(y), dst.Row(y), src.Width());
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
