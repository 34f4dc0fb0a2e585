// Crop and Erase: both take a rectangle in image pixels counted from the
// top-left (right and bottom exclusive), clipped to the image here, and turn
// it into stored rows counted from the bottom.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <algorithm>

namespace {
RECT ClipToImage(const RECT& rc, int32_t width, int32_t height)
{
    RECT clipped;
    clipped.left = std::max<LONG>(rc.left, 0);
    clipped.top = std::max<LONG>(rc.top, 0);
    clipped.right = std::min<LONG>(rc.right, width);
    clipped.bottom = std::min<LONG>(rc.bottom, height);
    return clipped;
}

bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }
}

int EraseIndex(const RGBQUAD* table, int count)
{
    for (int i = 0; i < count; ++i)
        if (table[i].rgbRed >= 247 && table[i].rgbGreen >= 247 && table[i].rgbBlue >= 247) return i;
    return NearestColorIndex(table, count, 255, 255, 255);
}

ImageOpResult CropImage(const XImage& srcImage, const RECT& rcWanted)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    const RECT rc = ClipToImage(rcWanted, src.Width(), src.Height());
    if (IsEmpty(rc)) return OpFailure(ImageOpError::kEmptyResult);
    const int32_t width = rc.right - rc.left, height = rc.bottom - rc.top;
    ImageOpResult result = NewResultImage(srcImage, width, height, src.BitCount(), IDS_ORIGIN_CROP);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    const int32_t firstRow = src.Height() - rc.bottom;
    for (int32_t i = 0; i < height; ++i) {
        ReportProgress(i, height);
        CopyPixelRun(dst.Row(i), 0, src.Row(firstRow + i), rc.left, width, src.BitCount());
    }
    return result;
}

ImageOpResult EraseImage(const XImage& srcImage, const RECT& rcWanted)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), src.BitCount(), IDS_ORIGIN_ERASE);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    std::memcpy(dst.Row(0), src.Row(0), src.BitsSize());
    const RECT rc = ClipToImage(rcWanted, src.Width(), src.Height());
    if (IsEmpty(rc)) return result;
    const uint32_t white = src.BitCount() == 24 ? 0xFFFFFFu : uint32_t(EraseIndex(src.Table(), src.TableSize()));
    const int32_t firstRow = src.Height() - rc.bottom, rows = rc.bottom - rc.top;
    for (int32_t i = 0; i < rows; ++i) {
        ReportProgress(i, rows);
        FillPixelRun(dst.Row(firstRow + i), rc.left, rc.right - rc.left, src.BitCount(), white);
    }
    return result;
}
