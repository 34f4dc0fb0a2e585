// BMP reading and writing, and the RLE coder, against hand-built files and
// hand-computed encodings.
#include "FormatTestSupport.h"

#include "formats/XFileBmp.h"
#include "formats/XFileBmpRle.h"

#include <cstdlib>

namespace {
Bytes EncodeRow(const Bytes& row, int bitCount, int width)
{
    Bytes out(size_t(RleRowBound(width)));
    out.resize(EncodeRleRow(row.data(), width, bitCount, out.data()));
    return out;
}

Bytes Repeat(size_t n, uint8_t v) { return Bytes(n, v); }

void Decode(XImage& image, const Bytes& file) { XFileBmp().Decode(&image, file.data(), file.size()); }
}

TEST(BmpRle8Encoder, LongRunsSplitAt255)
{
    Bytes expected = {255, 9, 255, 9, 90, 9, 0, 0};
    EXPECT_EQ(EncodeRow(Repeat(600, 9), 8, 600), expected);
}

TEST(BmpRle8Encoder, DifferentBytesBecomeLiteralsOfAtMost255WithPad)
{
    Bytes row(600);
    for (size_t i = 0; i < row.size(); ++i) row[i] = uint8_t(i * 7 + i / 256);  // no two neighbours equal
    Bytes out = EncodeRow(row, 8, 600);
    Bytes expected = {0, 255};
    expected.insert(expected.end(), row.begin(), row.begin() + 255);
    expected.insert(expected.end(), {0, 0, 255});
    expected.insert(expected.end(), row.begin() + 255, row.begin() + 510);
    expected.insert(expected.end(), {0, 0, 90});
    expected.insert(expected.end(), row.begin() + 510, row.end());
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(out, expected);
}

TEST(BmpRle8Encoder, ShortLiteralsAreRunsOfOne)
{
    EXPECT_EQ(EncodeRow({5, 6, 7, 7}, 8, 4), (Bytes{1, 5, 1, 6, 2, 7, 0, 0}));
    EXPECT_EQ(EncodeRow({5, 7, 7}, 8, 3), (Bytes{1, 5, 2, 7, 0, 0}));
    EXPECT_EQ(EncodeRow({5}, 8, 1), (Bytes{1, 5, 0, 0}));
    EXPECT_EQ(EncodeRow({1, 2, 3, 4, 4}, 8, 5), (Bytes{0, 3, 1, 2, 3, 0, 2, 4, 0, 0}));
    EXPECT_EQ(EncodeRow({1, 2, 3, 4}, 8, 4), (Bytes{0, 4, 1, 2, 3, 4, 0, 0}));
    // The bytes that pad a row to 4 bytes are not encoded.
    EXPECT_EQ(EncodeRow({3, 3, 3, 8}, 8, 3), (Bytes{3, 3, 0, 0}));
}

TEST(BmpRle4Encoder, PixelsPackedAsNibbleRunsAndLiterals)
{
    // 0x11 0x11 0x1 -> five pixels of 1; then 2,3 as a run of two alternating.
    EXPECT_EQ(EncodeRow({0x11, 0x11, 0x10}, 4, 5), (Bytes{5, 0x11, 0, 0}));
    EXPECT_EQ(EncodeRow({0x23}, 4, 2), (Bytes{2, 0x23, 0, 0}));
    // Literal of five pixels: three bytes, padded to a word.
    EXPECT_EQ(EncodeRow({0x12, 0x34, 0x56, 0x66}, 4, 7), (Bytes{0, 5, 0x12, 0x34, 0x50, 0, 2, 0x66, 0, 0}));
}

TEST(BmpRleDecoder, ClipsRunsAndHonoursEscapes)
{
    // 4 x 3 image, stride 4.
    Bytes bits(12, 0);
    Bytes data = {10, 1,              // run past the row: clipped to 4 pixels
                  0, 0,               // end of row
                  0, 2, 1, 1,         // delta: right 1, up 1 (to row 2)
                  0, 3, 7, 8, 9, 0,   // literal of 3 with pad, clipped after 3 of the 3 left
                  0, 1,               // end of bitmap
                  5, 5};              // never read
    DecodeRle(data.data(), data.size(), 8, bits.data(), 4, 3, 4);
    EXPECT_EQ(bits, (Bytes{1, 1, 1, 1, 0, 0, 0, 0, 0, 7, 8, 9}));
}

