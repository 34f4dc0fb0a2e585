// JPEG reading: files made by cjpeg (tests/data/jpg) checked against
// djpeg's output, refusals, and damaged input of every kind the marker
// parser and entropy decoder must survive.
#include "formats/XFileJpg.h"

#include "FormatTestSupport.h"

#include "formats/JpegDecoder.h"
#include "framework/Progress.h"
#include "tests/framework/SimdLevels.h"

#include <cstdlib>

namespace {
struct Decoded {
    XImage image;
    std::vector<BYTE> samples;
};

void DecodeInto(Decoded& d, const std::vector<BYTE>& file)
{
    XFileJpg().Decode(&d.image, file.data(), file.size());
    d.samples = TopDownSamples(d.image);
}

// Largest difference in any sample.
int MaxDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    if (a.size() != b.size()) return 1000;
    int worst = 0;
    for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

void ExpectRefused(const std::vector<BYTE>& file, const char* what)
{
    EXPECT_TRUE(DecodeRefused<XFileJpg>(file)) << what;
}

// Offset of the first marker FF code, or npos.
size_t FindMarker(const std::vector<BYTE>& file, BYTE code)
{
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == code) return i;
    return std::string::npos;
}
}

TEST(JpegDecoder, GreyFileReadsAsEightBitWithGreyTable)
{
    Decoded d;
    DecodeInto(d, ReadTestFile("grey.jpg"));
    ASSERT_NE(d.image.m_hBits, nullptr);
    EXPECT_EQ(d.image.m_nBitCount, 8);
    EXPECT_EQ(d.image.m_nWidth, 37);
    EXPECT_EQ(d.image.m_nHeight, 29);
    {
        LockedBlock<BYTE> info(d.image.m_hInfo);
        const RGBQUAD* colors = reinterpret_cast<const RGBQUAD*>(info.get() + 40);
        for (int i = 0; i < 256; i += 51) {
            EXPECT_EQ(colors[i].rgbRed, i);
            EXPECT_EQ(colors[i].rgbBlue, i);
        }
    }
    Pnm reference = ParsePnm(ReadTestFile("grey_djpeg.pgm"));
    EXPECT_LE(MaxDifference(d.samples, reference.samples), 1);
}

TEST(JpegDecoder, ColourFilesStayCloseToDjpeg)
{
    // The decoder's colour tables centre chroma at 127.5, so colour samples
    // sit about one level from libjpeg's; the transforms add rounding.
    for (const char* name : {"c420", "c444"}) {
        Decoded d;
        DecodeInto(d, ReadTestFile(std::string(name) + ".jpg"));
        ASSERT_NE(d.image.m_hBits, nullptr) << name;
        EXPECT_EQ(d.image.m_nBitCount, 24);
        Pnm reference = ParsePnm(ReadTestFile(std::string(name) + "_djpeg.ppm"));
        ASSERT_EQ(reference.width, d.image.m_nWidth);
        ASSERT_EQ(reference.height, d.image.m_nHeight);
        EXPECT_LE(MaxDifference(d.samples, reference.samples), 7) << name;
        double sum = 0;
        for (size_t i = 0; i < d.samples.size(); ++i) sum += std::abs(d.samples[i] - reference.samples[i]);
        EXPECT_LT(sum / double(d.samples.size()), 1.5) << name;
    }
}

TEST(JpegDecoder, RestartIntervalsDecodeLikeTheFileWithout)
{
    Decoded plain, restarts;
    DecodeInto(plain, ReadTestFile("c420.jpg"));
    std::vector<BYTE> file = ReadTestFile("c420_restart.jpg");
    ASSERT_NE(FindMarker(file, 0xDD), std::string::npos);
    DecodeInto(restarts, file);
    ASSERT_FALSE(plain.samples.empty());
    EXPECT_EQ(plain.samples, restarts.samples);

    // A restart marker out of order is still a restart marker; a lost one
    // loses the data up to the next marker but never the whole decode.
    size_t rst = FindMarker(file, 0xD1);
    ASSERT_NE(rst, std::string::npos);
    std::vector<BYTE> swapped = file;
    swapped[rst + 1] = 0xD5;
    Decoded out;
    DecodeInto(out, swapped);
    EXPECT_EQ(out.samples, plain.samples);
    std::vector<BYTE> lost = file;
    lost[rst] = 0x00;
    lost[rst + 1] = 0x00;
    XImage image;
    const JpgError error = XFileJpg().Decode(&image, lost.data(), lost.size());
    EXPECT_TRUE(image.m_hBits != nullptr || error == JpgError::Unsupported);
}

