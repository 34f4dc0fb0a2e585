// A channel of n bits is scaled to 8 bits by rounding v * 255 / max, so that
// both ends of every channel width land on 0 and 255 exactly.
#include "XFileBmpMasked.h"

#include "ImageFileBytes.h"

#include <algorithm>

namespace {
class Channel {
public:
    explicit Channel(uint32_t mask)
        : m_nMask(mask)
    {
        if (mask) while (!((mask >> m_nShift) & 1)) ++m_nShift;
        m_nMax = mask >> m_nShift;
    }

    bool Present() const { return m_nMax != 0; }

    // Every value is below max + 1 since it is taken through the same mask.
    int Scaled(uint32_t pixel) const
    {
        if (!m_nMax) return 0;
        const uint64_t v = (pixel & m_nMask) >> m_nShift;
        return int((v * 255 + m_nMax / 2) / m_nMax);
    }

private:
    uint32_t m_nMask;
    int m_nShift = 0;
    uint64_t m_nMax = 0;
};

uint32_t PixelAt(const BYTE* row, int32_t x, int bitCount)
{
    return bitCount == 16 ? LoadU16(row + 2 * size_t(x)) : LoadU32(row + 4 * size_t(x));
}
}

BmpMasks DefaultBmpMasks(int bitCount)
{
    if (bitCount == 16) return {0x7C00, 0x03E0, 0x001F, 0};
    return {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
}

void DecodeMaskedRows(const BYTE* data, size_t size, int bitCount, const BmpMasks& masks, BYTE* bits,
                      int32_t width, int32_t height, size_t stride, bool topDown)
{
    const Channel red(masks.red), green(masks.green), blue(masks.blue), alpha(masks.alpha);
    const uint64_t fileStride = (uint64_t(width) * uint64_t(bitCount) + 31) / 32 * 4;
    const int32_t rows = int32_t(std::min<uint64_t>(height, size / fileStride));

    bool hasAlpha = false;
    if (alpha.Present())
        for (int32_t y = 0; y < rows && !hasAlpha; ++y)
            for (int32_t x = 0; x < width && !hasAlpha; ++x)
                hasAlpha = alpha.Scaled(PixelAt(data + size_t(y * fileStride), x, bitCount)) != 0;

    for (int32_t y = 0; y < rows; ++y) {
        const BYTE* in = data + size_t(y * fileStride);
        BYTE* out = bits + size_t(topDown ? height - 1 - y : y) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = PixelAt(in, x, bitCount);
            int c[3] = {blue.Scaled(pixel), green.Scaled(pixel), red.Scaled(pixel)};
            if (hasAlpha) {
                const int a = alpha.Scaled(pixel);
                for (int& v : c) v = (v * a + 255 * (255 - a) + 127) / 255;
            }
            for (int i = 0; i < 3; ++i) out[3 * size_t(x) + i] = BYTE(c[i]);
        }
    }
}