TEST(BmpRleDecoder, StopsAtTheInputEndAndTheLastRow)
{
    Bytes bits(8, 0);
    Bytes cut = {0, 5, 1, 2};  // literal of five with two bytes present
    DecodeRle(cut.data(), cut.size(), 8, bits.data(), 4, 2, 4);
    EXPECT_EQ(bits, (Bytes{1, 2, 0, 0, 0, 0, 0, 0}));

    std::fill(bits.begin(), bits.end(), 0);
    Bytes past = {0, 2, 0, 200, 4, 9, 0, 0, 0, 0, 0, 0, 4, 9};  // delta far past the top, rows past it
    DecodeRle(past.data(), past.size(), 8, bits.data(), 4, 2, 4);
    EXPECT_EQ(bits, Bytes(8, 0));

    Bytes rle4 = {3, 0x12, 0, 3, 0x45, 0x60, 0, 0};  // run alternating 1,2,1 then literal 4,5,6
    Bytes bits4(4, 0);
    DecodeRle(rle4.data(), rle4.size(), 4, bits4.data(), 8, 1, 4);
    EXPECT_EQ(bits4, (Bytes{0x12, 0x14, 0x56, 0x00}));
}

TEST(BmpReader, ShortColourTablesArePaddedWithBlack)
{
    // 8-bit, 2 x 1, biClrUsed 2: the two entries, then black.
    Bytes headers = InfoHeader(2, 1, 8, 0, 2);
    AddQuad(headers, 255, 0, 0);
    AddQuad(headers, 0, 0, 255);
    XImage image;
    Decode(image, BmpFile(headers, {1, 0, 0, 0}));
    ASSERT_TRUE(image.m_hBits);
    Bytes info = InfoBytes(image);
    ASSERT_EQ(info.size(), 1064u);
    EXPECT_EQ(Bytes(info.begin() + 40, info.begin() + 48), (Bytes{0, 0, 255, 0, 255, 0, 0, 0}));
    EXPECT_EQ(Bytes(info.begin() + 48, info.end()), Bytes(1016, 0));
    EXPECT_EQ(PixelBytes(image), (Bytes{1, 0, 0, 0}));

    // No biClrUsed, but the pixel data starts after one entry.
    Bytes cut = InfoHeader(2, 1, 8);
    AddQuad(cut, 1, 2, 3);
    XImage second;
    Decode(second, BmpFile(cut, {0, 0, 0, 0}));
    ASSERT_TRUE(second.m_hBits);
    info = InfoBytes(second);
    EXPECT_EQ(Bytes(info.begin() + 40, info.begin() + 48), (Bytes{3, 2, 1, 0, 0, 0, 0, 0}));
}

TEST(BmpReader, CoreHeaderIsConvertedAndLargeHeadersKeepTheirTable)
{
    Bytes core;
    Put32(core, 12);
    Put16(core, 3);
    Put16(core, 2);
    Put16(core, 1);
    Put16(core, 1);
    core.insert(core.end(), {10, 20, 30, 40, 50, 60});  // two triples
    XImage image;
    Decode(image, BmpFile(core, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}));
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(image.m_nWidth, 3);
    EXPECT_EQ(image.m_nHeight, 2);
    Bytes info = InfoBytes(image);
    ASSERT_EQ(info.size(), 48u);
    EXPECT_EQ(Get32(info, 0), 40u);
    EXPECT_EQ(Get32(info, 4), 3u);
    EXPECT_EQ(Bytes(info.begin() + 40, info.end()), (Bytes{10, 20, 30, 0, 40, 50, 60, 0}));

    for (uint32_t size : {108u, 124u}) {
        Bytes big = InfoHeader(1, 1, 1, 0, 0, size);
        AddQuad(big, 1, 1, 1);
        AddQuad(big, 2, 2, 2);
        XImage v;
    Decode(v, BmpFile(big, {0x80, 0, 0, 0}));
        ASSERT_TRUE(v.m_hBits) << size;
        info = InfoBytes(v);
        EXPECT_EQ(Get32(info, 0), 40u);
        EXPECT_EQ(Bytes(info.begin() + 40, info.end()), (Bytes{1, 1, 1, 0, 2, 2, 2, 0})) << size;
    }
}

