// Stage tests of the JPEG codec: tables, Huffman codes, bit reader and
// writer, both transforms, colour tables and quantisation. Expected values
// come from ITU T.81 (Annex K codes, the DCT definition) or are computed
// by hand from the fixed-point formulas.
#include "formats/JpegBitWriter.h"
#include "formats/JpegBlockCoder.h"
#include "formats/JpegEncoderColor.h"
#include "formats/JpegColor.h"
#include "formats/JpegFdct.h"
#include "formats/JpegHuffman.h"
#include "formats/JpegIdct.h"
#include "formats/JpegTables.h"
#include "tests/framework/SimdLevels.h"

#include "../framework/SimdLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {
class VectorSink : public JpegByteSink {
public:
    void Write(const BYTE* data, size_t size) override { bytes.insert(bytes.end(), data, data + size); }
    std::vector<BYTE> bytes;
};

std::string CodeString(const JpegHuffmanTable& table, int value)
{
    std::string s;
    for (int i = table.SizeOf(value) - 1; i >= 0; --i) s += (table.CodeOf(value) >> i) & 1 ? '1' : '0';
    return s;
}

double Basis(int k, int n) { return (k == 0 ? std::sqrt(0.5) : 1.0) * std::cos((2 * n + 1) * k * M_PI / 16); }
}

TEST(JpegTables, QualityScalingMatchesLibjpegTablesAtQuality45)
{
    // DQT payloads written by cjpeg -quality 45 -baseline (zigzag order).
    const uint16_t luma[64] = {18, 12, 13, 16, 13, 11, 18, 16, 14, 16, 20, 19, 18, 21, 27, 44,
                               29, 27, 24, 24, 27, 54, 39, 41, 32, 44, 64, 57, 68, 67, 63, 57,
                               62, 61, 71, 80, 102, 87, 71, 75, 97, 77, 61, 62, 89, 121, 90, 97,
                               105, 109, 114, 115, 114, 69, 85, 125, 134, 124, 111, 133, 102, 112, 114, 110};
    uint16_t table[64];
    EXPECT_TRUE(ScaleJpegQuantTable(kJpegLuminanceQuant, 45, table));
    for (int k = 0; k < 64; ++k) EXPECT_EQ(table[k], luma[k]) << k;
    EXPECT_TRUE(ScaleJpegQuantTable(kJpegChrominanceQuant, 45, table));
    EXPECT_EQ(table[0], 19);
    EXPECT_EQ(table[63], 110);
    // Quality 1 gives values above 255: a 16-bit table.
    EXPECT_FALSE(ScaleJpegQuantTable(kJpegLuminanceQuant, 1, table));
    EXPECT_EQ(table[0], 800);
}

TEST(JpegHuffman, AnnexKCodesFollowFromTheCounts)
{
    JpegHuffmanTable dc, ac;
    ASSERT_TRUE(dc.Build(kJpegDcLuminance.counts, kJpegDcLuminance.values, kJpegDcLuminance.valueCount));
    ASSERT_TRUE(ac.Build(kJpegAcLuminance.counts, kJpegAcLuminance.values, kJpegAcLuminance.valueCount));
    // Table K.3 and K.5 of ITU T.81.
    EXPECT_EQ(CodeString(dc, 0), "00");
    EXPECT_EQ(CodeString(dc, 1), "010");
    EXPECT_EQ(CodeString(dc, 6), "1110");
    EXPECT_EQ(CodeString(dc, 11), "111111110");
    EXPECT_EQ(CodeString(ac, 0x00), "1010");
    EXPECT_EQ(CodeString(ac, 0x01), "00");
    EXPECT_EQ(CodeString(ac, 0xF0), "11111111001");
    EXPECT_EQ(CodeString(ac, 0x81), "111111000");
    EXPECT_EQ(CodeString(ac, 0xFA), "1111111111111110");
    EXPECT_EQ(dc.MaxValue(), 11);
}

TEST(JpegHuffman, RefusesOverfullAndOversizedTables)
{
    JpegHuffmanTable table;
    BYTE values[300] = {};
    BYTE counts[16] = {3};  // three codes of one bit
    EXPECT_FALSE(table.Build(counts, values, 3));
    BYTE tooMany[16] = {};
    tooMany[15] = 255;
    tooMany[14] = 2;  // 257 values
    EXPECT_FALSE(table.Build(tooMany, values, 257));
    BYTE full[16] = {2};  // both one-bit codes: complete, allowed
    EXPECT_TRUE(table.Build(full, values, 2));
}

