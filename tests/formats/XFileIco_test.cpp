// Cursor and icon files: composition of the XOR image with the AND mask,
// entry choice, and refusal of layouts that are not read.
#include "FormatTestSupport.h"

#include "formats/XFileIco.h"

namespace {
// One bitmap image of an icon file: header (height doubled), table, XOR
// rows, AND rows; size x size pixels.
Bytes IconImage(int size, int bitCount, const Bytes& table, const Bytes& xorRows, const Bytes& andRows)
{
    Bytes b = InfoHeader(size, 2 * size, bitCount);
    b.insert(b.end(), table.begin(), table.end());
    b.insert(b.end(), xorRows.begin(), xorRows.end());
    b.insert(b.end(), andRows.begin(), andRows.end());
    return b;
}

Bytes IconFile(uint16_t type, const std::vector<Bytes>& images)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, uint16_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const Bytes& image : images) {
        b.insert(b.end(), {32, 32, 0, 0, 1, 0, 1, 0});
        Put32(b, uint32_t(image.size()));
        Put32(b, offset);
        offset += uint32_t(image.size());
    }
    for (const Bytes& image : images) b.insert(b.end(), image.begin(), image.end());
    return b;
}

// The classic 32 x 32 two-colour cursor: first row of pixels holds the four
// cases (XOR, AND) = (0,0) black, (1,0) white, (0,1) transparent, (1,1)
// inverting in its first four pixels.
Bytes TwoColourCursorImage()
{
    Bytes table;
    AddQuad(table, 0, 0, 0);
    AddQuad(table, 255, 255, 255);
    Bytes xorRows(128, 0), andRows(128, 0);
    // Stored rows are bottom-up: the top row is stored row 31.
    xorRows[31 * 4] = 0x50;  // pixels 1 and 3 set
    andRows[31 * 4] = 0x30;  // pixels 2 and 3 masked
    return IconImage(32, 1, table, xorRows, andRows);
}
}

TEST(CurReader, TransparentPixelsWhiteInvertingBlack)
{
    Bytes file = IconFile(2, {TwoColourCursorImage()});
    ASSERT_EQ(file.size(), 326u);  // the fixed layout
    XImage image;
    XFileCur().Decode(&image, file.data(), file.size());
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(image.m_nWidth, 32);
    EXPECT_EQ(image.m_nHeight, 32);
    EXPECT_EQ(image.m_nBitCount, 1);
    Bytes bits = PixelBytes(image);
    // black, white, white (transparent), black (inverted white).
    EXPECT_EQ(bits[31 * 4], 0x60);
    EXPECT_EQ(Get32(InfoBytes(image), 8), 32u);
}

TEST(IcoReader, TwoImagesShowTheSecondAndColourMasksInvert)
{
    Bytes table;
    for (int i = 0; i < 16; ++i) AddQuad(table, uint8_t(i * 17), uint8_t(i * 17), uint8_t(i * 17));
    Bytes xorRows(512, 0x33), andRows(128, 0);
    andRows[0] = 0x80;  // bottom-left pixel masked: 3 -> inverted grey 204 -> entry 12
    Bytes second = IconImage(32, 4, table, xorRows, andRows);
    Bytes first = IconImage(32, 1, Bytes(8, 0), Bytes(128, 0), Bytes(128, 0));
    Bytes file = IconFile(1, {first, second});
    XImage image;
    XFileIco().Decode(&image, file.data(), file.size());
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(image.m_nBitCount, 4);
    Bytes bits = PixelBytes(image);
    EXPECT_EQ(bits[0], 0xC3);
    EXPECT_EQ(bits[1], 0x33);
    EXPECT_EQ(InfoBytes(image).size(), 104u);
}

TEST(IcoReader, OtherSizesAndDepthsReadOrRefusedCleanly)
{
    // 16 x 16 24-bit: read with masked pixels inverted.
    Bytes xorRows(16 * 48, 0), andRows(16 * 4, 0);
    xorRows[0] = 10;
    xorRows[1] = 20;
    xorRows[2] = 30;
    andRows[0] = 0x80;
    Bytes file = IconFile(1, {IconImage(16, 24, {}, xorRows, andRows)});
    XImage image;
    XFileIco().Decode(&image, file.data(), file.size());
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(image.m_nWidth, 16);
    EXPECT_EQ(image.m_nBitCount, 24);
    Bytes bits = PixelBytes(image);
    EXPECT_EQ(Bytes(bits.begin(), bits.begin() + 6), (Bytes{245, 235, 225, 0, 0, 0}));

    auto refused = [](const Bytes& f) { return DecodeRefused<XFileIco>(f); };
    Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    png.resize(64, 0);
    EXPECT_TRUE(refused(IconFile(1, {png})));
    // A two-image icon whose second image is PNG shows its first.
    Bytes withPng = IconFile(1, {TwoColourCursorImage(), png});
    XImage first;
    XFileIco().Decode(&first, withPng.data(), withPng.size());
    ASSERT_TRUE(first.m_hBits);
    EXPECT_EQ(PixelBytes(first)[31 * 4], 0x60);
    Bytes truncated = IconFile(1, {TwoColourCursorImage()});
    truncated.resize(100);
    EXPECT_TRUE(refused(truncated));
    EXPECT_TRUE(refused(IconFile(1, {IconImage(32, 16, {}, Bytes(2048), Bytes(128))})));
    EXPECT_TRUE(refused(IconFile(1, {})));
    Bytes offset = IconFile(1, {TwoColourCursorImage()});
    offset[18] = 0xFF;  // image offset beyond the file
    EXPECT_TRUE(refused(offset));
}
