// PCX: header fields and run coding checked against hand-computed bytes,
// plane layouts, round trips of every depth, and refusal of malformed files.
#include "formats/XFilePcx.h"

#include "FormatTestSupport.h"

namespace {
std::vector<BYTE> WritePcx(const XImage& image, const std::string& name)
{
    const std::string path = TempPath(name);
    XFilePcx writer;
    writer.SetResolution(800, 600);
    EXPECT_EQ(writer.WriteImage(image, path.c_str()), PcxError::None);
    return ReadFileBytes(path);
}

// A 128-byte header with the given layout, width and height, version 5.
std::vector<BYTE> PcxHeader(int bitsPerPlane, int planes, int width, int height, int planeBytes)
{
    std::vector<BYTE> h(128, 0);
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = BYTE(bitsPerPlane);
    h[8] = BYTE(width - 1);
    h[9] = BYTE((width - 1) >> 8);
    h[10] = BYTE(height - 1);
    h[11] = BYTE((height - 1) >> 8);
    h[65] = BYTE(planes);
    h[66] = BYTE(planeBytes);
    h[67] = BYTE(planeBytes >> 8);
    return h;
}
}

TEST(XFilePcx, RunsStopAt63AndHighBytesAreEscaped)
{
    auto image = RandomImage(72, 1, 8);
    {
        LockedBlock<BYTE> bits(image->m_hBits);
        for (int x = 0; x < 72; ++x) bits.get()[x] = x == 0 ? 0x05 : x == 1 ? 0xC5 : 0x07;
    }
    SetColor(*image, 255, 1, 2, 3);
    auto file = WritePcx(*image, "runs.pcx");
    ASSERT_EQ(file.size(), 128u + 7 + 769);
    const std::vector<BYTE> expected = {0x05, 0xC1, 0xC5, 0xFF, 0x07, 0xC7, 0x07, 0x0C};
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 128, file.begin() + 136), expected);
    EXPECT_EQ(file[file.size() - 3], 1);  // colour 255 red, green, blue
    EXPECT_EQ(file[file.size() - 2], 2);
    EXPECT_EQ(file[file.size() - 1], 3);
    EXPECT_EQ(file[1], 5);
    EXPECT_EQ(file[3], 8);
    EXPECT_EQ(file[65], 1);
    EXPECT_EQ(Get16(file, 66), 72u);
}

TEST(XFilePcx, OneBitHeaderCarriesColoursAndVersion3)
{
    auto image = RandomImage(20, 3, 1);
    SetColor(*image, 0, 10, 20, 30);
    SetColor(*image, 1, 200, 210, 220);
    auto file = WritePcx(*image, "header1.pcx");
    ASSERT_GE(file.size(), 128u);
    EXPECT_EQ(file[0], 10);
    EXPECT_EQ(file[1], 3);
    EXPECT_EQ(file[2], 1);
    EXPECT_EQ(file[3], 1);
    EXPECT_EQ(Get16(file, 4), 0u);
    EXPECT_EQ(Get16(file, 6), 0u);
    EXPECT_EQ(Get16(file, 8), 19u);
    EXPECT_EQ(Get16(file, 10), 2u);
    EXPECT_EQ(Get16(file, 12), 800u);
    EXPECT_EQ(Get16(file, 14), 600u);
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 16, file.begin() + 22), (std::vector<BYTE>{10, 20, 30, 200, 210, 220}));
    EXPECT_EQ(file[65], 1);
    EXPECT_EQ(Get16(file, 66), 4u);  // (1 x 20 + 15) / 16 x 2

    auto back = DecodeWith<XFilePcx>(file);
    EXPECT_TRUE(SameImage(*image, *back));
}

