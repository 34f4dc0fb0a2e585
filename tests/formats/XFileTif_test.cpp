// TIFF: the written directory, colour map and strip layout against values
// computed by hand from TIFF 6.0; the reader on hand-built files, including
// the malformed ones it must refuse.
#include "formats/XFileTif.h"

#include "FormatTestSupport.h"
#include "tests/framework/SimdLevels.h"

namespace {
enum : WORD { kByteType = 1, kShortType = 3, kLongType = 4 };

std::vector<BYTE> WriteTif(const XImage& image, const std::string& name)
{
    const std::string path = TempPath(name);
    EXPECT_EQ(XFileTif().WriteImage(image, path.c_str()), TifError::None);
    return ReadFileBytes(path);
}

struct DirEntry {
    uint32_t tag, type, count, value;
};

std::vector<DirEntry> Directory(const std::vector<BYTE>& file)
{
    std::vector<DirEntry> entries;
    const uint32_t at = Get32(file, 4);
    for (uint32_t i = 0; i < Get16(file, at); ++i) {
        const size_t e = at + 2 + 12 * i;
        entries.push_back({Get16(file, e), Get16(file, e + 2), Get32(file, e + 4), Get32(file, e + 8)});
    }
    return entries;
}

const DirEntry* Find(const std::vector<DirEntry>& entries, uint32_t tag)
{
    for (const auto& e : entries)
        if (e.tag == tag) return &e;
    return nullptr;
}

// Builds a little-endian TIFF: header, one directory at 8, then a data area.
// Values marked relative are offsets into the data area.
class TiffBuilder {
public:
    TiffBuilder& Field(WORD tag, WORD type, uint32_t count, uint32_t value, bool relative = false)
    {
        m_fields.push_back({tag, type, count, value, relative});
        return *this;
    }
    uint32_t Data(const std::vector<BYTE>& bytes)
    {
        const uint32_t at = uint32_t(m_data.size());
        m_data.insert(m_data.end(), bytes.begin(), bytes.end());
        return at;
    }
    std::vector<BYTE> Build() const
    {
        std::vector<BYTE> f = {'I', 'I', 42, 0, 8, 0, 0, 0};
        const uint32_t base = uint32_t(14 + 12 * m_fields.size());
        Put(f, uint32_t(m_fields.size()), 2);
        for (const auto& field : m_fields) {
            Put(f, field.tag, 2);
            Put(f, field.type, 2);
            Put(f, field.count, 4);
            Put(f, field.relative ? base + field.value : field.value, 4);
        }
        Put(f, 0, 4);
        f.insert(f.end(), m_data.begin(), m_data.end());
        return f;
    }
    static void Put(std::vector<BYTE>& f, uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i) f.push_back(BYTE(value >> (8 * i)));
    }

private:
    struct F {
        WORD tag, type;
        uint32_t count, value;
        bool relative;
    };
    std::vector<F> m_fields;
    std::vector<BYTE> m_data;
};

// A 4x3 8-bit grey image, one strip, rows 0..3, 10..13, 20..23.
TiffBuilder GreyTiff()
{
    TiffBuilder t;
    std::vector<BYTE> pixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) pixels.push_back(BYTE(10 * y + x));
    const uint32_t at = t.Data(pixels);
    t.Field(256, kShortType, 1, 4).Field(257, kLongType, 1, 3).Field(258, kShortType, 1, 8);
    t.Field(262, kShortType, 1, 1).Field(273, kLongType, 1, at, true);
    return t;
}

std::vector<BYTE> TopRowBytes(const XImage& image, int y, size_t count)
{
    LockedBlock<BYTE> bits(image.m_hBits);
    const BYTE* row = TopRow(image, bits.get(), y);
    return std::vector<BYTE>(row, row + count);
}
}

