// WPG: the written records and row codes against hand-computed bytes, the
// reader on hand-built files in either record order, and refusal of the
// malformed ones.
#include "formats/XFileWpg.h"

#include "FormatTestSupport.h"

namespace {
std::vector<BYTE> Coded(const std::vector<BYTE>& row)
{
    std::vector<BYTE> out(2 * row.size() + 2);
    out.resize(XFileWpg::EncodeRow(row.data(), row.size(), out.data()));
    return out;
}

std::vector<BYTE> WriteWpg(const XImage& image, const std::string& name)
{
    const std::string path = TempPath(name);
    EXPECT_EQ(XFileWpg().WriteImage(image, path.c_str()), WpgError::None);
    return ReadFileBytes(path);
}

std::vector<BYTE> Record(BYTE type, const std::vector<BYTE>& body)
{
    std::vector<BYTE> r = {type};
    if (body.size() < 0xFF) {
        r.push_back(BYTE(body.size()));
    } else {
        r.push_back(0xFF);
        Put16(r, uint32_t(body.size() >> 16) | 0x8000);
        Put16(r, uint32_t(body.size() & 0xFFFF));
    }
    r.insert(r.end(), body.begin(), body.end());
    return r;
}

std::vector<BYTE> MapRecord(int count, int first = 0)
{
    std::vector<BYTE> body;
    Put16(body, 0);
    Put16(body, uint32_t(count));
    for (int i = 0; i < count; ++i) {
        body.push_back(BYTE(first + i));
        body.push_back(BYTE(100 + i));
        body.push_back(BYTE(200 - i));
    }
    return Record(0x0E, body);
}

std::vector<BYTE> BitmapRecord(int width, int height, int depth, const std::vector<BYTE>& codes)
{
    std::vector<BYTE> body;
    for (int v : {width, height, depth, 95, 95}) Put16(body, uint32_t(v));
    body.insert(body.end(), codes.begin(), codes.end());
    return Record(0x0B, body);
}

std::vector<BYTE> WpgFile(const std::vector<std::vector<BYTE>>& records)
{
    std::vector<BYTE> f = {0xFF, 0x57, 0x50, 0x43, 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0};
    for (const auto& r : records) f.insert(f.end(), r.begin(), r.end());
    f.push_back(0x10);
    f.push_back(0);
    return f;
}

std::vector<BYTE> TopRowBytes(const XImage& image, int y, size_t count)
{
    LockedBlock<BYTE> bits(image.m_hBits);
    const BYTE* row = TopRow(image, bits.get(), y);
    return std::vector<BYTE>(row, row + count);
}
}

TEST(XFileWpg, RowCodesMatchHandCodedBytes)
{
    std::vector<BYTE> equal(300, 0x42);
    EXPECT_EQ(Coded(equal), (std::vector<BYTE>{0xFF, 0x42, 0xFF, 0x42, 0xAE, 0x42}));

    std::vector<BYTE> alternating(300);
    for (size_t i = 0; i < alternating.size(); ++i) alternating[i] = BYTE(1 + (i & 1));
    std::vector<BYTE> expected;
    for (size_t start : {size_t(0), size_t(127), size_t(254)}) {
        const size_t n = start == 254 ? 46 : 127;
        expected.push_back(BYTE(n));
        expected.insert(expected.end(), alternating.begin() + long(start), alternating.begin() + long(start + n));
    }
    EXPECT_EQ(Coded(alternating), expected);

    EXPECT_EQ(Coded({1, 2, 2, 2, 3, 3, 4}), (std::vector<BYTE>{1, 1, 0x83, 2, 0x82, 3, 1, 4}));
    EXPECT_EQ(Coded({9}), (std::vector<BYTE>{1, 9}));
    // 127 copies, then one more: the repeat of one is written as 0x81.
    EXPECT_EQ(Coded(std::vector<BYTE>(128, 5)), (std::vector<BYTE>{0xFF, 5, 0x81, 5}));
}

TEST(XFileWpg, FileLayout)
{
    auto image = RandomImage(300, 1, 8);
    {
        LockedBlock<BYTE> bits(image->m_hBits);
        for (int i = 0; i < 300; ++i) bits.get()[i] = 0x42;
    }
    SetColor(*image, 0, 1, 2, 3);
    auto file = WriteWpg(*image, "layout.wpg");
    std::vector<BYTE> expected = {0xFF, 0x57, 0x50, 0x43, 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0};
    // Start record: 300 x 12.6171875 = 3785 units wide, 12 high.
    expected.insert(expected.end(), {0x0F, 6, 1, 0, 0xC9, 0x0E, 12, 0});
    expected.insert(expected.end(), {0x0E, 0xFF, 0x04, 0x03, 0, 0, 0, 1, 1, 2, 3});
    ASSERT_GT(file.size(), expected.size());
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + long(expected.size())), expected);

    const size_t bitmap = 16 + 8 + 8 + 768;
    const std::vector<BYTE> tail = {0x0B, 0xFF, 0x00, 0x80, 16, 0, 0x2C, 0x01, 1, 0, 8, 0, 95, 0, 95, 0,
                                    0xFF, 0x42, 0xFF, 0x42, 0xAE, 0x42, 0x10, 0x00};
    ASSERT_EQ(file.size(), bitmap + tail.size());
    EXPECT_EQ(std::vector<BYTE>(file.begin() + long(bitmap), file.end()), tail);
}

