#include "image/XImage.h"

#include "framework/GlobalBlock.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

TEST(XImage, SizesFollowBitCount)
{
    XImage image;
    image.m_nWidth = 17;
    image.m_nHeight = 3;
    const struct { int bits; size_t row, info; UINT colors; } cases[] = {
        {1, 4, 48, 2}, {4, 12, 104, 16}, {8, 20, 1064, 256}, {24, 52, 40, 0}, {16, 36, 0, 0}};
    for (const auto& c : cases) {
        image.m_nBitCount = uint16_t(c.bits);
        EXPECT_EQ(image.RowBytes(), c.row) << c.bits;
        EXPECT_EQ(image.BitsSize(), c.row * 3) << c.bits;
        EXPECT_EQ(image.InfoSize(), c.info) << c.bits;
        EXPECT_EQ(image.ColorCount(), c.colors) << c.bits;
    }
}

TEST(XImage, AllocateBlocksRefusesImpossibleSizes)
{
    const struct { int64_t w, h; int bits; } bad[] = {
        {0, 10, 24}, {10, -1, 8}, {10, 10, 16}, {70000, 70000, 24}, {0x7FFFFFFF, 0x7FFFFFFF, 1}};
    for (const auto& c : bad) {
        XImage image;
        image.m_nWidth = int32_t(c.w);
        image.m_nHeight = int32_t(c.h);
        image.m_nBitCount = uint16_t(c.bits);
        EXPECT_FALSE(image.AllocateBlocks());
        EXPECT_EQ(image.m_hBits, nullptr);
        EXPECT_EQ(image.m_hInfo, nullptr);
        EXPECT_EQ(image.m_nOriginId, unsigned(IDS_INSUFFICIENT_MEMORY));
    }
}

TEST(XImage, AllocateBlocksWritesHeader)
{
    XImage image;
    image.m_nWidth = 5;
    image.m_nHeight = 7;
    image.m_nBitCount = 4;
    ASSERT_TRUE(image.AllocateBlocks());
    EXPECT_EQ(GlobalSize(image.m_hBits), 4u * 7u);  // 20 bits pad to 4 bytes
    EXPECT_EQ(GlobalSize(image.m_hInfo), 104u);
    LockedBlock<BITMAPINFOHEADER> header(image.m_hInfo);
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 5);
    EXPECT_EQ(header->biHeight, 7);
    EXPECT_EQ(header->biPlanes, 1);
    EXPECT_EQ(header->biBitCount, 4);
}

TEST(XImage, HalftonePaletteMatchesTable)
{
    const RGBQUAD* p = HalftonePalette();
    EXPECT_EQ(p[9].rgbRed, 166);
    EXPECT_EQ(p[9].rgbGreen, 202);
    EXPECT_EQ(p[9].rgbBlue, 240);
    // Cube entry 10 + 36r + 6g + b = (51r, 51g, 51b).
    EXPECT_EQ(p[10 + 36 * 5 + 6 * 1 + 2].rgbRed, 255);
    EXPECT_EQ(p[10 + 36 * 5 + 6 * 1 + 2].rgbGreen, 51);
    EXPECT_EQ(p[10 + 36 * 5 + 6 * 1 + 2].rgbBlue, 102);
    EXPECT_EQ(p[245].rgbRed, 16 + 12 * 19);
    EXPECT_EQ(p[246].rgbBlue, 240);
    EXPECT_EQ(p[255].rgbRed, 255);
}

TEST(XImage, DitherUsesThresholdStrictly)
{
    // T[0][0] = 0: a remainder of 0 stays down, 1 goes up.
    EXPECT_EQ(DitherLevel(51, 0, 0), 1);
    EXPECT_EQ(DitherLevel(52, 0, 0), 2);
    // T[0][3] = 47; T[7][7] = 16. Rows and columns wrap every 8.
    EXPECT_EQ(DitherLevel(47, 3, 0), 0);
    EXPECT_EQ(DitherLevel(48, 11, 8), 1);
    EXPECT_EQ(DitherLevel(16 + 102, 15, 15), 2);
    EXPECT_EQ(DitherLevel(17 + 102, 7, 7), 3);
    EXPECT_EQ(DitherLevel(255, 0, 0), 5);
}

TEST(XImage, DitheredCopyMapsPixels)
{
    XImage image;
    image.m_nWidth = 2;
    image.m_nHeight = 1;
    image.m_nBitCount = 24;
    ASSERT_TRUE(image.AllocateBlocks());
    {
        LockedBlock<BYTE> bits(image.m_hBits);
        const BYTE px[6] = {255, 0, 0, 0, 102, 204};  // blue; then (r204, g102, b0)
        std::copy(px, px + 6, bits.get());
    }
    ASSERT_TRUE(image.MakeDitheredCopy());
    LockedBlock<BYTE> show(image.m_hShowBits);
    EXPECT_EQ(show.get()[0], 10 + 5);
    EXPECT_EQ(show.get()[1], 10 + 36 * 4 + 6 * 2);
    LockedBlock<BITMAPINFOHEADER> info(image.m_hShowInfo);
    EXPECT_EQ(info->biClrUsed, 256u);
    EXPECT_EQ(info->biBitCount, 8);
}