TEST(JpegBitReader, UnstuffsStopsAtMarkersAndDetectsOverrun)
{
    JpegHuffmanTable dc;
    ASSERT_TRUE(dc.Build(kJpegDcLuminance.counts, kJpegDcLuminance.values, kJpegDcLuminance.valueCount));
    // 0xFF 0x00 is one data byte 0xFF: "1111111 1" then 0x00.
    const BYTE stuffed[] = {0xFF, 0x00, 0x00, 0xFF, 0xD9};
    JpegBitReader reader;
    reader.Start(stuffed, sizeof stuffed);
    EXPECT_EQ(reader.ReceiveExtend(8), 255);
    EXPECT_EQ(reader.ReceiveExtend(8), -255);  // 0x00 extends to -255
    EXPECT_FALSE(reader.Overran());
    EXPECT_EQ(reader.ReceiveExtend(1), -1);  // the marker reads as zero bits...
    EXPECT_TRUE(reader.Overran());           // ...past the end of the segment

    // 17 one bits match no code: value 0, 17 bits consumed.
    const BYTE ones[] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00};
    reader.Start(ones, sizeof ones);
    EXPECT_EQ(reader.DecodeValue(dc), 0);
    EXPECT_EQ(reader.ReceiveExtend(7), 127);  // the 7 one bits left
}

TEST(JpegBitReader, RestartSkipsToTheMarkerAndLeavesOthers)
{
    const BYTE data[] = {0x12, 0x34, 0xFF, 0xD3, 0x80, 0xFF, 0xD9};
    JpegBitReader reader;
    reader.Start(data, sizeof data);
    EXPECT_EQ(reader.ReceiveExtend(4), -14);  // 0001
    reader.Restart();
    EXPECT_EQ(reader.ReceiveExtend(8), 128);
    reader.Restart();  // finds EOI: not consumed, zeros follow
    EXPECT_FALSE(reader.Overran());
    reader.ReceiveExtend(1);
    EXPECT_TRUE(reader.Overran());
}


TEST(JpegBitReader, LongStreamsReadAsTheirUnstuffedBits)
{
    // Runs of plain bytes (read eight at a time) mixed with stuffed 0xFF
    // bytes (read one at a time), ending at a marker; read in pieces of
    // every size, the bits must be those of the data bytes, then zeros.
    std::mt19937 random(3);
    for (int trial = 0; trial < 50; ++trial) {
        std::vector<BYTE> stream, data;
        for (int i = 0; i < 300; ++i) {
            const BYTE byte = random() % 8 == 0 ? 0xFF : BYTE(random() % 255);
            data.push_back(byte);
            stream.push_back(byte);
            if (byte == 0xFF) stream.push_back(0x00);
        }
        stream.push_back(0xFF);
        stream.push_back(0xD9);
        auto bit = [&](size_t n) { return n / 8 < data.size() ? (data[n / 8] >> (7 - n % 8)) & 1 : 0; };

        JpegBitReader reader;
        reader.Start(stream.data(), stream.size());
        size_t position = 0;
        while (position < 8 * data.size() + 40) {
            const int s = 1 + int(random() % 16);
            int expected = 0;
            for (int i = 0; i < s; ++i) expected = 2 * expected + bit(position + size_t(i));
            if (expected < (1 << (s - 1))) expected += 1 - (1 << s);
            ASSERT_EQ(reader.ReceiveExtend(s), expected) << "trial " << trial << " bit " << position;
            position += size_t(s);
            EXPECT_EQ(reader.Overran(), position > 8 * data.size());
        }
    }
}
TEST(JpegBitWriter, StuffsEveryFFAndPadsWithOnes)
{
    VectorSink sink;
    {
        JpegBitWriter writer(sink);
        writer.PutBits(0xFF, 8);
        writer.PutBits(0x7FFFFF, 23);
        writer.PutBits(0x0, 2);
        writer.AlignWithOnes();
        writer.Drain();
    }
    // FF | FF FF FE (0x7FFFFF << 1 | 0) ... bits: 11111111 11111111 11111111 11111110 0 + 1111111
    const std::vector<BYTE> expected = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFE, 0x7F};
    EXPECT_EQ(sink.bytes, expected);
}

