// Pixel access for the image operation tests, written from the DIB layout
// (rows bottom-up, padded to 4 bytes, packed pixels most significant bits
// first) independently of the operations' own row helpers. Random test
// images come from the codec tests' RandomImage.
#pragma once

#include "image/ImageOps.h"
#include "tests/formats/FormatTestSupport.h"

#include <gtest/gtest.h>

namespace opstest {


// Pixel (x, y) counted from the top-left: the index, or 0xRRGGBB at 24 bits.
inline uint32_t PixelValue(const XImage& image, int x, int y)
{
    LockedBlock<BYTE> bits(image.m_hBits);
    const size_t stride = (size_t(image.m_nWidth) * image.m_nBitCount + 31) / 32 * 4;
    const BYTE* row = bits.get() + size_t(image.m_nHeight - 1 - y) * stride;
    const int depth = image.m_nBitCount;
    if (depth == 24) return uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
    const size_t bit = size_t(x) * depth;
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

inline void SetPixelAt(XImage& image, int x, int y, uint32_t value)
{
    LockedBlock<BYTE> bits(image.m_hBits);
    const size_t stride = (size_t(image.m_nWidth) * image.m_nBitCount + 31) / 32 * 4;
    BYTE* row = bits.get() + size_t(image.m_nHeight - 1 - y) * stride;
    const int depth = image.m_nBitCount;
    if (depth == 24) {
        row[3 * x] = BYTE(value);
        row[3 * x + 1] = BYTE(value >> 8);
        row[3 * x + 2] = BYTE(value >> 16);
        return;
    }
    const size_t bit = size_t(x) * depth;
    const int shift = int(8 - depth - bit % 8);
    const BYTE mask = BYTE(((1u << depth) - 1) << shift);
    row[bit / 8] = BYTE((row[bit / 8] & ~mask) | ((value << shift) & mask));
}

// The colour shown at (x, y), as 0xRRGGBB, through the table where there is one.
inline uint32_t ShownColor(const XImage& image, int x, int y)
{
    const uint32_t value = PixelValue(image, x, y);
    if (image.m_nBitCount == 24) return value;
    const RGBQUAD c = ColorAt(image, int(value));
    return uint32_t(c.rgbRed) << 16 | uint32_t(c.rgbGreen) << 8 | c.rgbBlue;
}

// An image of the given size whose pixels are all zero and whose table is black.
inline std::unique_ptr<XImage> BlankImage(int width, int height, int bitCount)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    EXPECT_TRUE(image->AllocateBlocks());
    return image;
}

// Every pixel of result at (x, y) equals the source pixel at where(x, y).
template <typename Where>
::testing::AssertionResult PixelsFrom(const XImage& result, const XImage& source, Where where)
{
    for (int y = 0; y < result.m_nHeight; ++y)
        for (int x = 0; x < result.m_nWidth; ++x) {
            const auto from = where(x, y);
            if (PixelValue(result, x, y) != PixelValue(source, from.first, from.second))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is not source ("
                                                     << from.first << ", " << from.second << ")";
        }
    return ::testing::AssertionSuccess();
}

}
