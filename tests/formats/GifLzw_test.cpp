// The LZW stages against streams computed by hand or published with the
// GIF89a walk-throughs, and the sub-block framing of the encoder.
#include "formats/GifLzwDecoder.h"
#include "formats/GifLzwEncoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {
class VectorSink final : public GifByteSink {
public:
    void WriteBytes(const BYTE* bytes, size_t count) override { data.insert(data.end(), bytes, bytes + count); }
    std::vector<BYTE> data;
};

// The well-known 10 x 10 four-colour sample: minimum code size 2, one
// sub-block of 22 bytes.
const BYTE kSampleStream[] = {0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x1C, 0xDC, 0x33, 0xA0, 0x02, 0x75,
                              0xEC, 0x95, 0xFA, 0xA8, 0xDE, 0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01};
const char* const kSamplePixels[10] = {"1111122222", "1111122222", "1111122222", "1110000222", "1110000222",
                                       "2220000111", "2220000111", "2222211111", "2222211111", "2222211111"};

std::vector<BYTE> SamplePixels()
{
    std::vector<BYTE> pixels;
    for (const char* row : kSamplePixels)
        for (const char* p = row; *p; ++p) pixels.push_back(BYTE(*p - '0'));
    return pixels;
}

std::vector<BYTE> Encode(int minCodeSize, const std::vector<BYTE>& pixels)
{
    auto encoder = std::make_unique<GifLzwEncoder>();
    VectorSink sink;
    encoder->Begin(minCodeSize, &sink);
    encoder->AddPixels(pixels.data(), pixels.size());
    encoder->Finish();
    return sink.data;
}

// Strips the sub-block framing; fails the test on a malformed chain.
std::vector<BYTE> Unblock(const std::vector<BYTE>& blocks, std::vector<int>* lengths = nullptr)
{
    std::vector<BYTE> stream;
    size_t pos = 0;
    for (;;) {
        EXPECT_LT(pos, blocks.size());
        if (pos >= blocks.size()) break;
        int length = blocks[pos++];
        if (length == 0) break;
        EXPECT_LE(pos + size_t(length), blocks.size());
        if (pos + size_t(length) > blocks.size()) break;
        stream.insert(stream.end(), blocks.begin() + long(pos), blocks.begin() + long(pos) + length);
        pos += size_t(length);
        if (lengths) lengths->push_back(length);
    }
    EXPECT_EQ(pos, blocks.size()) << "bytes after the terminator";
    return stream;
}

std::vector<BYTE> Decode(int minCodeSize, const std::vector<BYTE>& stream, size_t count, size_t chunk)
{
    auto decoder = std::make_unique<GifLzwDecoder>();
    EXPECT_TRUE(decoder->Begin(minCodeSize, stream.data(), stream.size()));
    std::vector<BYTE> out(count);
    size_t done = 0;
    while (done < count) {
        size_t n = decoder->ReadPixels(out.data() + done, std::min(chunk, count - done));
        done += n;
        if (n == 0) break;
    }
    out.resize(done);
    return out;
}
}

TEST(GifLzw, EncoderReproducesPublishedSample)
{
    std::vector<BYTE> expected = {22};
    expected.insert(expected.end(), std::begin(kSampleStream), std::end(kSampleStream));
    expected.push_back(0);
    EXPECT_EQ(Encode(2, SamplePixels()), expected);
}

TEST(GifLzw, EncoderWritesHandComputedCodes)
{
    // Codes 4 (clear), 0, 6 = "00", 0, 5 (end), three bits each, LSB first.
    EXPECT_EQ(Encode(2, {0, 0, 0, 0}), (std::vector<BYTE>{2, 0x84, 0x51, 0}));
    // A single pixel: clear, the pixel, end.
    EXPECT_EQ(Encode(2, {1}), (std::vector<BYTE>{2, 0x4C, 0x01, 0}));
}

TEST(GifLzw, DecoderReadsPublishedSampleInAnyChunking)
{
    std::vector<BYTE> stream(std::begin(kSampleStream), std::end(kSampleStream));
    for (size_t chunk : {1u, 3u, 10u, 100u}) EXPECT_EQ(Decode(2, stream, 100, chunk), SamplePixels()) << chunk;
}

TEST(GifLzw, SubBlocksHold254Or255BytesAcrossCodeTableResets)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        int minCodeSize = trial % 2 ? 8 : 4;
        size_t count = 1 + random() % 40000;
        std::vector<BYTE> pixels(count);
        // Mostly noise (fills the code table and forces clear codes), with runs.
        int mask = (1 << minCodeSize) - 1;
        for (size_t i = 0; i < count; ++i) pixels[i] = BYTE(random() % 4 ? random() & mask : (i ? pixels[i - 1] : 0));
        std::vector<int> lengths;
        std::vector<BYTE> stream = Unblock(Encode(minCodeSize, pixels), &lengths);
        for (size_t i = 0; i + 1 < lengths.size(); ++i) ASSERT_GE(lengths[i], 254) << trial << " block " << i;
        ASSERT_EQ(Decode(minCodeSize, stream, count, 997), pixels) << trial;
    }
}

