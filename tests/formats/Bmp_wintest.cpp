// The BMP family in the 32-bit Windows build: files written through the
// Windows C runtime (plain, RLE8, RLE4, CLP) read back identically through
// the extension dispatch, a cursor composes as on the host (the
// hand-computed bytes are checked by the host tests), and an empty file is
// refused as not of its format (Windows cannot lock an empty block).
#include "FormatTestSupport.h"

#include "formats/ImageFile.h"
#include "formats/XFileIco.h"
#include "resources/resource.h"

namespace {
void Pattern(XImage& image, int width, int height, int bitCount)
{
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = uint16_t(bitCount);
    ASSERT_TRUE(image.AllocateBlocks());
    LockedBlock<BYTE> bits(image.m_hBits), info(image.m_hInfo);
    const size_t used = (size_t(width) * bitCount + 7) / 8;
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < used; ++i)
            bits.get()[size_t(y) * image.RowBytes() + i] = (y % 3) ? BYTE(i * 7 + y * 13) : BYTE(i / 40);
    for (size_t i = 40; i < image.InfoSize(); ++i) info.get()[i] = (i % 4 == 3) ? 0 : BYTE(i * 3);
}
}

TEST(BmpWin32, WrittenFilesReadBackThroughTheDispatch)
{
    const struct { int bitCount; int format; const char* name; } cases[] = {
        {24, kSaveBmp, "wintest.bmp"}, {8, kSaveRle, "wintest8.rle"},
        {4, kSaveRle, "wintest4.RLE"}, {1, kSaveDib, "wintest.dib"},
        {8, kSaveClp, "wintest.clp"},
    };
    for (const auto& c : cases) {
        XImage image;
        // An even width for RLE4: the coder does not keep a row's pad nibble.
        Pattern(image, c.bitCount == 4 ? 100 : 101, 9, c.bitCount);
        const std::string path = TempPath(c.name);
        ASSERT_EQ(WriteImageFile(image, path.c_str(), c.format), 0u) << c.name;
        XImage back;
        EXPECT_EQ(ReadImageFile(&back, path.c_str()), 0u) << c.name;
        std::remove(path.c_str());
        ASSERT_TRUE(back.m_hBits) << c.name;
        EXPECT_EQ(back.m_nBitCount, c.bitCount) << c.name;
        EXPECT_EQ(PixelBytes(back), PixelBytes(image)) << c.name;
        Bytes a = InfoBytes(image), b = InfoBytes(back);
        EXPECT_EQ(Bytes(a.begin() + 40, a.end()), Bytes(b.begin() + 40, b.end())) << c.name;
    }
}

TEST(BmpWin32, CursorTransparentWhiteInvertingBlack)
{
    Bytes file;
    Put16(file, 0);
    Put16(file, 2);
    Put16(file, 1);
    file.insert(file.end(), {32, 32, 2, 0, 0, 0, 0, 0});
    Put32(file, 304);
    Put32(file, 22);
    Bytes image = InfoHeader(32, 64, 1);
    AddQuad(image, 0, 0, 0);
    AddQuad(image, 255, 255, 255);
    Bytes xorRows(128, 0), andRows(128, 0);
    xorRows[0] = 0x50;
    andRows[0] = 0x30;
    file.insert(file.end(), image.begin(), image.end());
    file.insert(file.end(), xorRows.begin(), xorRows.end());
    file.insert(file.end(), andRows.begin(), andRows.end());
    XImage cursor;
    XFileCur().Decode(&cursor, file.data(), file.size());
    ASSERT_TRUE(cursor.m_hBits);
    EXPECT_EQ(PixelBytes(cursor)[0], 0x60);
}

TEST(BmpWin32, EmptyFilesAreNotOfTheirFormat)
{
    const std::string path = TempPath("wintest_empty.bmp");
    WriteFileBytes(path, Bytes());
    XImage image;
    EXPECT_EQ(ReadImageFile(&image, path.c_str()), unsigned(IDS_UNSUPPORTED_BMP));
    EXPECT_FALSE(image.m_hBits);
    std::remove(path.c_str());
}