TEST(XFileWpg, EveryDepthRoundTrips)
{
    for (int bits : {1, 4, 8}) {
        for (int width : {1, 9, 333}) {
            auto image = RandomImage(width, 5, bits, unsigned(bits * width));
            EXPECT_TRUE(SameImage(*image, *DecodeWith<XFileWpg>(WriteWpg(*image, "rt.wpg")))) << bits << " " << width;
        }
    }
}

TEST(XFileWpg, RecordOrderAndRowCodes)
{
    // Row 0: literal 1 2 then 0xFF fill of 2; row 1 repeats row 0; row 2: a run.
    const std::vector<BYTE> codes = {0x02, 1, 2, 0x80, 2, 0x00, 1, 0x84, 7};
    auto mapFirst = DecodeWith<XFileWpg>(WpgFile({MapRecord(256), BitmapRecord(4, 3, 8, codes)}));
    auto bitmapFirst = DecodeWith<XFileWpg>(WpgFile({BitmapRecord(4, 3, 8, codes), MapRecord(256)}));
    ASSERT_TRUE(mapFirst->m_hBits);
    EXPECT_TRUE(SameImage(*mapFirst, *bitmapFirst));
    EXPECT_EQ(TopRowBytes(*mapFirst, 0, 4), (std::vector<BYTE>{1, 2, 0xFF, 0xFF}));
    EXPECT_EQ(TopRowBytes(*mapFirst, 1, 4), (std::vector<BYTE>{1, 2, 0xFF, 0xFF}));
    EXPECT_EQ(TopRowBytes(*mapFirst, 2, 4), std::vector<BYTE>(4, 7));
    EXPECT_TRUE(IsColor(ColorAt(*mapFirst, 5), 5, 105, 195));

    // A 256-entry map serves a 1-bit bitmap; records of other types are skipped.
    auto mono = DecodeWith<XFileWpg>(
        WpgFile({Record(0x0F, {1, 0, 0, 0, 0, 0}), Record(0x1B, {9, 9, 9}), MapRecord(256), BitmapRecord(8, 1, 1, {0x81, 0xAA})}));
    ASSERT_TRUE(mono->m_hBits);
    EXPECT_TRUE(IsColor(ColorAt(*mono, 1), 1, 101, 199));

    // A row repeat past the last row stops there.
    auto clipped = DecodeWith<XFileWpg>(WpgFile({MapRecord(2), BitmapRecord(8, 2, 1, {0x81, 0x0F, 0x00, 200})}));
    ASSERT_TRUE(clipped->m_hBits);
    EXPECT_EQ(TopRowBytes(*clipped, 1, 1), (std::vector<BYTE>{0x0F}));
}

TEST(XFileWpg, MalformedFilesAreRefused)
{
    const auto map = MapRecord(16);
    const std::vector<BYTE> row = {0x82, 0x11};
    ASSERT_TRUE(DecodeWith<XFileWpg>(WpgFile({map, BitmapRecord(4, 1, 4, row)}))->m_hBits);
    struct Case {
        const char* what;
        std::vector<BYTE> file;
    } cases[] = {
        {"zero width", WpgFile({map, BitmapRecord(0, 1, 4, row)})},
        {"negative height", WpgFile({map, BitmapRecord(4, -1, 4, row)})},
        {"depth 2", WpgFile({map, BitmapRecord(4, 1, 2, row)})},
        {"depth 24", WpgFile({map, BitmapRecord(4, 1, 24, row)})},
        {"map smaller than the depth", WpgFile({MapRecord(2), BitmapRecord(4, 1, 4, row)})},
        {"map of 3 colours", WpgFile({MapRecord(3), BitmapRecord(4, 1, 4, row)})},
        {"no map", WpgFile({BitmapRecord(4, 1, 4, row)})},
        {"no bitmap", WpgFile({map})},
        {"bitmap record shorter than its head", WpgFile({map, Record(0x0B, {4, 0, 1, 0, 4, 0})})},
        {"row repeat before the first row", WpgFile({map, BitmapRecord(4, 2, 4, {0x00, 1, 0x82, 0x11})})},
        {"row repeat inside a row", WpgFile({map, BitmapRecord(4, 2, 4, {0x81, 0x11, 0x00, 1})})},
    };
    for (const auto& c : cases) EXPECT_TRUE(DecodeRefused<XFileWpg>(c.file)) << c.what;

    auto file = WpgFile({map, BitmapRecord(4, 1, 4, row)});
    auto magic = file;
    magic[3] = 0x44;
    EXPECT_TRUE(DecodeRefused<XFileWpg>(magic));
    // A record length past the end of the file.
    auto cut = std::vector<BYTE>(file.begin(), file.end() - 4);
    EXPECT_TRUE(DecodeRefused<XFileWpg>(cut));
}

TEST(XFileWpg, WriterRefusalsCreateNoFile)
{
    const std::string path = TempPath("refused.wpg");
    const struct { int width, height, bits; WpgError error; } cases[] = {
        {4, 4, 24, WpgError::TrueColorImage}, {5195, 1, 1, WpgError::Unsupported}, {1, 5195, 1, WpgError::Unsupported}};
    for (const auto& c : cases) {
        auto image = RandomImage(c.width, c.height, c.bits);
        std::remove(path.c_str());
        EXPECT_EQ(XFileWpg().WriteImage(*image, path.c_str()), c.error);
        EXPECT_FALSE(FileExists(path));
    }
    auto widest = RandomImage(5194, 2, 8);
    EXPECT_TRUE(SameImage(*widest, *DecodeWith<XFileWpg>(WriteWpg(*widest, "widest.wpg"))));
}