TEST(JpegIdct, MatchesTheDefinitionAndHandValues)
{
    // DC 80: pass 1 gives (80 * 46341 + 65536) >> 17 = 28, pass 2 gives
    // (28 * 46341 + 65536) >> 17 = 10, so every sample is 138.
    int16_t block[64] = {80};
    BYTE out[64];
    JpegInverseDct(block, out, 8);
    for (BYTE v : out) EXPECT_EQ(v, 138);

    std::mt19937 random(5);
    std::uniform_int_distribution<int> coefficient(-300, 300);
    int worst = 0;
    for (int trial = 0; trial < 500; ++trial) {
        int16_t coefficients[64] = {};
        for (int i = 0; i < 64; ++i)
            if (random() % 4 == 0) coefficients[i] = int16_t(coefficient(random));
        int16_t copy[64];
        std::copy(coefficients, coefficients + 64, copy);
        JpegInverseDct(copy, out, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                double sum = 0;
                for (int v = 0; v < 8; ++v)
                    for (int u = 0; u < 8; ++u) sum += coefficients[8 * v + u] * Basis(u, x) * Basis(v, y);
                double expected = std::min(255.0, std::max(0.0, std::round(sum / 4 + 128)));
                worst = std::max(worst, int(std::abs(expected - out[8 * y + x])));
            }
    }
    // Two rounded passes with a 16-bit work block: within 2 of the exact value.
    EXPECT_LE(worst, 2);
}

TEST(JpegIdct, DcShortcutEqualsTheFullTransformAndExtremesStayDefined)
{
    for (int dc = -32768; dc <= 32767; dc += 7) {
        int16_t block[64] = {int16_t(dc)};
        block[1] = 0;
        BYTE full[64], quick[64];
        JpegInverseDct(block, full, 8);
        JpegInverseDctDcOnly(int16_t(dc), quick, 8);
        ASSERT_EQ(std::vector<BYTE>(full, full + 64), std::vector<BYTE>(quick, quick + 64)) << dc;
    }
    // Hostile coefficients wrap in defined arithmetic (checked under UBSan).
    int16_t extreme[64];
    for (int i = 0; i < 64; ++i) extreme[i] = i % 2 ? -32768 : 32767;
    BYTE out[64];
    JpegInverseDct(extreme, out, 8);
}

TEST(JpegIdct, EveryVectorPathEqualsThePortableTransform)
{
    ForEachSimdLevel([] {
        std::mt19937 random(17);
        const JpegInverseDctBatch batch = ActiveJpegInverseDctBatch();
        // Batches of three: a pair and a single on the AVX2 path, each
        // block with its own output stride; every other batch has its
        // coefficients in rows 0..3 only, which the AVX2 path treats apart.
        for (int trial = 0; trial < 20000; trial += 3) {
            const int filled = trial % 2 ? 32 : 64;
            int16_t blocks[3][64] = {}, copies[3][64];
            BYTE fast[3][8 * 12], portable[3][8 * 12];
            JpegIdctJob jobs[3];
            for (int b = 0; b < 3; ++b) {
                const int t = trial + b;
                const int range = t % 3 == 0 ? 65536 : t % 3 == 1 ? 4096 : 256;
                for (int i = 0; i < filled; ++i)
                    if (random() % (1 + t % 7) == 0) blocks[b][i] = int16_t(int(random() % range) - range / 2);
                std::copy(blocks[b], blocks[b] + 64, copies[b]);
                jobs[b] = JpegIdctJob{blocks[b], fast[b], 10 + b};
                JpegInverseDctPortable(copies[b], portable[b], 10 + b);
            }
            batch(jobs, 3);
            for (int b = 0; b < 3; ++b)
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        ASSERT_EQ(fast[b][(10 + b) * y + x], portable[b][(10 + b) * y + x]) << trial + b;
        }
    });
}

