// JPEG writing: the header byte for byte, component choice, MCU padding,
// the run-length rules of the block coder and 0xFF stuffing. Expected
// bytes come from ITU T.81 Annex K and the JFIF layout; decoded results
// are checked against the source pixels.
#include "formats/XFileJpg.h"

#include "FormatTestSupport.h"
#include "../framework/SimdLevels.h"

#include "formats/JpegBitWriter.h"
#include "formats/JpegBlockCoder.h"
#include "formats/JpegTables.h"

#include <cstdlib>
#include <string>

namespace {
std::vector<BYTE> EncodeOrFail(const XImage& image)
{
    std::vector<BYTE> out;
    EXPECT_EQ(XFileJpg().Encode(image, out), JpgError::None);
    return out;
}

void UseGreyPalette(XImage& image, bool reversed)
{
    RGBQUAD colors[256];
    for (int i = 0; i < 256; ++i) {
        BYTE v = BYTE(reversed ? 255 - i : i);
        colors[i] = {v, v, v, 0};
    }
    SetPalette(image, colors);
}

// Offset of the first SOS payload end: where entropy-coded data starts.
size_t ScanStart(const std::vector<BYTE>& file)
{
    for (size_t i = 0; i + 3 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) return i + 2 + size_t(file[i + 2] << 8 | file[i + 3]);
    return 0;
}

class VectorSink : public JpegByteSink {
public:
    void Write(const BYTE* data, size_t size) override { bytes.insert(bytes.end(), data, data + size); }
    std::vector<BYTE> bytes;
};

// The bits of an entropy-coded segment with its stuffed zero bytes removed.
std::string Bits(const std::vector<BYTE>& bytes)
{
    std::string s;
    for (size_t k = 0; k < bytes.size(); ++k) {
        for (int i = 7; i >= 0; --i) s += (bytes[k] >> i) & 1 ? '1' : '0';
        if (bytes[k] == 0xFF) ++k;
    }
    return s;
}

uint64_t Fnv1a(const std::vector<BYTE>& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (BYTE b : bytes) hash = (hash ^ b) * 1099511628211ull;
    return hash;
}
}

TEST(JpegEncoder, HeaderIsTheBaselineJfifLayout)
{
    XImage image;
    FillImage(image, 300, 200, 24, [](int, int, BYTE* p) { p[0] = 10, p[1] = 20, p[2] = 30; });
    std::vector<BYTE> file = EncodeOrFail(image);
    const BYTE app0[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00,
                         0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    ASSERT_GT(file.size(), 700u);
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + 20), std::vector<BYTE>(app0, app0 + 20));
    size_t at = 20;
    for (int table = 0; table < 2; ++table) {
        const BYTE dqt[] = {0xFF, 0xDB, 0x00, 0x43, BYTE(table)};
        EXPECT_EQ(std::vector<BYTE>(file.begin() + long(at), file.begin() + long(at + 5)),
                  std::vector<BYTE>(dqt, dqt + 5));
        at += 69;
    }
    EXPECT_EQ(file[25], 18);   // luminance 16 scaled for quality 45
    EXPECT_EQ(file[94], 19);   // chrominance 17
    EXPECT_EQ(file[88], 110);  // luminance 99 (last zigzag value)
    const BYTE sof[] = {0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0xC8, 0x01, 0x2C, 0x03,
                        0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01};
    EXPECT_EQ(std::vector<BYTE>(file.begin() + long(at), file.begin() + long(at + 19)),
              std::vector<BYTE>(sof, sof + 19));
    at += 19;
    const struct { const JpegHuffmanCodes* codes; BYTE id; } dht[] = {
        {&kJpegDcLuminance, 0x00}, {&kJpegAcLuminance, 0x10}, {&kJpegDcChrominance, 0x01}, {&kJpegAcChrominance, 0x11}};
    for (const auto& t : dht) {
        int length = 19 + t.codes->valueCount;
        ASSERT_EQ(file[at], 0xFF);
        EXPECT_EQ(file[at + 1], 0xC4);
        EXPECT_EQ(file[at + 2] << 8 | file[at + 3], length);
        EXPECT_EQ(file[at + 4], t.id);
        EXPECT_EQ(std::vector<BYTE>(file.begin() + long(at + 5), file.begin() + long(at + 21)),
                  std::vector<BYTE>(t.codes->counts, t.codes->counts + 16));
        at += 2 + size_t(length);
    }
    const BYTE sos[] = {0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00};
    EXPECT_EQ(std::vector<BYTE>(file.begin() + long(at), file.begin() + long(at + 14)),
              std::vector<BYTE>(sos, sos + 14));
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);
}