TEST(BmpReader, RefusesWhatItCannotRepresent)
{
    auto refused = [](const Bytes& file) { return DecodeRefused<XFileBmp>(file); };
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 16, 1), Bytes(8))));          // RLE8 on 16 bits
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 8, 3), Bytes(16))));          // bit fields on 8 bits
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 32, 3), Bytes(28))));         // masks missing
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 24, 1), Bytes(16))));         // RLE8 on 24 bits
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 24, 0, 0, 20), Bytes(16))));  // unknown header size
    EXPECT_TRUE(refused(BmpFile(InfoHeader(0, 2, 24), Bytes(16))));
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 0, 24), Bytes(16))));
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 24), Bytes(16), 20)));     // pixels inside the header
    EXPECT_TRUE(refused(BmpFile(InfoHeader(2, 2, 24), Bytes(16), 5000)));   // pixels beyond the file
    EXPECT_TRUE(refused(Bytes{'B', 'M', 0}));
    EXPECT_TRUE(refused(Bytes{'M', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}));
    Bytes huge = InfoHeader(2, 2, 24);
    huge[0] = 0xFF;  // header size beyond the data
    EXPECT_TRUE(refused(BmpFile(huge, Bytes(16))));
}

TEST(BmpReader, ClaimsAboveTheMemoryLimitAreRefusedWithoutReading)
{
    // 32768 x 32768 at 24 bits is 3 GiB: over the 1 GiB limit.
    XImage image;
    const Bytes file = BmpFile(InfoHeader(32768, 32768, 24), Bytes(12));
    EXPECT_EQ(XFileBmp().Decode(&image, file.data(), file.size()), BmpError::OutOfMemory);
    EXPECT_FALSE(image.m_hBits);
    XImage topDown;
    Decode(topDown, BmpFile(InfoHeader(1, INT32_MIN, 24), Bytes(12)));
    EXPECT_FALSE(topDown.m_hBits);
}

TEST(BmpReader, TopDownAndTruncatedPixelData)
{
    // Top-down 24-bit 1 x 3: the file's first row is the top row.
    Bytes rows = {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0};
    XImage top;
    Decode(top, BmpFile(InfoHeader(1, -3, 24), rows));
    ASSERT_TRUE(top.m_hBits);
    EXPECT_EQ(top.m_nHeight, 3);
    EXPECT_EQ(PixelBytes(top), (Bytes{3, 3, 3, 0, 2, 2, 2, 0, 1, 1, 1, 0}));

    // Only one and a half rows present: the full image exists, the rest is zero.
    XImage cut;
    Decode(cut, BmpFile(InfoHeader(1, 3, 24), {1, 1, 1, 0, 2, 2}));
    ASSERT_TRUE(cut.m_hBits);
    EXPECT_EQ(PixelBytes(cut), (Bytes{1, 1, 1, 0, 2, 2, 0, 0, 0, 0, 0, 0}));

    // An RLE8 image whose data stops early, read top-down.
    Bytes headers = InfoHeader(4, -2, 8, 1);
    headers.resize(headers.size() + 1024, 0);
    XImage rle;
    Decode(rle, BmpFile(headers, {4, 6, 0, 0}));
    ASSERT_TRUE(rle.m_hBits);
    EXPECT_EQ(PixelBytes(rle), (Bytes{0, 0, 0, 0, 6, 6, 6, 6}));
}

