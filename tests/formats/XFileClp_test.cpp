// Clipboard files: entry selection, the written layout, and the device
// bitmap format, against hand-built files.
#include "FormatTestSupport.h"

#include "formats/XFileClp.h"

namespace {
// A file with the given entries (format, data) laid out one after another.
Bytes ClpFile(const std::vector<std::pair<uint16_t, Bytes>>& formats, uint16_t count = 0xFFFF)
{
    Bytes b;
    Put16(b, 50000);
    Put16(b, count == 0xFFFF ? uint16_t(formats.size()) : count);
    uint32_t offset = uint32_t(4 + 89 * formats.size());
    for (const auto& f : formats) {
        Put16(b, f.first);
        Put32(b, uint32_t(f.second.size()));
        Put32(b, offset);
        b.resize(b.size() + 79, 0);
        offset += uint32_t(f.second.size());
    }
    for (const auto& f : formats) b.insert(b.end(), f.second.begin(), f.second.end());
    return b;
}

void Decode(XImage& image, const Bytes& file) { XFileClp().Decode(&image, file.data(), file.size()); }

Bytes OneBitDib()
{
    Bytes dib = InfoHeader(3, 2, 1);
    AddQuad(dib, 0, 0, 0);
    AddQuad(dib, 255, 255, 255);
    dib.insert(dib.end(), {0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    return dib;
}
}

TEST(ClpReader, OnlyTheFirstEntryCounts)
{
    EXPECT_TRUE(DecodeRefused<XFileClp>(ClpFile({{1, {'h', 'i', 0}}, {8, OneBitDib()}})));
    EXPECT_TRUE(DecodeRefused<XFileClp>(ClpFile({{8, OneBitDib()}}, 0)));

    XImage dib;
    Decode(dib, ClpFile({{8, OneBitDib()}, {1, {'x', 0}}}));
    ASSERT_TRUE(dib.m_hBits);
    EXPECT_EQ(dib.m_nWidth, 3);
    EXPECT_EQ(PixelBytes(dib), (Bytes{0xA0, 0, 0, 0, 0x40, 0, 0, 0}));
}

TEST(ClpReader, CheckedSizesAndBitCounts)
{
    auto refused = [](const Bytes& file) { return DecodeRefused<XFileClp>(file); };
    Bytes bad = OneBitDib();
    bad[14] = 2;
    EXPECT_TRUE(refused(ClpFile({{8, bad}})));
    Bytes file = ClpFile({{8, OneBitDib()}});
    Put32(file, 0);
    file[10] = 0xFF;  // data offset beyond the file
    file[11] = 0xFF;
    EXPECT_TRUE(refused(file));
    EXPECT_TRUE(refused(Bytes{0x50, 0xC3, 1, 0}));  // entry missing
    // A data length beyond the file reads the pixels that are there.
    Bytes longer = ClpFile({{8, OneBitDib()}});
    longer[6] = 0xF0;
    XImage image;
    Decode(image, longer);
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(PixelBytes(image), (Bytes{0xA0, 0, 0, 0, 0x40, 0, 0, 0}));
}

TEST(ClpReader, DeviceBitmapRowsTopFirstWithTheFixedTable)
{
    Bytes bitmap;
    Put32(bitmap, 0);
    Put32(bitmap, 3);  // width
    Put32(bitmap, 2);  // height
    Put32(bitmap, 4);
    Put16(bitmap, 1);
    Put16(bitmap, 8);
    Put32(bitmap, 0);
    bitmap.insert(bitmap.end(), {1, 2, 3, 0, 4, 5, 6, 0});  // rows of 4 bytes, top first
    XImage image;
    Decode(image, ClpFile({{2, bitmap}}));
    ASSERT_TRUE(image.m_hBits);
    EXPECT_EQ(image.m_nBitCount, 8);
    EXPECT_EQ(PixelBytes(image), (Bytes{4, 5, 6, 0, 1, 2, 3, 0}));
    Bytes info = InfoBytes(image);
    // Entry 203 = 3 + 8 * 1 + 64 * 3: red 96, green 32, blue 192.
    EXPECT_EQ(Bytes(info.begin() + 40 + 4 * 203, info.begin() + 44 + 4 * 203), (Bytes{192, 32, 96, 0}));

    bitmap[18] = 4;  // 4 bits per pixel needs a 4-bit display
    EXPECT_TRUE(DecodeRefused<XFileClp>(ClpFile({{2, bitmap}})));
}

TEST(ClpWriter, OneDibEntryAtOffset93)
{
    XImage image;
    Decode(image, ClpFile({{8, OneBitDib()}}));
    ASSERT_TRUE(image.m_hBits);
    const std::string path = TempPath("test.clp");
    EXPECT_EQ(XFileClp().WriteImage(image, path.c_str()), BmpError::None);
    Bytes file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), 93u + 48 + 8);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), (Bytes{0x50, 0xC3, 1, 0, 8, 0}));
    EXPECT_EQ(Get32(file, 6), 56u);
    EXPECT_EQ(Get32(file, 10), 93u);
    EXPECT_EQ(Bytes(file.begin() + 93, file.begin() + 141), InfoBytes(image));
    EXPECT_EQ(Bytes(file.begin() + 141, file.end()), PixelBytes(image));
    std::remove(path.c_str());
}