TEST(JpegDecoder, RefusesWhatIsNotBaseline)
{
    ExpectRefused(ReadTestFile("progressive.jpg"), "progressive");
    const std::vector<BYTE> good = ReadTestFile("c420.jpg");
    size_t sof = FindMarker(good, 0xC0);
    ASSERT_NE(sof, std::string::npos);
    for (BYTE frame : {0xC1, 0xC3, 0xC9, 0xCA, 0xCB}) {
        std::vector<BYTE> file = good;
        file[sof + 1] = frame;
        ExpectRefused(file, "frame type");
    }
    std::vector<BYTE> twelveBit = good;
    twelveBit[sof + 4] = 12;
    ExpectRefused(twelveBit, "12-bit");
    // The identifier "JFIF\0" starts after the marker and its length.
    const size_t app0 = FindMarker(good, 0xE0);
    ASSERT_LT(app0, good.size() - 8);
    std::vector<BYTE> notJfif = good;
    notJfif.at(app0 + 7) = 'X';
    ExpectRefused(notJfif, "APP0 not JFIF");
    std::vector<BYTE> notJpeg = good;
    notJpeg[1] = 0xD9;
    ExpectRefused(notJpeg, "no SOI");

    // Without APP0 the file still reads.
    std::vector<BYTE> noApp0 = good;
    size_t length = size_t(good[app0 + 2] << 8 | good[app0 + 3]);
    noApp0.erase(noApp0.begin() + long(app0), noApp0.begin() + long(app0 + 2 + length));
    Decoded plain, stripped;
    DecodeInto(plain, good);
    DecodeInto(stripped, noApp0);
    EXPECT_EQ(plain.samples, stripped.samples);
}

TEST(JpegDecoder, RefusesInconsistentTablesAndFrames)
{
    const std::vector<BYTE> good = ReadTestFile("c420.jpg");
    const size_t sof = FindMarker(good, 0xC0), sos = FindMarker(good, 0xDA), dht = FindMarker(good, 0xC4),
                 dqt = FindMarker(good, 0xDB);
    struct Patch { size_t at; BYTE value; const char* what; };
    const Patch patches[] = {
        {sof + 9, 4, "four components (CMYK)"},
        {sof + 9, 2, "two components"},
        {sof + 11, 0x44, "4x4 luma: 18 blocks per MCU"},
        {sof + 12, 5, "quantisation table 5"},
        {sof + 12, 3, "quantisation table 3 missing"},
        {sof + 6, 0, "height 0"},
        {sos + 5, 9, "scan names a component not in the frame"},
        {sos + 4, 2, "scan holds two of three components"},
        {sos + 6, 0x44, "Huffman tables 4"},
        {sos + 6, 0x22, "Huffman tables 2 missing"},
        {dht + 4, 0x25, "Huffman class 2"},
        {dht + 4, 0x07, "Huffman table number 7"},
        {dht + 5, 0xFF, "Huffman counts beyond the segment"},
        {dqt + 4, 0x24, "quantisation precision 2"},
        {dht + 4 + 17 + 11, 12, "DC size 12"},
    };
    for (const Patch& p : patches) {
        std::vector<BYTE> file = good;
        file[p.at] = p.value;
        ExpectRefused(file, p.what);
    }
    // Sampling factors that do not divide the largest: 3x1 luma, 2x1 chroma.
    std::vector<BYTE> file = good;
    file[sof + 11] = 0x31;
    file[sof + 14] = 0x21;
    ExpectRefused(file, "3x1 with 2x1");
}

TEST(JpegDecoder, DamagedFilesNeverCrash)
{
    const std::vector<BYTE> good = ReadTestFile("c420_restart.jpg");
    ASSERT_FALSE(good.empty());
    // Every truncation: refused with the format's message (the scan data is
    // short), or read when only the EOI was cut.
    for (size_t size = 0; size < good.size(); ++size) {
        std::vector<BYTE> file(good.begin(), good.begin() + long(size));
        if (size + 2 < good.size()) {
            EXPECT_TRUE(DecodeRefused<XFileJpg>(file)) << size;
        }
    }
    // Random byte changes: any outcome but a crash (run under sanitizers).
    std::srand(3);
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<BYTE> file = good;
        for (int n = 0; n < 4; ++n) file[size_t(std::rand()) % file.size()] = BYTE(std::rand());
        XImage image;
        const JpgError error = XFileJpg().Decode(&image, file.data(), file.size());
        EXPECT_EQ(image.m_hBits != nullptr, error == JpgError::None);
    }
}