TEST(XFileTif, EightBitFileHasElevenEntriesAndScaledColourMap)
{
    auto image = RandomImage(10, 3, 8);
    SetColor(*image, 0, 255, 255, 255);
    SetColor(*image, 1, 255, 0, 0);
    SetColor(*image, 2, 1, 2, 3);
    auto file = WriteTif(*image, "eight.tif");
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + 8), (std::vector<BYTE>{'I', 'I', 42, 0, 8, 0, 0, 0}));
    auto dir = Directory(file);
    ASSERT_EQ(dir.size(), 11u);
    const uint32_t tags[] = {254, 256, 257, 278, 277, 259, 273, 279, 262, 258, 320};
    for (size_t i = 0; i < 11; ++i) EXPECT_EQ(dir[i].tag, tags[i]);
    EXPECT_EQ(dir[0].type, kLongType);
    EXPECT_EQ(dir[0].value, 0u);
    EXPECT_EQ(dir[1].value, 10u);
    EXPECT_EQ(dir[2].value, 3u);
    EXPECT_EQ(dir[3].value, 3u);  // 8192 / 10 rows, at most the height
    EXPECT_EQ(dir[4].value, 1u);
    EXPECT_EQ(dir[5].value, 1u);
    EXPECT_EQ(dir[8].value, 3u);
    EXPECT_EQ(dir[9].value, 8u);
    EXPECT_EQ(Get32(file, 8 + 2 + 12 * 11), 0u);  // no next directory

    const uint32_t map = 14 + 12 * 11;
    EXPECT_EQ(dir[10].type, kShortType);
    EXPECT_EQ(dir[10].count, 768u);
    EXPECT_EQ(dir[10].value, map);
    EXPECT_EQ(Get16(file, map), 65535u);             // white: red
    EXPECT_EQ(Get16(file, map + 512), 65535u);       // green
    EXPECT_EQ(Get16(file, map + 1024), 65535u);      // blue
    EXPECT_EQ(Get16(file, map + 2), 65280u);         // pure red
    EXPECT_EQ(Get16(file, map + 512 + 2), 0u);
    EXPECT_EQ(Get16(file, map + 1024 + 2), 0u);
    EXPECT_EQ(Get16(file, map + 4), 256u);           // 1, 2, 3
    EXPECT_EQ(Get16(file, map + 512 + 4), 512u);
    EXPECT_EQ(Get16(file, map + 1024 + 4), 768u);

    // One strip: the offset and the byte count in the entries themselves.
    const uint32_t data = map + 1536;
    EXPECT_EQ(dir[6].type, kLongType);
    EXPECT_EQ(dir[6].count, 1u);
    EXPECT_EQ(dir[6].value, data);
    EXPECT_EQ(dir[7].type, kLongType);
    EXPECT_EQ(dir[7].value, 30u);
    ASSERT_EQ(file.size(), data + 30);
    EXPECT_EQ(std::vector<BYTE>(file.begin() + data, file.begin() + data + 10), TopRowBytes(*image, 0, 10));
}

TEST(XFileTif, WideTrueColourImageHasOneRowPerStrip)
{
    auto image = RandomImage(3000, 3, 24);
    auto file = WriteTif(*image, "wide24.tif");
    auto dir = Directory(file);
    ASSERT_EQ(dir.size(), 10u);
    EXPECT_EQ(Find(dir, 278)->value, 1u);
    EXPECT_EQ(Find(dir, 277)->value, 3u);
    EXPECT_EQ(Find(dir, 262)->value, 2u);
    const uint32_t samples = 14 + 12 * 10;
    EXPECT_EQ(Find(dir, 258)->count, 3u);
    EXPECT_EQ(Find(dir, 258)->value, samples);
    EXPECT_EQ(Get16(file, samples), 8u);
    EXPECT_EQ(Get16(file, samples + 2), 8u);
    EXPECT_EQ(Get16(file, samples + 4), 8u);

    const uint32_t offsets = samples + 6, counts = offsets + 12, data = counts + 6;
    EXPECT_EQ(Find(dir, 273)->count, 3u);
    EXPECT_EQ(Find(dir, 273)->value, offsets);
    EXPECT_EQ(Find(dir, 279)->type, kShortType);
    EXPECT_EQ(Find(dir, 279)->value, counts);
    for (uint32_t s = 0; s < 3; ++s) {
        EXPECT_EQ(Get32(file, offsets + 4 * s), data + 9000 * s);
        EXPECT_EQ(Get16(file, counts + 2 * s), 9000u);
    }
    ASSERT_EQ(file.size(), data + 27000);
    // Stored blue, green, red; written red, green, blue, by every vector
    // path, and read back the same way.
    auto top = TopRowBytes(*image, 0, 9000);
    ForEachSimdLevel([&] {
        auto written = WriteTif(*image, "wide24.tif");
        for (size_t x = 0; x < 9000; x += 3) {
            ASSERT_EQ(written[data + x], top[x + 2]) << x;
            ASSERT_EQ(written[data + x + 1], top[x + 1]) << x;
            ASSERT_EQ(written[data + x + 2], top[x]) << x;
        }
        EXPECT_TRUE(SameImage(*image, *DecodeWith<XFileTif>(written)));
    });
}