TEST(XFilePcx, FourBitImageOf17PixelsHasFourBytePlanes)
{
    auto image = RandomImage(17, 1, 4);
    {
        LockedBlock<BYTE> bits(image->m_hBits);
        for (int i = 0; i < 9; ++i) bits.get()[i] = i < 8 ? 0x55 : 0x50;  // pixel 16 is 5 as well
    }
    auto file = WritePcx(*image, "planes17.pcx");
    EXPECT_EQ(file[3], 1);
    EXPECT_EQ(file[65], 4);
    EXPECT_EQ(Get16(file, 66), 4u);
    // 5 = planes 0 and 2 set: FF FF 80 00, and planes 1 and 3 all zero.
    const std::vector<BYTE> row = {0xC2, 0xFF, 0x80, 0x00, 0xC4, 0x00, 0xC2, 0xFF, 0x80, 0x00, 0xC4, 0x00};
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 128, file.end()), row);

    auto random = RandomImage(17, 5, 4, 7);
    auto back = DecodeWith<XFilePcx>(WritePcx(*random, "planes17r.pcx"));
    EXPECT_TRUE(SameImage(*random, *back));
}

TEST(XFilePcx, EveryDepthRoundTrips)
{
    const int depths[] = {1, 4, 8, 24};
    const int sizes[][2] = {{1, 1}, {33, 7}, {64, 2}, {130, 9}};
    for (int bits : depths) {
        for (const auto& s : sizes) {
            auto image = RandomImage(s[0], s[1], bits, unsigned(bits * 1000 + s[0]));
            auto back = DecodeWith<XFilePcx>(WritePcx(*image, "roundtrip.pcx"));
            EXPECT_TRUE(SameImage(*image, *back)) << bits << " bits, " << s[0] << "x" << s[1];
        }
    }
}

TEST(XFilePcx, ReadsPlanarRgbIntoBlueGreenRed)
{
    auto file = PcxHeader(8, 3, 2, 2, 2);
    // Top row red 1 2, green 3 4, blue 5 6; bottom row a run of 9 over all planes.
    const BYTE data[] = {1, 2, 3, 4, 5, 6, 0xC6, 9};
    file.insert(file.end(), data, data + sizeof data);
    auto image = DecodeWith<XFilePcx>(file);
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(image->m_nBitCount, 24);
    LockedBlock<BYTE> bits(image->m_hBits);
    const BYTE* top = TopRow(*image, bits.get(), 0);
    EXPECT_EQ(std::vector<BYTE>(top, top + 6), (std::vector<BYTE>{5, 3, 1, 6, 4, 2}));
    const BYTE* bottom = TopRow(*image, bits.get(), 1);
    EXPECT_EQ(std::vector<BYTE>(bottom, bottom + 6), std::vector<BYTE>(6, 9));
}

TEST(XFilePcx, VersionsFrom3AreRead)
{
    auto file = PcxHeader(8, 1, 2, 1, 2);
    file.push_back(1);
    file.push_back(2);
    for (int version = 0; version <= 5; ++version) {
        file[1] = BYTE(version);
        if (version < 3)
            EXPECT_TRUE(DecodeRefused<XFilePcx>(file)) << version;
        else
            EXPECT_TRUE(DecodeWith<XFilePcx>(file)->m_hBits) << version;
    }
}

TEST(XFilePcx, MalformedHeadersAreRefused)
{
    struct Case {
        const char* what;
        int bitsPerPlane, planes, width, height, planeBytes;
    } cases[] = {
        {"4 bits in one plane", 4, 1, 4, 1, 2},   {"2 bits", 2, 1, 4, 1, 2},
        {"1 bit, 3 planes", 1, 3, 8, 1, 2},       {"8 bits, 2 planes", 8, 2, 2, 1, 2},
        {"8 bits, 4 planes", 8, 4, 2, 1, 2},      {"line shorter than width", 8, 1, 10, 1, 8},
        {"4-bit plane too short", 1, 4, 17, 1, 2}, {"no line bytes", 1, 1, 1, 1, 0},
    };
    for (const auto& c : cases) {
        auto file = PcxHeader(c.bitsPerPlane, c.planes, c.width, c.height, c.planeBytes);
        file.insert(file.end(), 4000, 0x11);
        EXPECT_TRUE(DecodeRefused<XFilePcx>(file)) << c.what;
    }

    // Right edge left of the left edge; bottom above top.
    auto file = PcxHeader(8, 1, 2, 1, 2);
    file.insert(file.end(), 100, 0x11);
    file[4] = 5;  // xmin 5 > xmax 1
    EXPECT_TRUE(DecodeRefused<XFilePcx>(file));
    file[4] = 0;
    file[6] = 1;  // ymin 1 > ymax 0
    EXPECT_TRUE(DecodeRefused<XFilePcx>(file));
    file[6] = 0;
    EXPECT_TRUE(DecodeWith<XFilePcx>(file)->m_hBits);

    EXPECT_TRUE(DecodeRefused<XFilePcx>(std::vector<BYTE>(file.begin(), file.begin() + 127)));
}