TEST(JpegFdct, MatchesTheDefinition)
{
    std::mt19937 random(9);
    double worst = 0;
    for (int trial = 0; trial < 300; ++trial) {
        int samples[64];
        int16_t block[64];
        for (int i = 0; i < 64; ++i) {
            samples[i] = int(random() % 256);
            block[i] = int16_t(samples[i] - 128);
        }
        JpegForwardDct(block);
        for (int v = 0; v < 8; ++v)
            for (int u = 0; u < 8; ++u) {
                double sum = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x) sum += (samples[8 * y + x] - 128) * Basis(u, x) * Basis(v, y);
                worst = std::max(worst, std::abs(sum / 4 - block[8 * v + u]));
            }
    }
    EXPECT_LE(worst, 2.0);
    int16_t flat[64];
    for (int16_t& v : flat) v = 127;
    JpegForwardDct(flat);
    // (1016 * 46341 + 65536) >> 17 = 359, then (2872 * 46341 + 65536) >> 17 = 1015.
    EXPECT_EQ(flat[0], 1015);
    for (int i = 1; i < 64; ++i) EXPECT_EQ(flat[i], 0) << i;
}

// Strips of 9 blocks (an odd count leaves a block alone in the last AVX2
// step), transformed and quantised on each path, against the scalar
// transform and quantiser block by block. Samples that are all 0 or 255
// give the largest sums and coefficients; q = 1 the largest quotients.
TEST(JpegFdct, EveryPathTransformsAStripAsTheScalarStages)
{
    JpegQuantTable tables[3];
    tables[0].Build(kJpegLuminanceQuant, 45);
    BYTE flat[64];
    std::fill(flat, flat + 64, BYTE(1));
    tables[1].Build(flat, 50);
    tables[2].Build(kJpegChrominanceQuant, 1);
    const int kBlocks = 9, kStride = 8 * kBlocks + 5;
    std::mt19937 random(21);
    std::vector<BYTE> samples(size_t(kStride) * 8);
    ForEachSimdLevel([&] {
        for (int trial = 0; trial < 600; ++trial) {
            for (size_t i = 0; i < samples.size(); ++i) {
                const uint32_t r = random();
                samples[i] = trial % 3 == 0 ? BYTE(r & 1 ? 255 : 0) : trial % 3 == 1 ? BYTE(r) : BYTE(100 + i % 7 + r % 3);
            }
            const JpegQuantTable& table = tables[trial % 3];
            int16_t coefficients[64 * kBlocks];
            uint64_t masks[kBlocks];
            JpegTransformStrip(samples.data(), kStride, kBlocks, table, coefficients, masks);
            for (int j = 0; j < kBlocks; ++j) {
                int16_t block[64], expected[64];
                for (int i = 0; i < 64; ++i) block[i] = int16_t(samples[size_t(i / 8 * kStride + 8 * j + i % 8)] - 128);
                JpegForwardDct(block);
                ASSERT_EQ(masks[j], JpegQuantizeBlock(block, table, expected)) << trial;
                for (int i = 0; i < 64; ++i) ASSERT_EQ(coefficients[64 * j + i], expected[i]) << trial << " " << j;
            }
        }
    });
}

