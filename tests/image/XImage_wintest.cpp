// The GDI half of XImage against GDI itself: device bitmaps made from known
// DIB pixels must come back unchanged through InfoFromScreen and
// BitsFromBitmap; palettes and the display preparation.
#include "image/XImage.h"

#include "framework/GlobalBlock.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

namespace {
int DisplayDepth()
{
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth;
}

// A device bitmap made by GDI from a DIB given as header (with colour
// table) and rows.
HBITMAP DeviceBitmap(const std::vector<BYTE>& info, const std::vector<BYTE>& bits)
{
    HDC screen = GetDC(nullptr);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, bits.data(),
                                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::vector<BYTE> Header(int width, int height, int bitCount, const RGBQUAD* table, int entries)
{
    std::vector<BYTE> info(40 + size_t(entries) * 4);
    BITMAPINFOHEADER header = {40, width, height, 1, WORD(bitCount), BI_RGB, 0, 0, 0, 0, 0};
    std::memcpy(info.data(), &header, 40);
    if (entries) std::memcpy(info.data() + 40, table, size_t(entries) * 4);
    return info;
}

RGBQUAD TableEntry(const XImage& image, int index)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    return reinterpret_cast<const RGBQUAD*>(info.get() + 40)[index];
}
}

TEST(XImageWin, TrueColourBitmapRoundTripsThroughBitsFromBitmap)
{
    if (DisplayDepth() < 24) GTEST_SKIP() << "needs a true-colour display";
    const int width = 5, height = 3, row = 16;  // 15 bytes of pixels, padded to 16
    std::vector<BYTE> bits(size_t(row) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x) bits[size_t(y * row + x)] = BYTE(17 * x + 61 * y + 3);
    XImage image;
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = 32;  // what a capture of a 32-bit display reports
    image.m_bitmap.reset(DeviceBitmap(Header(width, height, 24, nullptr, 0), bits));
    ASSERT_NE(image.m_bitmap, nullptr);

    image.InfoFromScreen();
    EXPECT_EQ(image.m_nBitCount, 24);
    ASSERT_NE(image.m_hInfo, nullptr);
    EXPECT_EQ(GlobalSize(image.m_hInfo), 40u);
    image.BitsFromBitmap();
    ASSERT_NE(image.m_hBits, nullptr);
    EXPECT_EQ(image.m_palette, nullptr);  // the conversion's palette is gone again
    LockedBlock<BYTE> out(image.m_hBits);
    for (int y = 0; y < height; ++y)
        EXPECT_EQ(0, std::memcmp(out.get() + y * row, bits.data() + y * row, width * 3)) << "row " << y;
}

TEST(XImageWin, EightBitBitmapKeepsItsColoursOnATrueColourDisplay)
{
    if (DisplayDepth() < 24) GTEST_SKIP() << "needs a true-colour display";
    // Pixels in colours of the halftone cube and gray ramp. GDI maps the
    // deeper device bitmap to a 256-colour table of its own choice, so the
    // colours come back close, not exact; but every pixel's index must
    // name a colour near its original in the header block's table.
    const int width = 8, height = 2;
    std::vector<BYTE> bits = {10, 11, 46, 225, 100, 226, 245, 150, 16, 200, 60, 230, 12, 80, 140, 210};
    XImage image;
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = 8;
    image.m_bitmap.reset(DeviceBitmap(Header(width, height, 8, HalftonePalette(), 256), bits));
    ASSERT_NE(image.m_bitmap, nullptr);
    image.InfoFromScreen();
    image.BitsFromBitmap();
    ASSERT_NE(image.m_hBits, nullptr);
    LockedBlock<BYTE> out(image.m_hBits);
    for (size_t i = 0; i < bits.size(); ++i) {
        RGBQUAD want = HalftonePalette()[bits[i]];
        RGBQUAD got = TableEntry(image, out.get()[i]);
        EXPECT_NEAR(got.rgbRed, want.rgbRed, 64) << "pixel " << i;
        EXPECT_NEAR(got.rgbGreen, want.rgbGreen, 64) << "pixel " << i;
        EXPECT_NEAR(got.rgbBlue, want.rgbBlue, 64) << "pixel " << i;
    }
}