TEST(BmpWriter, WritesFullTablesAndRunLengthFilesThatReadBack)
{
    // A random 8-bit image with runs, read from a short-table file.
    const int w = 301, h = 7;
    Bytes headers = InfoHeader(w, h, 8, 0, 3);
    AddQuad(headers, 9, 9, 9);
    AddQuad(headers, 8, 8, 8);
    AddQuad(headers, 7, 7, 7);
    Bytes pixels;
    std::srand(3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 304; ++x)
            pixels.push_back(x >= w ? 0 : (y & 1) ? uint8_t(std::rand() % 3) : uint8_t(x / 50));
    XImage image;
    Decode(image, BmpFile(headers, pixels));
    ASSERT_TRUE(image.m_hBits);

    const std::string plain = TempPath("plain.bmp");
    EXPECT_EQ(XFileBmp().WriteImage(image, plain.c_str()), BmpError::None);
    Bytes file = ReadFileBytes(plain);
    ASSERT_EQ(file.size(), 14u + 1064 + pixels.size());
    EXPECT_EQ(Get32(file, 2), file.size());
    EXPECT_EQ(Get32(file, 10), 14u + 1064);
    EXPECT_EQ(Bytes(file.end() - pixels.size(), file.end()), pixels);
    XImage fromFile;  // its rows come through the system in one piece
    ASSERT_EQ(XFileBmp().ReadImage(&fromFile, plain.c_str()), BmpError::None);
    EXPECT_EQ(PixelBytes(fromFile), pixels);

    const std::string rle = TempPath("rle8.rle");
    EXPECT_EQ(XFileBmp().WriteRleImage(image, rle.c_str()), BmpError::None);
    file = ReadFileBytes(rle);
    ASSERT_GT(file.size(), 14u + 1064 + 2);
    EXPECT_EQ(Get32(file, 14 + 16), 1u);                         // written as RLE8
    EXPECT_EQ(Get32(file, 14 + 20), file.size() - 14 - 1064);   // with its coded size
    EXPECT_EQ(Get32(InfoBytes(image), 16), 0u);                  // the image keeps BI_RGB
    EXPECT_EQ(Bytes(file.end() - 2, file.end()), (Bytes{0, 0}));  // no end-of-bitmap pair
    EXPECT_NE(Bytes(file.end() - 4, file.end() - 2), (Bytes{0, 1}));
    XImage back;
    Decode(back, file);
    ASSERT_TRUE(back.m_hBits);
    EXPECT_EQ(PixelBytes(back), pixels);
    std::remove(plain.c_str());
    std::remove(rle.c_str());
}

TEST(BmpWriter, FourBitRunLengthReadsBackIdentically)
{
    const int w = 77, h = 9;
    Bytes headers = InfoHeader(w, h, 4);
    for (int i = 0; i < 16; ++i) AddQuad(headers, uint8_t(i * 16), uint8_t(255 - i), uint8_t(i));
    Bytes pixels;
    std::srand(4);
    const size_t stride = 40;
    for (int y = 0; y < h; ++y)
        for (size_t i = 0; i < stride; ++i) {
            uint8_t hi = uint8_t(y % 3 == 0 ? 5 : std::rand() % 16), lo = uint8_t(y % 3 == 1 ? hi : std::rand() % 16);
            if (2 * i >= size_t(w)) hi = 0;
            if (2 * i + 1 >= size_t(w)) lo = 0;
            pixels.push_back(uint8_t(hi << 4 | lo));
        }
    XImage image;
    Decode(image, BmpFile(headers, pixels));
    ASSERT_TRUE(image.m_hBits);
    const std::string rle = TempPath("rle4.rle");
    XFileBmp().WriteRleImage(image, rle.c_str());
    Bytes file = ReadFileBytes(rle);
    EXPECT_EQ(Get32(file, 14 + 16), 2u);
    XImage back;
    Decode(back, file);
    ASSERT_TRUE(back.m_hBits);
    EXPECT_EQ(PixelBytes(back), pixels);
    EXPECT_EQ(InfoBytes(back), InfoBytes(image));
    std::remove(rle.c_str());
}