// Rows of 2 * pairs pixels for every pair count up to 40 (each vector step
// and every tail), then colours spread over the whole cube: luma per pixel and chroma as the
// rounded mean of the square's four truncated values.
TEST(JpegColor, EncoderConversionIsTheMeanOfEachSquaresChroma)
{
    std::mt19937 random(8);
    auto check = [](const std::vector<BYTE>& top, const std::vector<BYTE>& bottom, int pairs) {
        std::vector<BYTE> y0(size_t(2 * pairs) + 1, 0xA5), y1(y0), cb(size_t(pairs) + 1, 0xA5), cr(cb);
        JpegBgrRowsToYcc(top.data(), bottom.data(), pairs, y0.data(), y1.data(), cb.data(), cr.data());
        ASSERT_EQ(y0.back(), 0xA5);
        ASSERT_EQ(cb.back(), 0xA5);
        ASSERT_EQ(cr.back(), 0xA5);
        for (int j = 0; j < pairs; ++j) {
            int sumCb = 2, sumCr = 2;
            for (int k = 2 * j; k < 2 * j + 2; ++k)
                for (const auto* row : {&top, &bottom}) {
                    const BYTE* p = row->data() + 3 * k;
                    sumCb += JpegBlueChroma(p[2], p[1], p[0]);
                    sumCr += JpegRedChroma(p[2], p[1], p[0]);
                    ASSERT_EQ((row == &top ? y0 : y1)[size_t(k)], JpegLuma(p[2], p[1], p[0])) << pairs;
                }
            ASSERT_EQ(cb[size_t(j)], sumCb >> 2) << pairs << " " << j;
            ASSERT_EQ(cr[size_t(j)], sumCr >> 2) << pairs << " " << j;
        }
    };
    ForEachSimdLevel([&] {
        for (int pairs = 0; pairs <= 40; ++pairs) {
            std::vector<BYTE> top(size_t(6 * pairs)), bottom(top.size());
            for (size_t i = 0; i < top.size(); ++i) top[i] = BYTE(random()), bottom[i] = BYTE(random());
            check(top, bottom, pairs);
        }
        // Every fifth colour from black to white, 2^12 squares per row pair.
        std::vector<BYTE> top(6 * 4096), bottom(top.size());
        for (uint32_t base = 0; base < (1u << 24) / 5; base += 4 * 4096) {
            for (uint32_t k = 0; k < 2 * 4096; ++k) {
                const uint32_t t = 5 * (base + k / 2 * 4 + k % 2), b = t + 10;
                for (int c = 0; c < 3; ++c) top[3 * k + c] = BYTE(t >> (8 * c)), bottom[3 * k + c] = BYTE(b >> (8 * c));
            }
            check(top, bottom, 4096);
        }
    });
}

TEST(JpegColor, TablesAndConversionsFollowTheJfifWeights)
{
    const JpegColorTables& t = JpegDecoderColorTables();
    // x = 2i - 255; (255 * 11485 + 8192) / 16384 = 179.25; (-2928675 + 8192) / 16384 = -178.25.
    EXPECT_EQ(t.redFromCr[255], 179);
    EXPECT_EQ(t.redFromCr[0], -178);
    EXPECT_EQ(t.blueFromCb[255], 226);
    EXPECT_EQ(t.greenFromCr[0], 8192 + 255 * 5850);
    EXPECT_EQ(t.greenFromCb[255], -255 * 2819);

    const BYTE y[3] = {0, 255, 100}, cb[3] = {128, 128, 0}, cr[3] = {128, 128, 255};
    BYTE bgr[9];
    JpegYCbCrToBgr(y, cb, cr, bgr, 3);
    EXPECT_EQ(bgr[0], 1);   // 0 + (1 * 14516 + 8192) / 16384
    EXPECT_EQ(bgr[1], 0);   // (-2819 + 2342) >> 14 = -1 clamps
    EXPECT_EQ(bgr[2], 1);
    EXPECT_EQ(bgr[5], 255);
    EXPECT_EQ(bgr[6], 0);   // 100 - 225 clamps
    EXPECT_EQ(bgr[8], 255); // 100 + 179 clamps

    EXPECT_EQ(JpegLuma(255, 255, 255), 255);
    EXPECT_EQ(JpegBlueChroma(0, 0, 255), 255);
    EXPECT_EQ(JpegRedChroma(0, 255, 255), 0);
    EXPECT_EQ(JpegBlueChroma(128, 128, 128), 128);
}