TEST(GifLzw, DecoderStopsAtDamage)
{
    // Clear, 1, then 7 while the next free code is 6: output ends after "1".
    // Codes 4, 1, 7 in three bits: 100 001 111 -> bits 0..8.
    std::vector<BYTE> damaged = {0xCC, 0x01};
    EXPECT_EQ(Decode(2, damaged, 10, 10), (std::vector<BYTE>{1}));
    // Clear, then the next free code (6) with no previous code.
    std::vector<BYTE> noPrevious = {0x34};
    EXPECT_TRUE(Decode(2, noPrevious, 10, 10).empty());
    // The stream ends inside a code: everything before it stays.
    std::vector<BYTE> sample(std::begin(kSampleStream), std::begin(kSampleStream) + 8);
    std::vector<BYTE> head = Decode(2, sample, 100, 100);
    ASSERT_GT(head.size(), 10u);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), SamplePixels().begin()));
    // Out-of-range minimum code sizes are refused.
    auto decoder = std::make_unique<GifLzwDecoder>();
    EXPECT_FALSE(decoder->Begin(0, damaged.data(), damaged.size()));
    EXPECT_FALSE(decoder->Begin(9, damaged.data(), damaged.size()));
}

TEST(GifLzw, DecoderKeeps12BitCodesWhenTableIsFull)
{
    // A deferred clear: an encoder may go on with 12-bit codes after the
    // table is full; they make no new entries. The stream below is written
    // code by code following the GIF89a rules: after a clear code, every
    // code but the first adds an entry, and the code size grows when the
    // next free code reaches 2^size, up to 12 bits.
    std::mt19937 random(3);
    std::vector<BYTE> pixels(6000), stream;
    uint32_t bits = 0;
    int bitCount = 0, size = 9, next = 258;
    auto put = [&](int code) {
        bits |= uint32_t(code) << bitCount;
        for (bitCount += size; bitCount >= 8; bitCount -= 8, bits >>= 8) stream.push_back(BYTE(bits));
    };
    put(256);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = BYTE(random());
        put(pixels[i]);
        if (i > 0 && next < 4096 && ++next == (1 << size) && size < 12) ++size;
    }
    put(257);
    if (bitCount) stream.push_back(BYTE(bits));
    EXPECT_EQ(Decode(8, stream, pixels.size(), 4096), pixels);
}

TEST(GifLzw, LastBlockNeverExceeds255Bytes)
{
    // These inputs leave 255 whole bytes in the block with bits of the end
    // code still pending: the end of the data needs a block of its own, or
    // a length of 256 would not fit its byte.
    const struct { int minCodeSize; size_t count; } cases[] = {{4, 2035}, {8, 1210}, {8, 1775}};
    for (const auto& c : cases) {
        std::mt19937 random(1);
        std::vector<BYTE> pixels(c.count);
        for (BYTE& p : pixels) p = BYTE(random() & ((1u << c.minCodeSize) - 1));
        std::vector<int> lengths;
        std::vector<BYTE> stream = Unblock(Encode(c.minCodeSize, pixels), &lengths);
        ASSERT_GE(lengths.size(), 2u);
        EXPECT_EQ(lengths[lengths.size() - 2], 255) << c.count;
        EXPECT_EQ(lengths.back(), 1) << c.count;
        EXPECT_EQ(Decode(c.minCodeSize, stream, c.count, c.count), pixels) << c.count;
    }
}

TEST(GifLzw, EncoderOutputStaysAsFirstWritten)
{
    // The encoder's exact bytes for fixed pictures (noise, runs and ramps,
    // several code table resets each), as FNV-1a hashes: a faster search
    // of the string table must not change a single byte, and the streams
    // still decode to the pixels.
    const struct { int minCodeSize; size_t count; uint64_t hash; } cases[] = {
        {2, 50000, 0x073D76D7FD8FE47Fu}, {4, 120000, 0x85C5846C15C55973u}, {8, 400000, 0x1D562D45D2E82D99u}};
    for (const auto& c : cases) {
        std::mt19937 random(unsigned(c.minCodeSize));
        const int mask = (1 << c.minCodeSize) - 1;
        std::vector<BYTE> pixels(c.count);
        for (size_t i = 0; i < c.count; ++i) {
            const size_t part = i / 5000 % 3;
            pixels[i] = part == 0   ? BYTE(random() & mask)
                        : part == 1 ? BYTE(random() % 8 ? pixels[i - 1] : random() & mask)
                                    : BYTE((i / 7 + (random() & 1)) & mask);
        }
        const std::vector<BYTE> encoded = Encode(c.minCodeSize, pixels);
        uint64_t hash = 0xCBF29CE484222325u;
        for (BYTE b : encoded) hash = (hash ^ b) * 0x100000001B3u;
        EXPECT_EQ(hash, c.hash) << c.minCodeSize << " bits: 0x" << std::hex << hash;
        EXPECT_EQ(Decode(c.minCodeSize, Unblock(encoded), c.count, 4096), pixels) << c.minCodeSize;
    }
}