TEST(JpegDecoder, WideImagesReadBeyondTheOldLimit)
{
    // A grey file 16384 pixels wide (the old reader stopped at 4047).
    for (int width : {4047, 4048, 16384}) {
        XImage source;
        FillImage(source, width, 9, 8, [](int x, int y, BYTE* p) { *p = BYTE((x * 7 + y * 31) & 0xFF); });
        RGBQUAD grey[256];
        for (int i = 0; i < 256; ++i) grey[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        SetPalette(source, grey);
        std::vector<BYTE> file;
        ASSERT_EQ(XFileJpg().Encode(source, file), JpgError::None);
        Decoded d;
        DecodeInto(d, file);
        ASSERT_NE(d.image.m_hBits, nullptr) << width;
        EXPECT_EQ(d.image.m_nWidth, width);
        EXPECT_EQ(d.image.m_nBitCount, 8);
    }
}

TEST(JpegDecoder, TwoDecodersRunSideBySide)
{
    const std::vector<BYTE> a = ReadTestFile("c420.jpg"), b = ReadTestFile("grey.jpg");
    Decoded first, second, again;
    XFileJpg one, two;
    one.Decode(&first.image, a.data(), a.size());
    two.Decode(&second.image, b.data(), b.size());
    DecodeInto(again, a);
    EXPECT_EQ(TopDownSamples(first.image), again.samples);
    EXPECT_EQ(second.image.m_nBitCount, 8);
}

TEST(JpegDecoder, EveryVectorPathAndAReusedBufferGiveTheSameBytes)
{
    for (const char* name : {"c420.jpg", "c444.jpg", "c420_restart.jpg", "grey.jpg"}) {
        const std::vector<BYTE> file = ReadTestFile(name);
        ForceSimdLevel(SimdLevel::kScalar);
        XImage scalar;
        ASSERT_EQ(XFileJpg().Decode(&scalar, file.data(), file.size()), JpgError::None) << name;
        LockedBlock<BYTE> scalarBits(scalar.m_hBits);
        const std::vector<BYTE> expected(scalarBits.get(), scalarBits.get() + scalar.BitsSize());
        ForEachSimdLevel([&] {
            XImage image;
            ASSERT_EQ(XFileJpg().Decode(&image, file.data(), file.size()), JpgError::None) << name;
            LockedBlock<BYTE> bits(image.m_hBits);
            EXPECT_EQ(std::vector<BYTE>(bits.get(), bits.get() + image.BitsSize()), expected) << name;
            // A buffer holding an earlier picture: every byte rewritten, the
            // padding at the end of each row zeroed.
            std::vector<BYTE> reused(expected.size(), 0xA5);
            JpegDecoder decoder;
            ASSERT_TRUE(decoder.Start(file.data(), file.size()));
            ASSERT_TRUE(decoder.DecodeInto(reused.data(), image.RowBytes()));
            EXPECT_EQ(reused, expected) << name;
        });
    }
}

TEST(JpegDecoder, HugeFramesFailCleanly)
{
    const std::vector<BYTE> good = ReadTestFile("c420.jpg");
    const size_t sof = FindMarker(good, 0xC0);
    ASSERT_NE(sof, std::string::npos);
    // 65535 x 65535 x 3 bytes is beyond the pixel block limit.
    std::vector<BYTE> file = good;
    file[sof + 5] = file[sof + 6] = file[sof + 7] = file[sof + 8] = 0xFF;
    XImage huge;
    EXPECT_EQ(XFileJpg().Decode(&huge, file.data(), file.size()), JpgError::OutOfMemory);
    EXPECT_EQ(huge.m_hBits, nullptr);
    // 16384 x 16384 fits, but the scan data ends in the first row of MCUs.
    file[sof + 5] = file[sof + 7] = 0x40;
    file[sof + 6] = file[sof + 8] = 0x00;
    EXPECT_TRUE(DecodeRefused<XFileJpg>(file));
}

namespace {
std::vector<std::pair<int, int>> g_progress;
void RecordProgress(int step, int steps) { g_progress.emplace_back(step, steps); }
}

TEST(JpegDecoder, ReportsProgressPerRowOfMcus)
{
    const std::vector<BYTE> file = ReadTestFile("c420.jpg");  // 37 x 29: two rows of 16-pixel MCUs
    g_progress.clear();
    SetProgressSink(RecordProgress);
    XImage image;
    XFileJpg().Decode(&image, file.data(), file.size());
    SetProgressSink(nullptr);
    const std::vector<std::pair<int, int>> expected = {{16, 29}, {29, 29}};
    EXPECT_EQ(g_progress, expected);
}
