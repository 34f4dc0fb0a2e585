// PCX, FST, TIFF and WPG in the 32-bit Windows build: the PCX header records
// the display size, and files written through the Windows C runtime read
// back identically (hand-computed bytes are checked by the host tests).
#include "formats/XFileFst.h"
#include "formats/XFilePcx.h"
#include "formats/XFileTif.h"
#include "formats/XFileWpg.h"

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
std::unique_ptr<XImage> Pattern(int width, int height, int bitCount)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    if (!image->AllocateBlocks()) return image;
    LockedBlock<BYTE> bits(image->m_hBits);
    const size_t used = size_t(width) * bitCount / 8;
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < used; ++i) bits.get()[size_t(y) * image->RowBytes() + i] = BYTE(i * 7 + y * 13);
    LockedBlock<BYTE> info(image->m_hInfo);
    for (size_t i = 40; i < image->InfoSize(); ++i) info.get()[i] = (i % 4 == 3) ? 0 : BYTE(i * 3);
    return image;
}

bool Same(const XImage& a, const XImage& b)
{
    if (!b.m_hBits || a.m_nWidth != b.m_nWidth || a.m_nHeight != b.m_nHeight || a.m_nBitCount != b.m_nBitCount)
        return false;
    LockedBlock<BYTE> bitsA(a.m_hBits), bitsB(b.m_hBits), infoA(a.m_hInfo), infoB(b.m_hInfo);
    return std::memcmp(bitsA.get(), bitsB.get(), a.BitsSize()) == 0 &&
           std::memcmp(infoA.get() + 40, infoB.get() + 40, a.InfoSize() - 40) == 0;
}

template <typename C>
bool RoundTrips(XImage& image, const char* path)
{
    C(&image).WriteImage(path);
    XImage back;
    C(&back).ReadImage(path);
    std::remove(path);
    return image.m_nOriginId == 0 && Same(image, back);
}
}

TEST(PcxTifWin32, PcxHeaderRecordsTheDisplaySize)
{
    auto image = Pattern(16, 2, 8);
    const char* path = "kestrel_wintest_display.pcx";
    XFilePcx(image.get()).WriteImage(path);
    BYTE header[128] = {};
    std::FILE* f = std::fopen(path, "rb");
    ASSERT_TRUE(f);
    ASSERT_EQ(std::fread(header, 1, sizeof header, f), sizeof header);
    std::fclose(f);
    std::remove(path);
    EXPECT_EQ(header[12] | (header[13] << 8), GetSystemMetrics(SM_CXSCREEN) & 0xFFFF);
    EXPECT_EQ(header[14] | (header[15] << 8), GetSystemMetrics(SM_CYSCREEN) & 0xFFFF);
}

TEST(PcxTifWin32, EveryFormatRoundTrips)
{
    for (int bits : {1, 4, 8, 24}) {
        auto image = Pattern(37, 9, bits);
        if (bits == 1) {
            LockedBlock<BITMAPINFO> info(image->m_hInfo);
            RGBQUAD* table = info->bmiColors;
            table[0] = {0, 0, 0, 0};
            table[1] = {255, 255, 255, 0};
        }
        EXPECT_TRUE(RoundTrips<XFilePcx>(*image, "kestrel_wintest.pcx")) << bits;
        EXPECT_TRUE(RoundTrips<XFileFst>(*image, "kestrel_wintest.fst")) << bits;
        EXPECT_TRUE(RoundTrips<XFileTif>(*image, "kestrel_wintest.tif")) << bits;
        if (bits != 24) {
            EXPECT_TRUE(RoundTrips<XFileWpg>(*image, "kestrel_wintest.wpg")) << bits;
        }
    }
}