TEST(JpegColor, EveryCombinationMatchesTheTablesOnEveryPath)
{
    ForEachSimdLevel([] {
        const JpegColorTables& t = JpegDecoderColorTables();
        auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        std::vector<BYTE> y(257), cb(257), cr(257), bgr(3 * 257);
        for (int i = 0; i < 257; ++i) y[size_t(i)] = BYTE(i * 7);
        for (int b = 0; b < 256; ++b) {
            for (int r = 0; r < 256; ++r) {
                std::fill(cb.begin(), cb.end(), BYTE(b));
                std::fill(cr.begin(), cr.end(), BYTE(r));
                // Vary luma across the row; chroma constant keeps the check simple.
                JpegYCbCrToBgr(y.data(), cb.data(), cr.data(), bgr.data(), 257);
                for (int i = 0; i < 257; ++i) {
                    int luma = y[size_t(i)];
                    ASSERT_EQ(bgr[size_t(3 * i)], clamp(luma + t.blueFromCb[b]));
                    ASSERT_EQ(bgr[size_t(3 * i + 1)], clamp(luma + ((t.greenFromCb[b] + t.greenFromCr[r]) >> 14)));
                    ASSERT_EQ(bgr[size_t(3 * i + 2)], clamp(luma + t.redFromCr[r]));
                }
            }
        }
        // Chroma varying from pixel to pixel, at full width...
        std::mt19937 random(4);
        for (int count : {31, 32, 33, 64, 95, 255}) {
            std::vector<BYTE> ly(static_cast<size_t>(count)), lcb(ly.size()), lcr(ly.size()), out(3 * ly.size());
            for (size_t i = 0; i < ly.size(); ++i)
                ly[i] = BYTE(random()), lcb[i] = BYTE(random()), lcr[i] = BYTE(random());
            JpegYCbCrToBgr(ly.data(), lcb.data(), lcr.data(), out.data(), count);
            for (size_t i = 0; i < ly.size(); ++i) {
                ASSERT_EQ(out[3 * i], clamp(ly[i] + t.blueFromCb[lcb[i]])) << count;
                ASSERT_EQ(out[3 * i + 1], clamp(ly[i] + ((t.greenFromCb[lcb[i]] + t.greenFromCr[lcr[i]]) >> 14)));
                ASSERT_EQ(out[3 * i + 2], clamp(ly[i] + t.redFromCr[lcr[i]]));
            }
        }
        // ...and at half width: each chroma sample serves two luma samples,
        // one row at a time and two rows sharing their chroma (4:2:0).
        for (int count : {1, 2, 15, 16, 17, 33, 64, 95, 255}) {
            std::vector<BYTE> ly(2 * static_cast<size_t>(count)), lcb(static_cast<size_t>(count + 1) / 2 + 8);
            std::vector<BYTE> lcr(lcb.size()), out(3 * ly.size() + 1), pair(out.size());
            for (BYTE& v : ly) v = BYTE(random());
            for (size_t i = 0; i < lcb.size(); ++i) lcb[i] = BYTE(random()), lcr[i] = BYTE(random());
            out.back() = pair.back() = 0xA5;
            JpegYCbCrHalfToBgr(ly.data(), lcb.data(), lcr.data(), out.data(), count);
            JpegYCbCrHalfToBgr(ly.data() + count, lcb.data(), lcr.data(), out.data() + 3 * count, count);
            JpegYCbCrHalfToBgrPair(ly.data(), ly.data() + count, lcb.data(), lcr.data(), pair.data(),
                                   pair.data() + 3 * count, count);
            EXPECT_EQ(out.back(), 0xA5) << count;  // nothing written past the rows
            EXPECT_EQ(pair, out) << count;
            for (int i = 0; i < 2 * count; ++i) {
                int luma = ly[size_t(i)], b = lcb[size_t(i % count / 2)], r = lcr[size_t(i % count / 2)];
                ASSERT_EQ(out[size_t(3 * i)], clamp(luma + t.blueFromCb[b])) << count;
                ASSERT_EQ(out[size_t(3 * i + 1)], clamp(luma + ((t.greenFromCb[b] + t.greenFromCr[r]) >> 14)));
                ASSERT_EQ(out[size_t(3 * i + 2)], clamp(luma + t.redFromCr[r]));
            }
        }
    });
}

TEST(JpegQuantize, HalvesGoAwayFromZeroForEveryDivisor)
{
    BYTE base[64];
    for (int q = 1; q <= 255; ++q) {
        JpegQuantTable table;
        std::fill(base, base + 64, BYTE(q));
        table.Build(base, 50);  // scale 100: values unchanged
        int16_t block[64], out[64];
        for (int c = -2048; c <= 2048; c += 64) {
            for (int k = 0; k < 64; ++k) block[k] = int16_t(c + k);
            JpegQuantizeBlock(block, table, out);
            for (int k = 0; k < 64; ++k) {
                int v = c + k;
                int expected = v < 0 ? -((-v + q / 2) / q) : (v + q / 2) / q;
                ASSERT_EQ(out[k], expected) << v << " / " << q;
            }
        }
    }
}
