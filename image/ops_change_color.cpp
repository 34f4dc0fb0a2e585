// The pixel work of Check & Change Colors: finding the image pixel under a
// canvas point (through the image's placement, which is not (0, 0) for an
// image left alone by Delete Image after a move), reading its colour, and
// the replacement itself.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

bool ImagePixelFromCanvas(const XImage& image, POINT canvas, POINT* pixel)
{
    const int64_t x = int64_t(canvas.x) - image.m_rcPlace.left;
    const int64_t y = int64_t(canvas.y) - image.m_rcPlace.top;
    if (x < 0 || y < 0 || x >= image.m_nWidth || y >= image.m_nHeight) return false;
    *pixel = POINT{LONG(x), LONG(y)};
    return true;
}

bool ColorAtPixel(const XImage& image, POINT pixel, COLORREF* color)
{
    ImageLock lock(image);
    if (!lock || pixel.x < 0 || pixel.y < 0 || pixel.x >= lock.Width() || pixel.y >= lock.Height())
        return false;
    const uint32_t value = PixelValue(lock.Row(lock.Height() - 1 - pixel.y), pixel.x, lock.BitCount());
    *color = ColorRefFromPacked(lock.BitCount() == 24 ? value : PackedFromQuad(lock.Table()[value]));
    return true;
}

ImageOpResult ChangeColor(const XImage& srcImage, COLORREF picked, COLORREF replacement)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    const uint32_t from = PackedFromColorRef(picked), to = PackedFromColorRef(replacement);
    if (from == to) return OpFailure(ImageOpError::kNoColorChange);
    ImageOpResult result =
        NewResultImage(srcImage, src.Width(), src.Height(), src.BitCount(), IDS_ORIGIN_CHANGE_COLOR);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    std::memcpy(dst.Row(0), src.Row(0), src.BitsSize());
    if (src.BitCount() != 24) {
        for (int i = 0; i < dst.TableSize(); ++i) {
            RGBQUAD& entry = dst.Table()[i];
            if (PackedFromQuad(entry) == from) {
                entry.rgbRed = GetRValue(replacement);
                entry.rgbGreen = GetGValue(replacement);
                entry.rgbBlue = GetBValue(replacement);
                break;
            }
        }
        return result;
    }
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        BYTE* row = dst.Row(y);
        for (int32_t x = 0; x < src.Width(); ++x)
            if (PixelValue(row, x, 24) == from) SetPixelValue(row, x, 24, to);
    }
    return result;
}