TEST(XImageWin, BitsFromBitmapRefusesImpossibleSizes)
{
    XImage image;
    image.m_nWidth = 0x7FFFFFFF;
    image.m_nHeight = 0x7FFFFFFF;
    image.m_nBitCount = 24;
    image.m_bitmap.reset(CreateBitmap(1, 1, 1, 1, nullptr));
    image.m_hInfo.reset(GlobalAlloc(GHND, 40));
    image.BitsFromBitmap();
    EXPECT_EQ(image.m_hBits, nullptr);
    EXPECT_EQ(image.m_nOriginId, unsigned(IDS_INSUFFICIENT_MEMORY));
}

TEST(XImageWin, InfoFromPaletteCopiesTheFirstEntries)
{
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + 16 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 16;
    for (int i = 0; i < 16; ++i) logical->palPalEntry[i] = {BYTE(i * 16), BYTE(255 - i), BYTE(i * 3), 0};
    HPALETTE palette = CreatePalette(logical);
    ASSERT_NE(palette, nullptr);

    XImage image;
    image.m_nWidth = 4;
    image.m_nHeight = 4;
    image.m_nBitCount = 4;
    image.InfoFromPalette(palette);
    ASSERT_EQ(GlobalSize(image.m_hInfo), 104u);
    for (int i = 0; i < 16; ++i) {
        RGBQUAD entry = TableEntry(image, i);
        EXPECT_EQ(entry.rgbRed, BYTE(i * 16));
        EXPECT_EQ(entry.rgbGreen, BYTE(255 - i));
        EXPECT_EQ(entry.rgbBlue, BYTE(i * 3));
    }
    // Above 8 bits the image becomes 24-bit with no table.
    XImage deep;
    deep.m_nWidth = 2;
    deep.m_nHeight = 2;
    deep.m_nBitCount = 16;
    deep.InfoFromPalette(palette);
    EXPECT_EQ(deep.m_nBitCount, 24);
    EXPECT_EQ(GlobalSize(deep.m_hInfo), 40u);
    DeleteObject(palette);
}

TEST(XImageWin, MakePaletteFollowsTheColourTable)
{
    XImage image;
    image.m_nWidth = 2;
    image.m_nHeight = 2;
    image.m_nBitCount = 8;
    ASSERT_TRUE(image.AllocateBlocks());
    image.SetGrayTable();
    image.MakePalette();
    ASSERT_NE(image.m_palette, nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(image.m_palette, 0, 256, entries), 256u);
    for (int i = 0; i < 256; i += 51) {
        EXPECT_EQ(entries[i].peRed, i);
        EXPECT_EQ(entries[i].peBlue, i);
    }
    XImage trueColour;
    trueColour.m_nWidth = 2;
    trueColour.m_nHeight = 2;
    trueColour.m_nBitCount = 24;
    ASSERT_TRUE(trueColour.AllocateBlocks());
    trueColour.MakePalette();
    EXPECT_EQ(trueColour.m_palette, nullptr);
}

TEST(XImageWin, PrepareForShowResetsTheWindowState)
{
    XImage image;
    image.m_nWidth = 30;
    image.m_nHeight = 20;
    image.m_nBitCount = 24;
    ASSERT_TRUE(image.AllocateBlocks());
    image.m_bSelected = TRUE;
    image.m_bTopBorder = TRUE;
    image.m_nColors = 12;
    image.m_rcCrop = RECT{3, 4, 5, 6};
    image.PrepareForShow();
    EXPECT_FALSE(image.m_bSelected);
    EXPECT_FALSE(image.m_bTopBorder);
    EXPECT_EQ(image.m_nColors, 0u);
    EXPECT_EQ(image.m_rcCrop.left, 0);
    EXPECT_EQ(image.m_rcCrop.top, 0);
    EXPECT_EQ(image.m_rcCrop.right, 30);
    EXPECT_EQ(image.m_rcCrop.bottom, 20);
    // A display of 15 bits or more draws 24-bit pixels directly.
    if (DisplayDepth() >= 15)
        EXPECT_EQ(image.m_hShowBits, nullptr);
    else
        EXPECT_NE(image.m_hShowBits, nullptr);
}
