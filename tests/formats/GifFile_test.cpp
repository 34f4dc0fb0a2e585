// XFileGif reading and writing on files built byte by byte here, following
// the GIF89a document; the independent decoders and encoders are compared in
// test_gif_interop.py.
#include "formats/XFileGif.h"

#include "FormatTestSupport.h"

namespace {
// The published 10 x 10 four-colour sample (minimum code size 2).
const Bytes kSampleStream = {0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x1C, 0xDC, 0x33, 0xA0, 0x02, 0x75,
                             0xEC, 0x95, 0xFA, 0xA8, 0xDE, 0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01};
const char* const kSampleRows[10] = {"1111122222", "1111122222", "1111122222", "1110000222", "1110000222",
                                     "2220000111", "2220000111", "2222211111", "2222211111", "2222211111"};
const Bytes kSampleTable = {255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 0};

Bytes Header(int width, int height, BYTE flags, const Bytes& table, BYTE background = 0, const char* version = "89a")
{
    Bytes b = {'G', 'I', 'F', BYTE(version[0]), BYTE(version[1]), BYTE(version[2])};
    Put16(b, width);
    Put16(b, height);
    b.push_back(flags);
    b.push_back(background);
    b.push_back(0);
    b.insert(b.end(), table.begin(), table.end());
    return b;
}

void AddImage(Bytes& b, int left, int top, int width, int height, BYTE flags, const Bytes& stream,
              int minCodeSize = 2, const Bytes& localTable = {})
{
    b.push_back(0x2C);
    Put16(b, left);
    Put16(b, top);
    Put16(b, width);
    Put16(b, height);
    b.push_back(flags);
    b.insert(b.end(), localTable.begin(), localTable.end());
    b.push_back(BYTE(minCodeSize));
    for (size_t pos = 0; pos < stream.size(); pos += 255) {
        size_t n = std::min<size_t>(255, stream.size() - pos);
        b.push_back(BYTE(n));
        b.insert(b.end(), stream.begin() + long(pos), stream.begin() + long(pos + n));
    }
    b.push_back(0);
    b.push_back(0x3B);
}

Bytes SampleFile()
{
    Bytes b = Header(10, 10, 0x91, kSampleTable);
    AddImage(b, 0, 0, 10, 10, 0, kSampleStream);
    return b;
}

void ExpectFails(const Bytes& file, const char* what) { EXPECT_TRUE(DecodeRefused<XFileGif>(file)) << what; }

}

TEST(GifFile, ReadsPublishedSample)
{
    Bytes file = SampleFile();
    XImage image;
    XFileGif().Decode(&image, file.data(), file.size());
    ASSERT_NE(image.m_hBits, nullptr);
    EXPECT_EQ(image.m_nWidth, 10);
    EXPECT_EQ(image.m_nHeight, 10);
    EXPECT_EQ(image.m_nBitCount, 4);  // a 4-entry table
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(PixelAt(image, x, y), kSampleRows[y][x] - '0') << x << "," << y;
    RGBQUAD red = ColorAt(image, 1);
    EXPECT_EQ(red.rgbRed, 255);
    EXPECT_EQ(red.rgbGreen, 0);
    EXPECT_EQ(red.rgbBlue, 0);
    RGBQUAD unused = ColorAt(image, 9);  // beyond the file's table: black
    EXPECT_EQ(unused.rgbRed + unused.rgbGreen + unused.rgbBlue, 0);
}

TEST(GifFile, BitCountFollowsTableSize)
{
    const struct { int sizeField, bitCount; } cases[] = {{0, 1}, {1, 4}, {3, 4}, {4, 8}, {7, 8}};
    for (const auto& c : cases) {
        Bytes table(size_t(3) << (c.sizeField + 1), 0x40);
        Bytes file = Header(10, 10, BYTE(0x80 | c.sizeField), table);
        AddImage(file, 0, 0, 10, 10, 0, kSampleStream);
        XImage image;
        XFileGif().Decode(&image, file.data(), file.size());
        ASSERT_NE(image.m_hBits, nullptr) << c.sizeField;
        EXPECT_EQ(image.m_nBitCount, c.bitCount) << c.sizeField;
        // Index 2 masked to one bit is 0.
        EXPECT_EQ(PixelAt(image, 9, 0), c.bitCount == 1 ? 0 : 2);
    }
    // A local table replaces the global one, including its size.
    Bytes file = Header(10, 10, 0x87, Bytes(768, 9));
    AddImage(file, 0, 0, 10, 10, 0x80, kSampleStream, 2, {1, 2, 3, 4, 5, 6});
    XImage image;
    XFileGif().Decode(&image, file.data(), file.size());
    ASSERT_NE(image.m_hBits, nullptr);
    EXPECT_EQ(image.m_nBitCount, 1);
    EXPECT_EQ(ColorAt(image, 1).rgbRed, 4);
    EXPECT_EQ(ColorAt(image, 1).rgbBlue, 6);
}