TEST(XFileTif, StripByteCountTypes)
{
    // 1 bit: a single strip whose LONG count may pass 65535.
    auto mono = RandomImage(1024, 600, 1);
    SetColor(*mono, 0, 0, 0, 0);
    SetColor(*mono, 1, 255, 255, 255);
    auto dir = Directory(WriteTif(*mono, "mono.tif"));
    EXPECT_EQ(Find(dir, 278)->value, 600u);
    EXPECT_EQ(Find(dir, 279)->type, kLongType);
    EXPECT_EQ(Find(dir, 279)->value, 76800u);
    EXPECT_EQ(Find(dir, 262)->value, 1u);

    // Four strips of SHORT counts: 81 rows of 100 bytes, the last 57.
    auto tall = RandomImage(100, 300, 8);
    auto file = WriteTif(*tall, "tall.tif");
    dir = Directory(file);
    EXPECT_EQ(Find(dir, 278)->value, 81u);
    EXPECT_EQ(Find(dir, 279)->type, kShortType);
    const uint32_t counts = Find(dir, 279)->value;
    EXPECT_EQ(Get16(file, counts), 8100u);
    EXPECT_EQ(Get16(file, counts + 6), 5700u);

    // Two strips: two SHORTs would fit in the entry itself, so LONG.
    auto twoStrips = RandomImage(100, 100, 8);
    file = WriteTif(*twoStrips, "two.tif");
    dir = Directory(file);
    EXPECT_EQ(Find(dir, 279)->type, kLongType);
    EXPECT_EQ(Find(dir, 279)->count, 2u);
    EXPECT_EQ(Get32(file, Find(dir, 279)->value + 4), 1900u);

    // Counts above 65535: LONG.
    auto wide = RandomImage(22000, 3, 24);
    file = WriteTif(*wide, "wider.tif");
    dir = Directory(file);
    EXPECT_EQ(Find(dir, 279)->type, kLongType);
    EXPECT_EQ(Get32(file, Find(dir, 279)->value + 8), 66000u);
    EXPECT_TRUE(SameImage(*wide, *DecodeWith<XFileTif>(file)));
}

TEST(XFileTif, EveryDepthRoundTrips)
{
    for (int bits : {1, 4, 8, 24}) {
        for (int height : {1, 7, 200}) {
            auto image = RandomImage(61, height, bits, unsigned(bits + height));
            if (bits == 1) {
                SetColor(*image, 0, 0, 0, 0);
                SetColor(*image, 1, 255, 255, 255);
            }
            if (bits == 4 || bits == 8) SetColor(*image, 3, 255, 255, 255);
            auto back = DecodeWith<XFileTif>(WriteTif(*image, "rt.tif"));
            // The colour map holds component x 256, read back as its high byte.
            EXPECT_TRUE(SameImage(*image, *back)) << bits << " bits, height " << height;
        }
    }
    // White on black survives as white on black.
    auto inverted = RandomImage(16, 2, 1);
    SetColor(*inverted, 0, 255, 255, 255);
    SetColor(*inverted, 1, 0, 0, 0);
    auto file = WriteTif(*inverted, "inverted.tif");
    EXPECT_EQ(Find(Directory(file), 262)->value, 0u);
    EXPECT_TRUE(SameImage(*inverted, *DecodeWith<XFileTif>(file)));
}

