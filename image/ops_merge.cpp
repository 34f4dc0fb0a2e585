// Merge and Flatten for printing: the images of a merge window painted in
// list order on one 24-bit canvas, which is then reduced to 8 bits when it
// has at most 256 colours. Canvas coordinates are the document's: image i
// covers (left, top) of its placement, with its own width and height (the
// placement's right and bottom are not trusted for the extent). The
// canvas's left and top start from 1000, so an arrangement lying entirely
// right of or below 1000 keeps a blank band up to it.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <algorithm>

namespace {
const int64_t kCanvasStartLimit = 1000;

void Paint(const ImageLock& src, const ImageWriteLock& dst, int64_t left, int64_t top)
{
    uint32_t packed[256] = {};
    for (int i = 0; i < src.TableSize(); ++i) packed[i] = PackedFromQuad(src.Table()[i]);
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const int64_t canvasRow = top + (src.Height() - 1 - y);  // counted from the top
        BYTE* out = dst.Row(int32_t(dst.Height() - 1 - canvasRow)) + size_t(left) * 3;
        const BYTE* in = src.Row(y);
        if (src.BitCount() == 24) {
            std::memcpy(out, in, size_t(src.Width()) * 3);
            continue;
        }
        for (int32_t x = 0; x < src.Width(); ++x)
            SetPixelValue(out, x, 24, packed[PixelIndex(in, x, src.BitCount())]);
    }
}

ImageOpResult Compose(const std::vector<const XImage*>& images, COLORREF background, UINT originId,
                      const MergeStageSink& onStage, bool announceMerging)
{
    if (onStage) onStage(MergeStage::kScanning);
    if (images.empty()) return OpFailure(ImageOpError::kUnsupported);
    int64_t minLeft = kCanvasStartLimit, minTop = kCanvasStartLimit;
    int64_t maxRight = INT64_MIN, maxBottom = INT64_MIN;
    for (const XImage* image : images) {
        if (!image || !ImageLock(*image)) return OpFailure(ImageOpError::kUnsupported);
        minLeft = std::min<int64_t>(minLeft, image->m_rcPlace.left);
        minTop = std::min<int64_t>(minTop, image->m_rcPlace.top);
        maxRight = std::max<int64_t>(maxRight, int64_t(image->m_rcPlace.left) + image->m_nWidth);
        maxBottom = std::max<int64_t>(maxBottom, int64_t(image->m_rcPlace.top) + image->m_nHeight);
    }
    ImageOpResult result = NewResultImage(*images.front(), maxRight - minLeft, maxBottom - minTop, 24, originId);
    if (!result) return result;
    {
        ImageWriteLock dst(*result.image);
        FillPixelRun(dst.Row(0), 0, dst.Width(), 24, PackedFromColorRef(background));
        for (int32_t y = 1; y < dst.Height(); ++y) std::memcpy(dst.Row(y), dst.Row(0), dst.RowBytes());
        for (const XImage* image : images)
            Paint(ImageLock(*image), dst, image->m_rcPlace.left - minLeft, image->m_rcPlace.top - minTop);
    }
    if (announceMerging && onStage) onStage(MergeStage::kMerging);
    ImageOpResult reduced = ReduceColors(*result.image);
    if (!reduced) return result;
    reduced.image->m_nOriginId = originId;
    return reduced;
}
}

ImageOpResult MergeImages(const std::vector<const XImage*>& images, COLORREF background,
                          const MergeStageSink& onStage)
{
    return Compose(images, background, IDS_ORIGIN_MERGED, onStage, true);
}

ImageOpResult FlattenForPrinting(const std::vector<const XImage*>& images, const MergeStageSink& onStage)
{
    return Compose(images, RGB(255, 255, 255), 0, onStage, false);
}