TEST(JpegEncoder, OnePixelImageFillsItsPaddedMcu)
{
    XImage image;
    FillImage(image, 1, 1, 24, [](int, int, BYTE* p) { p[0] = 40, p[1] = 160, p[2] = 220; });
    std::vector<BYTE> file = EncodeOrFail(image);
    XImage back;
    XFileJpg().Decode(&back, file.data(), file.size());
    ASSERT_NE(back.m_hBits, nullptr);
    EXPECT_EQ(back.m_nWidth, 1);
    EXPECT_EQ(back.m_nBitCount, 24);
    std::vector<BYTE> rgb = TopDownSamples(back);
    // A flat MCU keeps only DC values: close to the source colour.
    EXPECT_NEAR(rgb[0], 220, 6);
    EXPECT_NEAR(rgb[1], 160, 6);
    EXPECT_NEAR(rgb[2], 40, 6);
}

TEST(JpegEncoder, PaletteDecidesTheComponents)
{
    auto pixel = [](int x, int y, BYTE* p) { *p = BYTE((x * 9 + y * 5) & 0xFF); };
    // A grey palette in index order: one component, read back as 8-bit.
    XImage grey;
    FillImage(grey, 40, 24, 8, pixel);
    UseGreyPalette(grey, false);
    std::vector<BYTE> file = EncodeOrFail(grey);
    EXPECT_EQ(file[20 + 69 * 2 + 9], 1);  // Nf
    XImage back;
    XFileJpg().Decode(&back, file.data(), file.size());
    ASSERT_NE(back.m_hBits, nullptr);
    EXPECT_EQ(back.m_nBitCount, 8);

    // Grey but reversed: the indices themselves are the grey levels.
    XImage reversed;
    FillImage(reversed, 40, 24, 8, [](int, int, BYTE* p) { *p = 200; });
    UseGreyPalette(reversed, true);
    file = EncodeOrFail(reversed);
    XImage backReversed;
    XFileJpg().Decode(&backReversed, file.data(), file.size());
    std::vector<BYTE> samples = TopDownSamples(backReversed);
    ASSERT_FALSE(samples.empty());
    EXPECT_NEAR(samples[0], 200, 2);  // not the palette level 55

    // One colourful entry: three components, read back as 24-bit.
    XImage colour;
    FillImage(colour, 40, 24, 8, pixel);
    UseGreyPalette(colour, false);
    {
        LockedBlock<BYTE> info(colour.m_hInfo);
        reinterpret_cast<RGBQUAD*>(info.get() + 40)[255].rgbRed = 0;
    }
    file = EncodeOrFail(colour);
    XImage backColour;
    XFileJpg().Decode(&backColour, file.data(), file.size());
    EXPECT_EQ(backColour.m_nBitCount, 24);
}

TEST(JpegEncoder, RunsOfZerosUseZrlAndEob)
{
    JpegHuffmanTable dc, ac;
    dc.Build(kJpegDcLuminance.counts, kJpegDcLuminance.values, kJpegDcLuminance.valueCount);
    ac.Build(kJpegAcLuminance.counts, kJpegAcLuminance.values, kJpegAcLuminance.valueCount);
    auto encode = [&](const int16_t zigzag[64]) {
        VectorSink sink;
        {
            JpegBitWriter writer(sink);
            const JpegCodeWords dcWords(dc), acWords(ac);
            JpegComponentCoder coder = {&dcWords, &acWords, 0};
            int16_t natural[64];
            uint64_t mask = 0;
            for (int k = 0; k < 64; ++k) {
                natural[kJpegZigzag[k]] = zigzag[k];
                if (zigzag[k]) mask |= uint64_t(1) << k;
            }
            JpegEncodeBlock(writer, natural, mask, coder);
            writer.AlignWithOnes();
            writer.Drain();
        }
        return Bits(sink.bytes);
    };
    // DC 0, 40 zeros, then 1 at position 41: ZRL ZRL, run 8 size 1, EOB.
    int16_t block[64] = {};
    block[41] = 1;
    std::string expected = std::string("00") + "11111111001" + "11111111001" + "111111000" + "1" + "1010";
    expected += std::string((8 - expected.size() % 8) % 8, '1');
    EXPECT_EQ(encode(block), expected);
    // Value 63 non-zero: no EOB. DC 3 ("011" + "11"), AC -1 at 63 after 62 zeros.
    int16_t last[64] = {3};
    last[63] = -1;
    std::string noEob = std::string("011") + "11" + "11111111001" + "11111111001" + "11111111001" +
                        "1111111111101011" /* run 14 size 1 */ + "0";
    noEob += std::string((8 - noEob.size() % 8) % 8, '1');
    EXPECT_EQ(encode(last), noEob);
}