TEST(GifFile, ExtensionsAreSkippedByTheirBlocks)
{
    // A comment holding the separator and trailer bytes, a graphic control
    // extension and a stray byte before the image.
    Bytes file = Header(10, 10, 0x91, kSampleTable);
    const Bytes extensions = {0x21, 0xFE, 5, ',', ';', 0x2C, 0x3B, 'x', 0, 0x21, 0xF9, 4, 0, 0x2C, 0, 0x3B, 0, 0x00};
    file.insert(file.end(), extensions.begin(), extensions.end());
    AddImage(file, 0, 0, 10, 10, 0, kSampleStream);
    XImage image;
    XFileGif().Decode(&image, file.data(), file.size());
    ASSERT_NE(image.m_hBits, nullptr);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(PixelAt(image, x, y), kSampleRows[y][x] - '0');
}

TEST(GifFile, RefusesMalformedFiles)
{
    Bytes good = SampleFile();
    ExpectFails(Bytes(good.begin(), good.begin() + 12), "short header");
    Bytes bad = good;
    bad[0] = 'g';
    ExpectFails(bad, "lower-case signature");
    bad = good;
    bad[4] = '8';
    ExpectFails(bad, "version 88a");
    Bytes trailerFirst = Header(10, 10, 0x91, kSampleTable);
    trailerFirst.push_back(0x3B);
    AddImage(trailerFirst, 0, 0, 10, 10, 0, kSampleStream);
    ExpectFails(trailerFirst, "trailer before the image");
    Bytes zeroScreen = Header(0, 10, 0x91, kSampleTable);
    AddImage(zeroScreen, 0, 0, 10, 10, 0, kSampleStream);
    ExpectFails(zeroScreen, "zero screen width");
    Bytes zeroFrame = Header(10, 10, 0x91, kSampleTable);
    AddImage(zeroFrame, 0, 0, 10, 0, 0, kSampleStream);
    ExpectFails(zeroFrame, "zero image height");
    ExpectFails(Bytes(good.begin(), good.begin() + 20), "cut in the colour table");
    Bytes noData = Header(10, 10, 0x91, kSampleTable);
    AddImage(noData, 0, 0, 10, 10, 0, {});
    ExpectFails(noData, "no image data");
    ExpectFails(Bytes(noData.begin(), noData.end() - 2), "end after the code size");
    Bytes bigCode = Header(10, 10, 0x91, kSampleTable);
    AddImage(bigCode, 0, 0, 10, 10, 0, kSampleStream, 12);
    ExpectFails(bigCode, "minimum code size beyond 8 bits");
    Bytes cutExtension = Header(10, 10, 0x91, kSampleTable);
    cutExtension.insert(cutExtension.end(), {0x21, 0xFE, 200, 'a'});
    ExpectFails(cutExtension, "extension past the end");
}

TEST(GifFile, DamagedOrTruncatedDataKeepsDecodedRows)
{
    Bytes file = SampleFile();
    // Cut inside the data: the first rows survive, the rest stays index 0.
    size_t dataStart = file.size() - kSampleStream.size() - 3;
    Bytes truncated(file.begin(), file.begin() + long(dataStart + 9));
    XImage image;
    XFileGif().Decode(&image, truncated.data(), truncated.size());
    ASSERT_NE(image.m_hBits, nullptr);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(image, x, 0), kSampleRows[0][x] - '0');
    EXPECT_EQ(PixelAt(image, 9, 9), 0);
    // A code beyond the next free code ends decoding quietly.
    Bytes damaged = file;
    damaged[dataStart + 5] = 0xFF;
    XImage damagedImage;
    XFileGif().Decode(&damagedImage, damaged.data(), damaged.size());
    ASSERT_NE(damagedImage.m_hBits, nullptr);
    EXPECT_EQ(PixelAt(damagedImage, 0, 0), 1);
}

TEST(GifFile, ImageIsPlacedInItsRectangleOfTheScreen)
{
    // A 10 x 10 image at (7, 3) on a 20 x 15 screen with background index 3,
    // and the same image hanging over the right and bottom edges.
    Bytes file = Header(20, 15, 0x91, kSampleTable, 3);
    AddImage(file, 7, 3, 10, 10, 0, kSampleStream);
    XImage image;
    XFileGif().Decode(&image, file.data(), file.size());
    ASSERT_NE(image.m_hBits, nullptr);
    ASSERT_EQ(image.m_nWidth, 20);
    ASSERT_EQ(image.m_nHeight, 15);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) {
            bool inside = x >= 7 && x < 17 && y >= 3 && y < 13;
            ASSERT_EQ(PixelAt(image, x, y), inside ? kSampleRows[y - 3][x - 7] - '0' : 3) << x << "," << y;
        }

    Bytes overhang = Header(6, 4, 0x91, kSampleTable);
    AddImage(overhang, 2, 1, 10, 10, 0, kSampleStream);
    XImage clipped;
    XFileGif().Decode(&clipped, overhang.data(), overhang.size());
    ASSERT_NE(clipped.m_hBits, nullptr);
    ASSERT_EQ(clipped.m_nWidth, 6);
    for (int y = 1; y < 4; ++y)
        for (int x = 2; x < 6; ++x) EXPECT_EQ(PixelAt(clipped, x, y), kSampleRows[y - 1][x - 2] - '0');
    EXPECT_EQ(PixelAt(clipped, 1, 1), 0);
}