TEST(XFilePcx, TruncatedDataIsRefused)
{
    auto image = RandomImage(40, 6, 24, 3);
    auto file = WritePcx(*image, "truncated.pcx");
    for (size_t keep : {size_t(128), size_t(129), file.size() - 1}) {
        std::vector<BYTE> cut(file.begin(), file.begin() + long(keep));
        EXPECT_TRUE(DecodeRefused<XFilePcx>(cut)) << keep;
    }
    // An 8-bit file whose rows are missing: the palette is not taken for pixels.
    auto header = PcxHeader(8, 1, 3, 1, 4);
    header.push_back(0x0C);
    header.insert(header.end(), 768, 0x22);
    EXPECT_TRUE(DecodeRefused<XFilePcx>(header));
}

TEST(XFilePcx, ColourTablesFromHeaderAndTail)
{
    // 8 bits without room for the 769-byte tail: all colours black.
    auto file = PcxHeader(8, 1, 2, 1, 2);
    file.push_back(1);
    file.push_back(0xC1);
    file.push_back(0xEE);
    auto image = DecodeWith<XFilePcx>(file);
    ASSERT_TRUE(image->m_hBits);
    {
        LockedBlock<BYTE> bits(image->m_hBits);
        EXPECT_EQ(bits.get()[0], 1);
        EXPECT_EQ(bits.get()[1], 0xEE);
    }
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(IsColor(ColorAt(*image, i), 0, 0, 0)) << i;

    // With the tail: its first byte is not examined.
    file.push_back(0x99);
    for (int i = 0; i < 256; ++i) {
        file.push_back(BYTE(i));
        file.push_back(BYTE(255 - i));
        file.push_back(7);
    }
    image = DecodeWith<XFilePcx>(file);
    ASSERT_TRUE(image->m_hBits);
    EXPECT_TRUE(IsColor(ColorAt(*image, 0), 0, 255, 7));
    EXPECT_TRUE(IsColor(ColorAt(*image, 200), 200, 55, 7));

    // 1 bit: colours from the header; equal colours mean black on white.
    auto mono = PcxHeader(1, 1, 8, 1, 2);
    mono.push_back(0xC2);
    mono.push_back(0xF0);
    image = DecodeWith<XFilePcx>(mono);
    ASSERT_TRUE(image->m_hBits);
    EXPECT_TRUE(IsColor(ColorAt(*image, 0), 0, 0, 0));
    EXPECT_TRUE(IsColor(ColorAt(*image, 1), 255, 255, 255));
    mono[16] = 0xFF;
    mono[19] = 0x10;
    image = DecodeWith<XFilePcx>(mono);
    EXPECT_TRUE(IsColor(ColorAt(*image, 0), 255, 0, 0));
    EXPECT_TRUE(IsColor(ColorAt(*image, 1), 16, 0, 0));
}

TEST(XFilePcx, WriterRefusesSizesBeyondHeaderFieldsBeforeCreatingFile)
{
    const struct { int width, height, bits; } cases[] = {{65537, 1, 1}, {1, 65537, 1}, {65535, 1, 8}};
    for (const auto& c : cases) {
        auto image = RandomImage(c.width, c.height, c.bits);
        const std::string path = TempPath("toolarge.pcx");
        std::remove(path.c_str());
        EXPECT_EQ(XFilePcx().WriteImage(*image, path.c_str()), PcxError::Unsupported);
        EXPECT_FALSE(FileExists(path));
    }
    auto widest = RandomImage(65536, 1, 1);
    auto back = DecodeWith<XFilePcx>(WritePcx(*widest, "widest.pcx"));
    EXPECT_TRUE(SameImage(*widest, *back));
}