TEST(JpegEncoder, EveryFFInTheScanIsStuffed)
{
    XImage noise;
    std::srand(11);
    FillImage(noise, 64, 48, 24, [](int, int, BYTE* p) {
        p[0] = BYTE(std::rand()), p[1] = BYTE(std::rand()), p[2] = BYTE(std::rand());
    });
    std::vector<BYTE> file = EncodeOrFail(noise);
    size_t start = ScanStart(file);
    ASSERT_GT(start, 0u);
    int stuffed = 0;
    for (size_t i = start; i + 2 < file.size(); ++i) {
        if (file[i] != 0xFF) continue;
        ASSERT_EQ(file[i + 1], 0x00) << i;
        ++stuffed;
        ++i;
    }
    EXPECT_GT(stuffed, 0);
}

TEST(JpegEncoder, RefusesBeforeCreatingTheFile)
{
    const std::string path = TempPath("jpeg_refused.jpg");
    std::remove(path.c_str());
    XImage wide;
    wide.m_nWidth = 65536;
    wide.m_nHeight = 2;
    wide.m_nBitCount = 8;
    ASSERT_TRUE(wide.AllocateBlocks());
    EXPECT_EQ(XFileJpg().WriteImage(wide, path.c_str()), JpgError::Unsupported);
    EXPECT_FALSE(FileExists(path));

    XImage fourBit;
    fourBit.m_nWidth = fourBit.m_nHeight = 4;
    fourBit.m_nBitCount = 4;
    ASSERT_TRUE(fourBit.AllocateBlocks());
    EXPECT_EQ(XFileJpg().WriteImage(fourBit, path.c_str()), JpgError::BelowEightBits);
    EXPECT_FALSE(FileExists(path));

    // A path that cannot be created: the format's message.
    XImage small;
    FillImage(small, 4, 4, 24, [](int, int, BYTE* p) { p[0] = p[1] = p[2] = 0; });
    EXPECT_EQ(XFileJpg().WriteImage(small, "/nonexistent-dir/x.jpg"), JpgError::Unsupported);
}

TEST(JpegEncoder, WritesAndReadsThroughFiles)
{
    const std::string path = TempPath("jpeg_roundtrip.jpg");
    XImage image;
    FillImage(image, 33, 17, 24, [](int x, int y, BYTE* p) { p[0] = BYTE(x * 7), p[1] = BYTE(y * 15), p[2] = 128; });
    EXPECT_EQ(XFileJpg().WriteImage(image, path.c_str()), JpgError::None);
    XImage back;
    XFileJpg().ReadImage(&back, path.c_str());
    ASSERT_NE(back.m_hBits, nullptr);
    std::vector<BYTE> a = TopDownSamples(image), b = TopDownSamples(back);
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
    EXPECT_LT(sum / double(a.size()), 6.0);
    std::remove(path.c_str());
}

// The encoder's output is pinned byte for byte: these checksums were taken
// from the plain scalar encoder, and every vector path must reproduce them.
// The images cover cut MCUs in both directions, smooth areas, hard edges,
// noise, the largest coefficients (a 0/255 checkerboard), palettes and grey.
TEST(JpegEncoder, OutputIsTheSameOnEveryVectorPath)
{
    XImage photo, checker, grey;
    FillImage(photo, 203, 77, 24, [](int x, int y, BYTE* p) {
        const int noise = (x * 37 + y * 91) % 23 - 11;
        const bool edge = (x / 40 + y / 30) % 3 == 0;
        p[0] = BYTE(edge ? 50 : (x + 2 * y + noise) & 0xFF);
        p[1] = BYTE(edge ? 40 : 128 + (x - y) / 3 + noise);
        p[2] = BYTE(edge ? 230 : 255 - x);
    });
    FillImage(checker, 48, 35, 24, [](int x, int y, BYTE* p) {
        const BYTE v = (x + y) % 2 ? 255 : 0;
        p[0] = v, p[1] = BYTE(x < 24 ? v : 255 - v), p[2] = BYTE(y < 16 ? 255 - v : v);
    });
    FillImage(grey, 45, 19, 8, [](int x, int y, BYTE* p) { *p = BYTE(x * 5 + y * y); });
    UseGreyPalette(grey, false);
    const auto noise = RandomImage(100, 50, 24, 5);
    const auto palette = RandomImage(71, 39, 8, 6);
    const struct {
        const XImage* image;
        size_t size;
        uint64_t checksum;
    } cases[] = {
        {&photo, 1788, 0x6076330e368a5956ull},      {&checker, 1129, 0xbf9d1b3441b3a824ull},
        {&grey, 833, 0x475d924773194e39ull},        {noise.get(), 2983, 0x824bd300e8c7a2ebull},
        {palette.get(), 1920, 0xbb0ede850401de73ull},
    };
    ForEachSimdLevel([&] {
        for (const auto& c : cases) {
            const std::vector<BYTE> file = EncodeOrFail(*c.image);
            EXPECT_EQ(file.size(), c.size);
            EXPECT_EQ(Fnv1a(file), c.checksum);
        }
    });
}