TEST(GifFile, InterlacedRowOrder)
{
    const int expected[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(XFileGif::InterlacedRow(i, 10), expected[i]);
    EXPECT_EQ(XFileGif::InterlacedRow(0, 1), 0);
    const int five[5] = {0, 4, 2, 1, 3};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(XFileGif::InterlacedRow(i, 5), five[i]);

    // The sample's rows stored in interlaced order read back in display order.
    Bytes file = SampleFile();
    file[13 + 12 + 9] = 0x40;
    XImage image;
    XFileGif().Decode(&image, file.data(), file.size());
    ASSERT_NE(image.m_hBits, nullptr);
    for (int i = 0; i < 10; ++i)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(PixelAt(image, x, expected[i]), kSampleRows[i][x] - '0');
}

TEST(GifFile, WriterLayoutFor1BitImages)
{
    XImage image;
    IndexImage(image, 4, 1, 1, [](int x, int) { return x == 0 ? 1 : 0; });
    std::string path = TempPath("one_bit.gif");
    EXPECT_EQ(XFileGif().WriteImage(image, path.c_str()), GifError::None);
    // Codes 4 (clear), 1, 0, 6 = "00", 5 (end), three bits each.
    const Bytes expected = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 1, 0, 0x80, 0, 0,
                            0, 255, 0, 7, 254, 1,  // the two table entries, red green blue
                            0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0, 2, 2, 0x0C, 0x5E, 0, 0x3B};
    EXPECT_EQ(ReadFileBytes(path), expected);
    std::remove(path.c_str());
}

TEST(GifFile, WriterHeaderBytesAndRoundTrip)
{
    const struct { int bits; BYTE packed; int minCodeSize; } cases[] = {{1, 0x80, 2}, {4, 0xB3, 4}, {8, 0xF7, 8}};
    for (const auto& c : cases)
        for (bool interlaced : {false, true})
            for (int height : {1, 13}) {
                XImage image;
                IndexImage(image, 37, height, c.bits, [](int x, int y) { return x * 3 + y * 5 + (x * y) % 7; });
                std::string path = TempPath("round.gif");
                XFileGif().WriteImage(image, path.c_str(), interlaced);
                Bytes file = ReadFileBytes(path);
                std::remove(path.c_str());
                size_t table = size_t(3) << c.bits;
                ASSERT_GT(file.size(), 13 + table + 11);
                EXPECT_EQ(file[10], c.packed);
                EXPECT_EQ(file[13 + table + 9], interlaced ? 0x40 : 0);
                EXPECT_EQ(file[13 + table + 10], c.minCodeSize);
                EXPECT_EQ(file.back(), 0x3B);
                XImage back;
                XFileGif().Decode(&back, file.data(), file.size());
                ASSERT_NE(back.m_hBits, nullptr);
                ASSERT_EQ(back.m_nBitCount, c.bits);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < 37; ++x) ASSERT_EQ(PixelAt(back, x, y), PixelAt(image, x, y));
                EXPECT_EQ(ColorAt(back, 1).rgbGreen, 254);
            }
}

TEST(GifFile, WriterRefusesBeforeCreatingTheFile)
{
    std::string path = TempPath("refused.gif");
    std::remove(path.c_str());
    XImage trueColor;
    IndexImage(trueColor, 4, 4, 8, [](int, int) { return 0; });
    trueColor.m_nBitCount = 24;
    EXPECT_EQ(XFileGif().WriteImage(trueColor, path.c_str()), GifError::TrueColorImage);
    EXPECT_FALSE(FileExists(path));

    XImage wide;
    IndexImage(wide, 65536, 1, 1, [](int, int) { return 1; });
    EXPECT_EQ(XFileGif().WriteImage(wide, path.c_str()), GifError::Unsupported);
    EXPECT_FALSE(FileExists(path));

    XImage widest;
    IndexImage(widest, 65535, 2, 1, [](int x, int) { return x & 1; });
    EXPECT_EQ(XFileGif().WriteImage(widest, path.c_str()), GifError::None);
    EXPECT_TRUE(FileExists(path));
    std::remove(path.c_str());

    XImage empty;
    EXPECT_EQ(XFileGif().WriteImage(empty, path.c_str()), GifError::Unsupported);
    EXPECT_FALSE(FileExists(path));
}

TEST(GifFile, ReadImageReadsFromDisk)
{
    std::string path = TempPath("sample.gif");
    WriteFileBytes(path, SampleFile());
    XImage image;
    EXPECT_EQ(XFileGif().ReadImage(&image, path.c_str()), GifError::None);
    std::remove(path.c_str());
    ASSERT_NE(image.m_hBits, nullptr);
    EXPECT_EQ(PixelAt(image, 6, 5), 0);
    XImage missing;
    EXPECT_EQ(XFileGif().ReadImage(&missing, path.c_str()), GifError::Unsupported);
    EXPECT_EQ(missing.m_hBits, nullptr);
}
