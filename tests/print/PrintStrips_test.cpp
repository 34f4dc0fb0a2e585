// Strip division of printed tiles and strip copies. The column count is
// checked against a literal search for the smallest count that fits; the
// copies against a pixel reader written for the test.
#include "print/PrintStrips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Byte count of the largest of n strips across w pixels laid out as the
// print sends them: the first w / n + 1 wide, the others one column more,
// the last clipped at w.
int64_t LargestStripBytes(int64_t w, int64_t h, int bits, int64_t n)
{
    if (n == 1) return StripRowBytes(w, bits) * h;
    int64_t largest = 0, nominal = w / n + 1;
    for (int64_t k = 0; k < n; ++k) {
        int64_t left = k == 0 ? 0 : k * nominal - 1;
        int64_t width = std::min(k == 0 ? nominal : nominal + 1, w - left);
        if (width <= 0) return INT64_MAX;
        largest = std::max(largest, StripRowBytes(width, bits) * h);
    }
    return largest;
}

// The smallest n from 1 up for which every strip, each non-empty, fits
// 65535 bytes.
int64_t SearchColumns(int64_t w, int64_t h, int bits)
{
    for (int64_t n = 1;; ++n)
        if (LargestStripBytes(w, h, bits, n) <= 65535) return n;
}

// Strips of a plan cover every pixel of the tile, overlap their left
// neighbour by one column at most, and each fits 65535 bytes.
void ExpectStripsCoverTile(const StripPlan& plan, int bits)
{
    std::vector<int64_t> rowsPerColumn(size_t(plan.tileWidth), 0);
    int64_t previousRight = 0;
    for (int64_t i = 0; i < plan.count; ++i) {
        PrintStrip strip = StripAt(plan, i);
        ASSERT_GT(strip.width, 0);
        ASSERT_GT(strip.height, 0);
        ASSERT_LE(StripRowBytes(strip.width, bits) * strip.height, 65535);
        ASSERT_LE(strip.left + strip.width, plan.tileWidth);
        ASSERT_LE(strip.top + strip.height, plan.tileHeight);
        // A strip after the first of its band repeats its neighbour's
        // last column; count each column once.
        int64_t firstNew = strip.left;
        if (i % plan.columns > 0) {
            ASSERT_EQ(strip.left, previousRight - 1) << i;
            ++firstNew;
        }
        previousRight = strip.left + strip.width;
        for (int64_t x = firstNew; x < previousRight; ++x) rowsPerColumn[size_t(x)] += strip.height;
    }
    for (int64_t rows : rowsPerColumn) ASSERT_EQ(rows, plan.tileHeight);
}

// Pixel (x, y from the top) of a bottom-up DIB as its index or packed RGB.
uint32_t PixelAt(const std::vector<BYTE>& bits, int64_t width, int64_t height, int bpp, int64_t x, int64_t y)
{
    int64_t stride = (width * bpp + 31) / 32 * 4;
    const BYTE* row = bits.data() + (height - 1 - y) * stride;
    switch (bpp) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    case 8: return row[x];
    default: return row[3 * x] | row[3 * x + 1] << 8 | uint32_t(row[3 * x + 2]) << 16;
    }
}

}  // namespace

TEST(PrintStrips, ColumnCountIsTheSmallestThatFits)
{
    for (int bits : {1, 4, 8, 24})
        for (int64_t h : {1, 7, 100, 817, 2731, 8191})
            for (int64_t w : {1, 2, 3, 31, 32, 33, 255, 1000, 4789})
                ASSERT_EQ(PlanStrips(w, h, bits).columns, SearchColumns(w, h, bits)) << w << "x" << h << "@" << bits;
    // A 24-bit tile 1000 × 2731 rows: 65535 / 2731 leaves 20 bytes a row,
    // 6 pixels. The widened strips, w / n + 2 pixels, must stay within 6,
    // so n = 201 with strips of 5 and 6 pixels. The count from w / n + 1
    // alone, 167, would send 7-pixel strips of 24 × 2731 = 65544 bytes.
    StripPlan plan = PlanStrips(1000, 2731, 24);
    EXPECT_EQ(plan.columns, 201);
    EXPECT_EQ(plan.stripWidth, 5);
    EXPECT_EQ(plan.bands, 1);
    ExpectStripsCoverTile(plan, 24);
    ExpectStripsCoverTile(PlanStrips(4789, 817, 4), 4);
    ExpectStripsCoverTile(PlanStrips(33, 8191, 24), 24);
    StripPlan one = PlanStrips(64, 64, 8);
    EXPECT_EQ(one.count, 1);
    EXPECT_EQ(StripAt(one, 0).width, 64);
}

TEST(PrintStrips, TallTilesEndInBands)
{
    // Above 16383 rows not even a one-pixel strip fits; above 8191 no
    // strip widened for the overlap does. Such tiles are cut into bands of
    // at most 8191 rows as well.
    for (int bits : {1, 24}) {
        for (int64_t h : {8192, 16384, 40000}) {
            StripPlan plan = PlanStrips(50, h, bits);
            EXPECT_EQ(plan.bands, (h + 8190) / 8191);
            EXPECT_EQ(StripAt(plan, plan.count - 1).height, h - (plan.bands - 1) * 8191);
            ExpectStripsCoverTile(plan, bits);
        }
    }
    EXPECT_EQ(PlanStrips(0, 40000, 8).count, 0);
    EXPECT_EQ(PlanStrips(10, 0, 8).count, 0);
}

TEST(PrintStrips, CopiesRepackSubBytePixelsFromTheStripsFirstColumn)
{
    const int64_t width = 37, height = 11;
    for (int bpp : {1, 4, 8, 24}) {
        int64_t stride = (width * bpp + 31) / 32 * 4;
        std::vector<BYTE> image(size_t(stride * height));
        for (size_t i = 0; i < image.size(); ++i) image[i] = BYTE(i * 73 + 19);
        for (PrintStrip rect : {PrintStrip{0, 0, width, height}, PrintStrip{3, 2, 13, 5}, PrintStrip{9, 0, 28, 11},
                                PrintStrip{36, 10, 1, 1}}) {
            std::vector<BYTE> strip;
            ASSERT_TRUE(CopyStripPixels(image.data(), image.size(), width, height, bpp, rect, strip));
            ASSERT_EQ(int64_t(strip.size()), (rect.width * bpp + 31) / 32 * 4 * rect.height);
            for (int64_t y = 0; y < rect.height; ++y)
                for (int64_t x = 0; x < rect.width; ++x)
                    ASSERT_EQ(PixelAt(strip, rect.width, rect.height, bpp, x, y),
                              PixelAt(image, width, height, bpp, rect.left + x, rect.top + y))
                        << bpp << " bpp at " << rect.left + x << "," << rect.top + y;
        }
        std::vector<BYTE> strip;
        EXPECT_FALSE(CopyStripPixels(image.data(), image.size(), width, height, bpp, {30, 0, 8, 1}, strip));
        EXPECT_FALSE(CopyStripPixels(image.data(), image.size(), width, height, bpp, {0, 5, 1, 7}, strip));
        EXPECT_FALSE(CopyStripPixels(image.data(), image.size() - 1, width, height, bpp, {0, 0, 1, 1}, strip));
        EXPECT_TRUE(strip.empty());
    }
}
