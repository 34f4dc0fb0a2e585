// Packed DIBs from the clipboard: the layouts that are read, the ones that
// are refused, and blocks that claim more than they hold.
#include "image/XDocumentClipboard.h"

#include "framework/GlobalBlock.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
std::vector<BYTE> Dib(int width, int height, int bitCount, DWORD compression, DWORD colorsUsed,
                      const std::vector<BYTE>& tail)
{
    BITMAPINFOHEADER header = {40, width, height, 1, WORD(bitCount), compression, 0, 0, 0, colorsUsed, 0};
    std::vector<BYTE> block(40 + tail.size());
    std::memcpy(block.data(), &header, 40);
    std::copy(tail.begin(), tail.end(), block.begin() + 40);
    return block;
}

std::vector<BYTE> Bytes(HGLOBAL h, size_t size)
{
    LockedBlock<BYTE> p(h);
    return p ? std::vector<BYTE>(p.get(), p.get() + size) : std::vector<BYTE>();
}
}

TEST(ReadPackedDib, ShortColourTableAndRowsFollowingIt)
{
    // 8-bit, 3 x 2, two table entries: red and blue; rows of 4 bytes.
    std::vector<BYTE> tail = {0, 0, 255, 0, 255, 0, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0};
    std::vector<BYTE> dib = Dib(3, 2, 8, BI_RGB, 2, tail);
    XImage image;
    ASSERT_TRUE(ReadPackedDib(dib.data(), dib.size(), &image));
    EXPECT_EQ(image.m_nWidth, 3);
    EXPECT_EQ(image.m_nHeight, 2);
    EXPECT_EQ(image.m_nBitCount, 8);
    std::vector<BYTE> info = Bytes(image.m_hInfo, 1064);
    EXPECT_EQ(info[40 + 2], 255);  // entry 0 red
    EXPECT_EQ(info[44 + 0], 255);  // entry 1 blue
    EXPECT_EQ(info[48 + 0], 0);    // the rest of the full table is black
    EXPECT_EQ(Bytes(image.m_hBits, 8), (std::vector<BYTE>{1, 0, 1, 0, 0, 1, 0, 0}));
}

TEST(ReadPackedDib, TopDownRowsAreTurnedBottomUp)
{
    std::vector<BYTE> tail = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    std::vector<BYTE> dib = Dib(2, -2, 24, BI_RGB, 0, tail);
    XImage image;
    ASSERT_TRUE(ReadPackedDib(dib.data(), dib.size(), &image));
    EXPECT_EQ(image.m_nHeight, 2);
    EXPECT_EQ(Bytes(image.m_hBits, 16), (std::vector<BYTE>{7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(ReadPackedDib, ThirtyTwoBitsBecomeTwentyFour)
{
    std::vector<BYTE> pixels = {10, 20, 30, 0, 40, 50, 60, 0};  // one row of two pixels
    XImage plain;
    std::vector<BYTE> dib = Dib(2, 1, 32, BI_RGB, 0, pixels);
    ASSERT_TRUE(ReadPackedDib(dib.data(), dib.size(), &plain));
    EXPECT_EQ(plain.m_nBitCount, 24);
    EXPECT_EQ(Bytes(plain.m_hBits, 8), (std::vector<BYTE>{10, 20, 30, 40, 50, 60, 0, 0}));

    std::vector<BYTE> masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    masks.insert(masks.end(), pixels.begin(), pixels.end());
    XImage fields;
    dib = Dib(2, 1, 32, 3, 0, masks);
    ASSERT_TRUE(ReadPackedDib(dib.data(), dib.size(), &fields));
    EXPECT_EQ(Bytes(fields.m_hBits, 8), (std::vector<BYTE>{10, 20, 30, 40, 50, 60, 0, 0}));

    std::vector<BYTE> swapped = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
    swapped.insert(swapped.end(), pixels.begin(), pixels.end());
    XImage refused;
    dib = Dib(2, 1, 32, 3, 0, swapped);
    EXPECT_FALSE(ReadPackedDib(dib.data(), dib.size(), &refused));
    EXPECT_EQ(refused.m_nOriginId, unsigned(IDS_NO_BITMAP_IN_CLIPBOARD));
}

TEST(ReadPackedDib, RefusesWhatItCannotReadOrWhatIsNotThere)
{
    std::vector<BYTE> row = {1, 2, 3, 0};
    struct Case {
        const char* name;
        std::vector<BYTE> dib;
    } cases[] = {
        {"compressed", Dib(1, 1, 8, BI_RLE8, 0, std::vector<BYTE>(1024 + 4))},
        {"16 bits", Dib(1, 1, 16, BI_RGB, 0, row)},
        {"zero width", Dib(0, 1, 24, BI_RGB, 0, row)},
        {"last row missing a byte", Dib(1, 2, 24, BI_RGB, 0, {1, 2, 3, 0, 4, 5, 6})},
        {"table cut short", Dib(1, 1, 8, BI_RGB, 0, std::vector<BYTE>(100))},
        {"huge claim, tiny block", Dib(0x7FFFFFFF, 0x7FFFFFFF, 24, BI_RGB, 0, row)},
    };
    for (const Case& c : cases) {
        XImage image;
        EXPECT_FALSE(ReadPackedDib(c.dib.data(), c.dib.size(), &image)) << c.name;
        EXPECT_EQ(image.m_hBits, nullptr) << c.name;
        EXPECT_EQ(image.m_nOriginId, unsigned(IDS_NO_BITMAP_IN_CLIPBOARD)) << c.name;
    }
    std::vector<BYTE> core = Dib(1, 1, 24, BI_RGB, 0, row);
    core[0] = 12;  // an OS/2 core header
    XImage image;
    EXPECT_FALSE(ReadPackedDib(core.data(), core.size(), &image));
    EXPECT_FALSE(ReadPackedDib(core.data(), 39, &image));
    EXPECT_FALSE(ReadPackedDib(nullptr, 0, &image));

    // A 41-byte header that claims bit fields leaves no room for the masks.
    std::vector<BYTE> fields = Dib(1, 1, 32, 3, 0, {});
    fields[0] = 41;
    fields.resize(43);
    EXPECT_FALSE(ReadPackedDib(fields.data(), fields.size(), &image));
}

TEST(ReadPackedDib, MonochromeRowsAreTwoByteAligned)
{
    EXPECT_EQ(MonochromeRowBytes(16), 2u);
    EXPECT_EQ(MonochromeRowBytes(17), 4u);
    EXPECT_EQ(MonochromeRowBytes(1), 2u);
    EXPECT_EQ(MonochromeRowBytes(0), 0u);
}