TEST(XFileTif, ReadsGreyBilevelAndPaletteFiles)
{
    auto image = DecodeWith<XFileTif>(GreyTiff().Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(image->m_nBitCount, 8);
    EXPECT_EQ(TopRowBytes(*image, 0, 4), (std::vector<BYTE>{0, 1, 2, 3}));
    EXPECT_EQ(TopRowBytes(*image, 2, 4), (std::vector<BYTE>{20, 21, 22, 23}));
    EXPECT_TRUE(IsColor(ColorAt(*image, 200), 200, 200, 200));

    // 4-bit grey spreads to 0..255; WhiteIsZero inverts it.
    TiffBuilder grey4;
    uint32_t at = grey4.Data({0x0F, 0x7F});
    grey4.Field(256, kShortType, 1, 3).Field(257, kShortType, 1, 1).Field(258, kShortType, 1, 4);
    grey4.Field(262, kShortType, 1, 1).Field(273, kShortType, 1, at, true);
    image = DecodeWith<XFileTif>(grey4.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_TRUE(IsColor(ColorAt(*image, 15), 255, 255, 255));
    EXPECT_TRUE(IsColor(ColorAt(*image, 7), 119, 119, 119));

    // Bilevel: photometric 0 makes 0 white.
    TiffBuilder mono;
    at = mono.Data({0xA0});
    mono.Field(256, kShortType, 1, 3).Field(257, kShortType, 1, 1).Field(262, kShortType, 1, 0);
    mono.Field(273, kLongType, 1, at, true);
    image = DecodeWith<XFileTif>(mono.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(image->m_nBitCount, 1);
    EXPECT_TRUE(IsColor(ColorAt(*image, 0), 255, 255, 255));
    EXPECT_TRUE(IsColor(ColorAt(*image, 1), 0, 0, 0));

    // Palette: high bytes of the 16-bit values.
    TiffBuilder palette;
    std::vector<BYTE> map(3 * 16 * 2, 0);
    map[2 * 1] = 0x34, map[2 * 1 + 1] = 0x12;            // red of colour 1
    map[32 + 2 * 1 + 1] = 0xAB;                          // green of colour 1
    map[64 + 2 * 15] = 0xFF, map[64 + 2 * 15 + 1] = 0xFF;  // blue of colour 15
    const uint32_t mapAt = palette.Data(map);
    at = palette.Data({0x1F});
    palette.Field(256, kShortType, 1, 2).Field(257, kShortType, 1, 1).Field(258, kShortType, 1, 4);
    palette.Field(262, kShortType, 1, 3).Field(273, kLongType, 1, at, true);
    palette.Field(320, kShortType, 48, mapAt, true);
    image = DecodeWith<XFileTif>(palette.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_TRUE(IsColor(ColorAt(*image, 1), 0x12, 0xAB, 0));
    EXPECT_TRUE(IsColor(ColorAt(*image, 15), 0, 0, 0xFF));
}

TEST(XFileTif, StripsAndRowsPerStrip)
{
    // Three one-row strips at scattered offsets, SHORT offsets in an array.
    TiffBuilder t;
    const uint32_t r2 = t.Data({7, 8}), r0 = t.Data({1, 2}), r1 = t.Data({4, 5});
    const uint32_t base = 14 + 12 * 6;
    std::vector<BYTE> offsets;
    for (uint32_t r : {r0, r1, r2}) TiffBuilder::Put(offsets, base + r, 2);
    const uint32_t array = t.Data(offsets);
    t.Field(256, kShortType, 1, 2).Field(257, kShortType, 1, 3).Field(258, kShortType, 1, 8);
    t.Field(262, kShortType, 1, 1).Field(273, kShortType, 3, array, true).Field(278, kShortType, 1, 1);
    auto image = DecodeWith<XFileTif>(t.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(TopRowBytes(*image, 0, 2), (std::vector<BYTE>{1, 2}));
    EXPECT_EQ(TopRowBytes(*image, 1, 2), (std::vector<BYTE>{4, 5}));
    EXPECT_EQ(TopRowBytes(*image, 2, 2), (std::vector<BYTE>{7, 8}));

    // Two SHORT offsets sit in the entry itself.
    TiffBuilder inline2;
    const uint32_t a = inline2.Data({1, 2, 3, 4}), b = inline2.Data({9, 9, 9, 9});
    const uint32_t base2 = 14 + 12 * 6;
    inline2.Field(256, kShortType, 1, 4).Field(257, kShortType, 1, 2).Field(258, kShortType, 1, 8);
    inline2.Field(262, kShortType, 1, 1).Field(278, kShortType, 1, 1);
    inline2.Field(273, kShortType, 2, (base2 + a) | ((base2 + b) << 16));
    image = DecodeWith<XFileTif>(inline2.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(TopRowBytes(*image, 1, 4), std::vector<BYTE>(4, 9));

    // RowsPerStrip 0 or above the height: one strip.
    for (uint32_t rows : {0u, 4u, 0xFFFFFFFFu}) {
        auto grey = GreyTiff();
        grey.Field(278, kLongType, 1, rows);
        image = DecodeWith<XFileTif>(grey.Build());
        ASSERT_TRUE(image->m_hBits) << rows;
        EXPECT_EQ(TopRowBytes(*image, 2, 4), (std::vector<BYTE>{20, 21, 22, 23}));
    }
}

TEST(XFileTif, ReadingTheFileMatchesDecodingItsBytes)
{
    // Rows longer than the reader's 128 KB buffer, rows across its refills,
    // strips stored in reverse order and a file cut short in the pixels.
    TiffBuilder reversed;
    const uint32_t r1 = reversed.Data(std::vector<BYTE>(70000, 5)), r0 = reversed.Data(std::vector<BYTE>(70000, 9));
    const uint32_t base = 14 + 12 * 6;
    reversed.Field(256, kLongType, 1, 70000).Field(257, kShortType, 1, 2).Field(258, kShortType, 1, 8);
    reversed.Field(262, kShortType, 1, 1).Field(278, kShortType, 1, 1);
    reversed.Field(273, kShortType, 2, (base + r0) | ((base + r1) << 16));
    std::vector<std::vector<BYTE>> files = {WriteTif(*RandomImage(44000, 3, 24), "long_rows.tif"),
                                            WriteTif(*RandomImage(701, 400, 8), "refills.tif"), reversed.Build()};
    files.push_back(std::vector<BYTE>(files[1].begin(), files[1].end() - 1000));
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = TempPath("read_back.tif");
        WriteFileBytes(path, files[i]);
        XImage fromFile;
        const TifError error = XFileTif().ReadImage(&fromFile, path.c_str());
        const auto fromMemory = DecodeWith<XFileTif>(files[i]);
        if (i == 3) {
            EXPECT_EQ(error, TifError::Unsupported);
            EXPECT_FALSE(fromMemory->m_hBits);
            continue;
        }
        ASSERT_EQ(error, TifError::None) << i;
        EXPECT_TRUE(SameImage(fromFile, *fromMemory)) << i;
    }
}

TEST(XFileTif, PackBitsOnlyForBilevelAndRunsStopAtTheRow)
{
    // 16 pixels a row: a run of 3 x FF spills one byte past row 0 and is
    // dropped; row 1 is a literal of 2 bytes; 128 is skipped.
    TiffBuilder t;
    const uint32_t at = t.Data({0xFE, 0xFF, 0x80, 0x01, 0x12, 0x34});
    t.Field(256, kShortType, 1, 16).Field(257, kShortType, 1, 2).Field(259, kShortType, 1, 32773);
    t.Field(262, kShortType, 1, 1).Field(273, kLongType, 1, at, true);
    auto image = DecodeWith<XFileTif>(t.Build());
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(TopRowBytes(*image, 0, 2), (std::vector<BYTE>{0xFF, 0xFF}));
    EXPECT_EQ(TopRowBytes(*image, 1, 2), (std::vector<BYTE>{0x12, 0x34}));

    auto grey = GreyTiff();
    grey.Field(259, kShortType, 1, 32773);
    EXPECT_TRUE(DecodeRefused<XFileTif>(grey.Build()));
}

TEST(XFileTif, MalformedFilesAreRefused)
{
    const auto good = GreyTiff().Build();
    ASSERT_TRUE(DecodeWith<XFileTif>(good)->m_hBits);

    auto motorola = good;
    motorola[0] = motorola[1] = 'M';
    EXPECT_TRUE(DecodeRefused<XFileTif>(motorola));
    EXPECT_TRUE(DecodeRefused<XFileTif>(std::vector<BYTE>(good.begin(), good.begin() + 7)));
    // The last row cut short.
    EXPECT_TRUE(DecodeRefused<XFileTif>(std::vector<BYTE>(good.begin(), good.end() - 1)));
    // The directory's entries past the end of the file.
    EXPECT_TRUE(DecodeRefused<XFileTif>(std::vector<BYTE>(good.begin(), good.begin() + 40)));

    struct Case {
        const char* what;
        WORD tag, type;
        uint32_t count, value;
    } cases[] = {
        {"LZW", 259, kShortType, 1, 5},
        {"photometric 5", 262, kShortType, 1, 5},
        {"planar 3", 284, kShortType, 1, 3},
        {"2 bits", 258, kShortType, 1, 2},
        {"2 samples", 277, kShortType, 1, 2},
        {"3 samples of 1 bit", 277, kShortType, 1, 3},
        {"strip offsets past the file", 273, kLongType, 1, 5000},
        {"palette without a colour map", 262, kShortType, 1, 3},
        {"width of unknown type", 256, 2, 1, 4},
    };
    for (const auto& c : cases) {
        // Later duplicates of a tag win, so each case overrides one field.
        auto grey = GreyTiff();
        grey.Field(c.tag, c.type, c.count, c.value);
        EXPECT_TRUE(DecodeRefused<XFileTif>(grey.Build())) << c.what;
    }

    // One row a strip needs three offsets; the array has two.
    auto fewStrips = GreyTiff();
    fewStrips.Field(278, kShortType, 1, 1).Field(273, kLongType, 2, 0, true);
    EXPECT_TRUE(DecodeRefused<XFileTif>(fewStrips.Build()));

    TiffBuilder noWidth;
    const uint32_t at = noWidth.Data({1, 2, 3});
    noWidth.Field(257, kShortType, 1, 1).Field(258, kShortType, 1, 8).Field(273, kLongType, 1, at, true);
    EXPECT_TRUE(DecodeRefused<XFileTif>(noWidth.Build()));

    // Bilevel with a palette photometric.
    TiffBuilder mono;
    const uint32_t m = mono.Data({0});
    mono.Field(256, kShortType, 1, 3).Field(257, kShortType, 1, 1).Field(262, kShortType, 1, 3);
    mono.Field(273, kLongType, 1, m, true);
    EXPECT_TRUE(DecodeRefused<XFileTif>(mono.Build()));
}

TEST(XFileTif, WriterRefusesSizesBeyondShortFieldsBeforeCreatingFile)
{
    auto image = RandomImage(65536, 1, 1);
    const std::string path = TempPath("toolarge.tif");
    std::remove(path.c_str());
    EXPECT_EQ(XFileTif().WriteImage(*image, path.c_str()), TifError::Unsupported);
    EXPECT_FALSE(FileExists(path));
}
