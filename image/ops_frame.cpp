// Frame: the source inside a mat band and an outer frame band. Rows of the
// result are of three kinds (all frame, frame-mat-frame, and those that
// carry a source row between the bands), so the first two are built once
// and copied. A 1-bit source is framed at 24 bits, which is what drawing it
// on a true-colour display and reading it back gives: band colours exact,
// source pixels through its two-entry table.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <algorithm>
#include <vector>

namespace {
// A band colour as this result stores it: packed at 24 bits, else the
// index of the nearest entry of the source's table.
uint32_t BandValue(COLORREF color, int bitCount, const ImageLock& src)
{
    if (bitCount == 24) return PackedFromColorRef(color);
    return uint32_t(NearestColorIndex(src.Table(), src.TableSize(), GetRValue(color), GetGValue(color),
                                      GetBValue(color)));
}

void CopySourceRow(const ImageLock& src, int32_t y, BYTE* out, int32_t x, int resultBits)
{
    const BYTE* in = src.Row(y);
    if (resultBits == src.BitCount()) {
        CopyPixelRun(out, x, in, 0, src.Width(), resultBits);
        return;
    }
    const RGBQUAD* table = src.Table();
    for (int32_t i = 0; i < src.Width(); ++i)
        SetPixelValue(out, x + i, 24, PackedFromQuad(table[PixelIndex(in, i, src.BitCount())]));
}
}

ImageOpResult FrameImage(const XImage& srcImage, const FrameOptions& options)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    const int64_t frame = std::max(options.frameWidth, 0), mat = std::max(options.matWidth, 0);
    const int64_t border = frame + mat;
    const int resultBits = src.BitCount() == 1 ? 24 : src.BitCount();
    ImageOpResult result = NewResultImage(srcImage, src.Width() + 2 * border, src.Height() + 2 * border,
                                          resultBits, IDS_ORIGIN_FRAME);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    const int32_t width = dst.Width(), height = dst.Height();
    const uint32_t frameValue = BandValue(options.frame, resultBits, src);
    const uint32_t matValue = BandValue(options.mat, resultBits, src);

    std::vector<BYTE> frameRow(dst.RowBytes()), matRow(dst.RowBytes());
    FillPixelRun(frameRow.data(), 0, width, resultBits, frameValue);
    FillPixelRun(matRow.data(), 0, int32_t(frame), resultBits, frameValue);
    FillPixelRun(matRow.data(), int32_t(frame), width - int32_t(2 * frame), resultBits, matValue);
    FillPixelRun(matRow.data(), width - int32_t(frame), int32_t(frame), resultBits, frameValue);

    for (int32_t y = 0; y < height; ++y) {
        const int64_t fromEdge = std::min<int64_t>(y, height - 1 - y);
        BYTE* out = dst.Row(y);
        if (fromEdge < frame) {
            std::memcpy(out, frameRow.data(), dst.RowBytes());
        } else {
            std::memcpy(out, matRow.data(), dst.RowBytes());
            if (fromEdge >= border) {
                const int32_t sourceRow = y - int32_t(border);
                ReportProgress(sourceRow, src.Height());
                CopySourceRow(src, sourceRow, out, int32_t(border), resultBits);
            }
        }
    }
    return result;
}
