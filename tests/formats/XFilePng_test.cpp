// The PNG codec on each vector path the processor has: the same file out
// of the writer, and the same pixels out of the reader for every filter
// type on 3- and 4-byte pixels. The filtered rows here are made by the
// standard's formulas written out in the test, not by the code under test.
#include "formats/XFilePng.h"

#include "formats/Deflate.h"
#include "formats/PngChunks.h"
#include "tests/formats/FormatTestSupport.h"
#include "tests/framework/SimdLevels.h"

#include <cstdlib>

namespace {
void AppendChunk(Bytes& file, const char* type, const Bytes& data)
{
    BYTE field[4];
    StoreBigU32(field, uint32_t(data.size()));
    file.insert(file.end(), field, field + 4);
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    file.insert(file.end(), body.begin(), body.end());
    StoreBigU32(field, UpdateCrc32(0, body.data(), body.size()));
    file.insert(file.end(), field, field + 4);
}

int PaethPredictor(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// A PNG of the top-down samples (channels 3: RGB, 4: RGBA), row y filtered
// with type y % 5.
Bytes FilteredPng(const Bytes& samples, int width, int height, int channels)
{
    const size_t rowBytes = size_t(width) * channels;
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = &samples[y * rowBytes];
        const BYTE* above = y ? row - rowBytes : nullptr;
        const int type = y % 5;
        raw.push_back(BYTE(type));
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= size_t(channels) ? row[i - channels] : 0, b = above ? above[i] : 0;
            const int c = above && i >= size_t(channels) ? above[i - channels] : 0;
            const int prediction = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? PaethPredictor(a, b, c) : 0;
            raw.push_back(BYTE(row[i] - prediction));
        }
    }
    Bytes file(kPngSignature, kPngSignature + 8), header(13, 0), compressed;
    StoreBigU32(&header[0], uint32_t(width));
    StoreBigU32(&header[4], uint32_t(height));
    header[8] = 8;
    header[9] = channels == 3 ? 2 : 6;
    AppendChunk(file, "IHDR", header);
    DeflateZlib(raw.data(), raw.size(), compressed);
    AppendChunk(file, "IDAT", compressed);
    AppendChunk(file, "IEND", Bytes());
    return file;
}
}

TEST(XFilePng, EveryFilterTypeReadsAlikeOnEveryVectorPath)
{
    const int width = 67, height = 20;
    std::mt19937 random(5);
    for (int channels : {3, 4}) {
        // Few distinct values, so that the Paeth predictor meets its ties.
        Bytes samples(size_t(width) * height * channels);
        for (BYTE& s : samples) s = BYTE(random() % 4 * 85);
        Bytes expected;
        for (size_t i = 0; i < samples.size(); i += channels) {
            const int alpha = channels == 4 ? samples[i + 3] : 255;
            for (int k = 0; k < 3; ++k) expected.push_back(BYTE((samples[i + k] * alpha + 255 * (255 - alpha) + 127) / 255));
        }
        const Bytes file = FilteredPng(samples, width, height, channels);
        ForEachSimdLevel([&] {
            SCOPED_TRACE(channels);
            const std::unique_ptr<XImage> image = DecodeWith<XFilePng>(file);
            ASSERT_TRUE(image->m_hBits);
            EXPECT_EQ(TopDownSamples(*image), expected);
        });
    }
}

TEST(XFilePng, EveryVectorPathWritesTheSameFileAndReadsItBack)
{
    // Flat stretches and noise, an odd width for the row tails, and more
    // rows than the reader's inflate window holds, so that it slides.
    XImage image;
    std::mt19937 random(9);
    FillImage(image, 701, 160, 24, [&](int x, int y, BYTE* p) {
        const bool noisy = (x / 50 + y / 10) % 3 == 0;
        for (int k = 0; k < 3; ++k) p[k] = noisy ? BYTE(random()) : BYTE(40 * k + y / 10);
    });
    ForceSimdLevel(SimdLevel::kScalar);
    Bytes scalar;
    ASSERT_EQ(XFilePng().Encode(image, scalar), PngError::None);
    ForEachSimdLevel([&] {
        Bytes file;
        ASSERT_EQ(XFilePng().Encode(image, file), PngError::None);
        EXPECT_EQ(file, scalar);
        const std::unique_ptr<XImage> back = DecodeWith<XFilePng>(file);
        EXPECT_TRUE(SameImage(*back, image));
    });
}

TEST(XFilePng, ALongStreamIsSplitIntoChunksOfAtMostOneMebibyte)
{
    // Noise compresses to about its own size: over two chunks' worth.
    XImage image;
    std::mt19937 random(4);
    FillImage(image, 1000, 800, 24, [&](int, int, BYTE* p) {
        for (int k = 0; k < 3; ++k) p[k] = BYTE(random());
    });
    Bytes file;
    ASSERT_EQ(XFilePng().Encode(image, file), PngError::None);
    PngChunkReader reader(file.data() + 8, file.size() - 8);
    std::vector<uint32_t> idatLengths;
    for (PngChunk chunk; reader.Next(chunk);)
        if (std::string(chunk.type) == "IDAT") idatLengths.push_back(chunk.length);
    EXPECT_FALSE(reader.Damaged());
    ASSERT_EQ(idatLengths.size(), 3u);
    EXPECT_EQ(idatLengths[0], 1u << 20);
    EXPECT_EQ(idatLengths[1], 1u << 20);
    const std::unique_ptr<XImage> back = DecodeWith<XFilePng>(file);
    ASSERT_TRUE(back);
    EXPECT_TRUE(SameImage(*back, image));
}
