// Reduce Colors: 8 -> 4 bits when at most 16 indices are used (used
// indices renumbered in ascending order), 24 -> 8 bits when at most 256
// colours occur (table in order of first appearance, scanning stored rows
// from the bottom, each left to right). The 24-bit pass looks colours up in
// a small open-addressing hash of the table, so it is linear in pixels, and
// writes the result as it scans: it stops at the 257th colour.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

namespace {
// Table colours by packed value; at most 256 entries in 1024 slots.
class ColorIndexHash {
public:
    // The index of color, added as entry count when new; -1 when the table is full.
    int Find(uint32_t color, RGBQUAD* table, int& count)
    {
        const uint32_t key = color + 1;  // 0 marks an empty slot
        for (uint32_t slot = (color * 2654435761u) >> 22;; slot = (slot + 1) & (kSlots - 1)) {
            if (m_keys[slot] == key) return m_index[slot];
            if (m_keys[slot] == 0) {
                if (count == 256) return -1;
                m_keys[slot] = key;
                m_index[slot] = BYTE(count);
                table[count] = RGBQUAD{BYTE(color), BYTE(color >> 8), BYTE(color >> 16), 0};
                return count++;
            }
        }
    }

private:
    static const uint32_t kSlots = 1024;
    uint32_t m_keys[kSlots] = {};
    BYTE m_index[kSlots] = {};
};

ImageOpResult Reduce24To8(const XImage& srcImage, const ImageLock& src)
{
    ImageOpResult result = NewResultImage(srcImage, src.Width(), src.Height(), 8, IDS_ORIGIN_REDUCE_COLOR);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    ColorIndexHash hash;
    int count = 0;
    // Runs of one colour are common; skip the look-up for them.
    uint32_t lastColor = 0xFFFFFFFFu;
    int lastIndex = 0;
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        for (int32_t x = 0; x < src.Width(); ++x, in += 3) {
            const uint32_t color = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16;
            if (color != lastColor) {
                lastIndex = hash.Find(color, dst.Table(), count);
                if (lastIndex < 0) return OpFailure(ImageOpError::kMoreThan256Colors);
                lastColor = color;
            }
            out[x] = BYTE(lastIndex);
        }
    }
    return result;
}

ImageOpResult Reduce8To4(const XImage& srcImage, const ImageLock& src)
{
    bool used[256] = {};
    for (int32_t y = 0; y < src.Height(); ++y) {
        const BYTE* row = src.Row(y);
        for (int32_t x = 0; x < src.Width(); ++x) used[row[x]] = true;
    }
    BYTE newIndex[256] = {};
    int count = 0;
    for (int i = 0; i < 256; ++i)
        if (used[i]) {
            if (count == 16) return OpFailure(ImageOpError::kMoreThan16Colors);
            newIndex[i] = BYTE(count++);
        }
    ImageOpResult result = NewResultImage(srcImage, src.Width(), src.Height(), 4, IDS_ORIGIN_REDUCE_COLOR);
    if (!result) return result;
    ImageWriteLock dst(*result.image);
    for (int i = 0; i < 256; ++i)
        if (used[i]) dst.Table()[newIndex[i]] = src.Table()[i];
    for (int32_t y = 0; y < src.Height(); ++y) {
        ReportProgress(y, src.Height());
        const BYTE* in = src.Row(y);
        BYTE* out = dst.Row(y);
        for (int32_t x = 0; x + 1 < src.Width(); x += 2)
            out[x >> 1] = BYTE(newIndex[in[x]] << 4 | newIndex[in[x + 1]]);
        if (src.Width() & 1) out[src.Width() >> 1] = BYTE(newIndex[in[src.Width() - 1]] << 4);
    }
    return result;
}
}

ImageOpResult ReduceColors(const XImage& srcImage)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    switch (src.BitCount()) {
    case 8: return Reduce8To4(srcImage, src);
    case 24: return Reduce24To8(srcImage, src);
    default: return OpFailure(ImageOpError::kUnsupported);
    }
}
