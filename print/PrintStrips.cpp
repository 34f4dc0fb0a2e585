// Strip division and strip copies (see PrintStrips.h).
//
// The strip rule, smallest count first, must weigh the widest strip that
// is actually sent: with more than one strip the widened ones are
// width / n + 2 pixels, not width / n + 1 (counting only the latter would
// let a 24-bit tile of 1000 × 2731 send 65544 bytes a strip).
#include "PrintStrips.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows of a band: a two-pixel row takes at most 8 bytes, so a widened
// strip of two pixels always fits and the search for a count ends.
const int64_t kMaxStripRows = kMaxStripBytes / 8;

int ClampBits(int bitsPerPixel) { return std::clamp(bitsPerPixel, 1, 32); }

// Width of the widest of n strips across width pixels, or 0 when the last
// strip would be empty (that n is never the answer).
int64_t WidestStrip(int64_t width, int64_t n)
{
    if (n == 1) return width;
    int64_t nominal = width / n + 1;
    int64_t lastLeft = (n - 1) * nominal - 1;
    if (lastLeft >= width) return 0;
    int64_t last = std::min(nominal + 1, width - lastLeft);
    return n > 2 ? std::max(nominal + 1, last) : std::max(nominal, last);
}

}  // namespace

int64_t StripRowBytes(int64_t width, int bitsPerPixel)
{
    return (width * ClampBits(bitsPerPixel) + 31) / 32 * 4;
}

StripPlan PlanStrips(int64_t tileWidth, int64_t tileHeight, int bitsPerPixel)
{
    StripPlan plan = {};
    plan.tileWidth = std::max<int64_t>(0, tileWidth);
    plan.tileHeight = std::max<int64_t>(0, tileHeight);
    if (plan.tileWidth == 0 || plan.tileHeight == 0) return plan;
    plan.bandRows = std::min(plan.tileHeight, kMaxStripRows);
    plan.bands = (plan.tileHeight + plan.bandRows - 1) / plan.bandRows;
    // Widest strip whose padded rows of bandRows fit: at least two pixels,
    // so the search ends by n = width + 1 at the latest.
    int64_t rowBytes = kMaxStripBytes / plan.bandRows / 4 * 4;
    int64_t widest = rowBytes * 8 / ClampBits(bitsPerPixel);
    int64_t n = 1;
    for (;; ++n) {
        int64_t strip = WidestStrip(plan.tileWidth, n);
        if (strip > 0 && strip <= widest) break;
    }
    plan.columns = n;
    plan.stripWidth = n == 1 ? plan.tileWidth : plan.tileWidth / n + 1;
    plan.count = plan.columns * plan.bands;
    return plan;
}

PrintStrip StripAt(const StripPlan& plan, int64_t index)
{
    PrintStrip strip = {};
    if (index < 0 || index >= plan.count) return strip;
    int64_t band = index / plan.columns;
    int64_t column = index % plan.columns;
    strip.top = band * plan.bandRows;
    strip.height = std::min(plan.bandRows, plan.tileHeight - strip.top);
    strip.left = column * plan.stripWidth;
    strip.width = plan.stripWidth;
    if (column > 0) {
        --strip.left;
        ++strip.width;
    }
    strip.width = std::min(strip.width, plan.tileWidth - strip.left);
    return strip;
}

bool CopyStripPixels(const BYTE* bits, size_t bitsSize, int64_t imageWidth, int64_t imageHeight, int bitsPerPixel,
                     const PrintStrip& rect, std::vector<BYTE>& out)
{
    out.clear();
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24) return false;
    if (!bits || imageWidth <= 0 || imageHeight <= 0) return false;
    if (rect.left < 0 || rect.top < 0 || rect.width <= 0 || rect.height <= 0) return false;
    if (rect.left + rect.width > imageWidth || rect.top + rect.height > imageHeight) return false;
    int64_t sourceRowBytes = StripRowBytes(imageWidth, bitsPerPixel);
    if (uint64_t(sourceRowBytes) * uint64_t(imageHeight) > bitsSize) return false;

    int64_t rowBytes = StripRowBytes(rect.width, bitsPerPixel);
    out.assign(size_t(rowBytes * rect.height), 0);
    // Both blocks are bottom-up: the strip's bottom row is image row
    // (from the top) rect.top + rect.height - 1, stored at this index.
    int64_t firstStoredRow = imageHeight - rect.top - rect.height;
    int64_t firstBit = rect.left * bitsPerPixel;
    int64_t usedBits = rect.width * bitsPerPixel;
    for (int64_t row = 0; row < rect.height; ++row) {
        const BYTE* source = bits + (firstStoredRow + row) * sourceRowBytes;
        BYTE* target = out.data() + row * rowBytes;
        if (firstBit % 8 == 0) {
            std::memcpy(target, source + firstBit / 8, size_t((usedBits + 7) / 8));
        } else {
            // A sub-byte start: every target byte joins the tail of one
            // source byte with the head of the next, which lies inside the
            // source row whenever its bits are used.
            int shift = int(firstBit % 8);
            const BYTE* from = source + firstBit / 8;
            int64_t lastSourceByte = (rect.left + rect.width) * bitsPerPixel - 1;
            const BYTE* end = source + lastSourceByte / 8;
            for (int64_t i = 0; i < (usedBits + 7) / 8; ++i, ++from) {
                BYTE next = from < end ? from[1] : 0;
                target[i] = BYTE((from[0] << shift) | (next >> (8 - shift)));
            }
        }
        // Bits past the strip's width in the last byte are left as copied;
        // they fall outside the strip and are never drawn.
    }
    return true;
}
