// Count Colors: distinct indices of a table image, distinct colours of a
// 24-bit image. The 24-bit count keeps one 65536-bit set per blue value
// (bit green * 256 + red), made when that blue value first occurs, so
// memory follows the colours present: at most 2 MiB.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"

#include <memory>
#include <new>

namespace {
const size_t kSetBytes = 65536 / 8;

ImageOpError CountTrueColors(const ImageLock& image, uint32_t* count)
{
    std::unique_ptr<BYTE[]> sets[256];
    uint32_t total = 0;
    for (int32_t y = 0; y < image.Height(); ++y) {
        ReportProgress(y, image.Height());
        const BYTE* p = image.Row(y);
        for (int32_t x = 0; x < image.Width(); ++x, p += 3) {
            std::unique_ptr<BYTE[]>& set = sets[p[0]];
            if (!set) {
                set.reset(new (std::nothrow) BYTE[kSetBytes]());
                if (!set) return ImageOpError::kOutOfMemory;
            }
            const unsigned bit = unsigned(p[1]) << 8 | p[2];
            const BYTE mask = BYTE(1u << (bit & 7));
            if (!(set[bit >> 3] & mask)) {
                set[bit >> 3] = BYTE(set[bit >> 3] | mask);
                ++total;
            }
        }
    }
    *count = total;
    return ImageOpError::kNone;
}
}

ImageOpError CountColors(const XImage& srcImage, uint32_t* count)
{
    ImageLock image(srcImage);
    if (!image) return ImageOpError::kUnsupported;
    if (image.BitCount() == 24) return CountTrueColors(image, count);
    bool used[256] = {};
    for (int32_t y = 0; y < image.Height(); ++y) {
        ReportProgress(y, image.Height());
        const BYTE* row = image.Row(y);
        if (image.BitCount() == 8)
            for (int32_t x = 0; x < image.Width(); ++x) used[row[x]] = true;
        else
            for (int32_t x = 0; x < image.Width(); ++x) used[PixelIndex(row, x, image.BitCount())] = true;
    }
    uint32_t total = 0;
    for (bool u : used) total += u ? 1 : 0;
    *count = total;
    return ImageOpError::kNone;
}
