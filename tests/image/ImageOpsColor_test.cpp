// Grayscale, Black & White, Erase, Change Color, Count Colors and Reduce
// Colors against hand-computed values.
#include "ImageOpsTestSupport.h"

#include "resources/resource.h"
#include "tests/framework/SimdLevels.h"

#include <set>

using namespace opstest;

namespace {
uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A 24-bit image showing colors[i] at pixel i, left to right, top to bottom.
std::unique_ptr<XImage> TrueColorImage(int width, int height, const std::vector<uint32_t>& colors)
{
    auto image = BlankImage(width, height, 24);
    for (size_t i = 0; i < colors.size(); ++i) SetPixelAt(*image, int(i % width), int(i / width), colors[i]);
    return image;
}
}

TEST(ImageOps, GrayscaleWeighsRedGreenBlue30_54_11)
{
    // (30 r + 54 g + 11 b) / 100, except that grays keep their level.
    const uint32_t colors[] = {Rgb(255, 255, 255), Rgb(255, 255, 254), Rgb(0, 0, 255), Rgb(255, 0, 0), Rgb(7, 7, 7)};
    const uint32_t grays[] = {255, 242, 28, 76, 7};
    auto trueColor = TrueColorImage(5, 1, std::vector<uint32_t>(std::begin(colors), std::end(colors)));
    auto indexed = BlankImage(5, 1, 8);
    auto packed = BlankImage(5, 1, 4);
    for (int i = 0; i < 5; ++i) {
        const int index = 10 + i;
        SetColor(*indexed, index, BYTE(colors[i] >> 16), BYTE(colors[i] >> 8), BYTE(colors[i]));
        SetPixelAt(*indexed, i, 0, uint32_t(index));
        SetColor(*packed, index, BYTE(colors[i] >> 16), BYTE(colors[i] >> 8), BYTE(colors[i]));
        SetPixelAt(*packed, i, 0, uint32_t(index));
    }
    for (const XImage* source : {trueColor.get(), indexed.get(), packed.get()}) {
        SCOPED_TRACE(source->m_nBitCount);
        ImageOpResult gray = Grayscale(*source);
        ASSERT_TRUE(gray);
        EXPECT_EQ(gray.image->m_nBitCount, source->m_nBitCount == 4 ? 4 : 8);
        EXPECT_EQ(gray.image->m_nOriginId, unsigned(IDS_ORIGIN_GRAYSCALE));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(ShownColor(*gray.image, i, 0), grays[i] * 0x010101u) << i;
    }
    // The 24-bit pixel loop agrees with GrayOf across the colour cube, on
    // every vector path.
    std::vector<uint32_t> cube;
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 3)
            for (int b = 0; b < 256; b += 7) cube.push_back(Rgb(r, g, b));
    auto many = TrueColorImage(int32_t(cube.size()), 1, cube);
    ForEachSimdLevel([&] {
        ImageOpResult gray = Grayscale(*many);
        ASSERT_TRUE(gray);
        for (size_t i = 0; i < cube.size(); ++i)
            ASSERT_EQ(ShownColor(*gray.image, int32_t(i), 0),
                      GrayOf(BYTE(cube[i] >> 16), BYTE(cube[i] >> 8), BYTE(cube[i])) * 0x010101u) << i;
    });
    // So do the 8-bit index mappings, on noise and on runs of one index,
    // and a gray image stays as it is.
    auto random = RandomImage(301, 5, 8, 11);
    for (int x = 0; x < 301; ++x) SetPixelAt(*random, x, 2, uint32_t(x / 40 * 37 + 128) % 256);
    ForEachSimdLevel([&] {
        ImageOpResult gray = Grayscale(*random);
        ASSERT_TRUE(gray);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 301; ++x) {
                const RGBQUAD c = ColorAt(*random, int(PixelValue(*random, x, y)));
                ASSERT_EQ(ShownColor(*gray.image, x, y), GrayOf(c.rgbRed, c.rgbGreen, c.rgbBlue) * 0x010101u) << x;
            }
        ImageOpResult again = Grayscale(*gray.image);
        ASSERT_TRUE(again);
        EXPECT_TRUE(SameImage(*again.image, *gray.image));
    });
}

TEST(ImageOps, BlackAndWhiteFollowsTheNearestStandardColour)
{
    // White only for gray (128,128,128) and silver (192,192,192).
    BlackWhiteOptions table = {};
    table.map[7] = table.map[8] = 1;
    const uint32_t colors[] = {Rgb(130, 125, 131), Rgb(200, 200, 185), Rgb(250, 10, 10), Rgb(240, 240, 240),
                               Rgb(20, 20, 20)};
    const uint32_t expected[] = {0xFFFFFF, 0xFFFFFF, 0, 0, 0};
    auto trueColor = TrueColorImage(5, 1, std::vector<uint32_t>(std::begin(colors), std::end(colors)));
    auto indexed = BlankImage(5, 1, 8);
    for (int i = 0; i < 5; ++i) {
        SetColor(*indexed, 20 * i, BYTE(colors[i] >> 16), BYTE(colors[i] >> 8), BYTE(colors[i]));
        SetPixelAt(*indexed, i, 0, uint32_t(20 * i));
    }
    for (const XImage* source : {trueColor.get(), indexed.get()}) {
        ImageOpResult bw = BlackAndWhite(*source, table);
        ASSERT_TRUE(bw);
        EXPECT_EQ(bw.image->m_nBitCount, 1);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(ShownColor(*bw.image, i, 0), expected[i]) << i;
    }
}

TEST(ImageOps, EraseWhitensTheRectangleWithTheWhitestEntry)
{
    RGBQUAD table[16] = {};
    table[5] = RGBQUAD{250, 250, 250, 0};
    table[9] = RGBQUAD{255, 255, 255, 0};
    EXPECT_EQ(EraseIndex(table, 16), 5);
    // None at 247 or more in every component: the nearest to white.
    table[5] = RGBQUAD{255, 246, 255, 0};
    table[9] = RGBQUAD{240, 240, 240, 0};
    table[12] = RGBQUAD{255, 200, 255, 0};
    EXPECT_EQ(EraseIndex(table, 16), 5);
    table[5] = RGBQUAD{200, 255, 255, 0};
    EXPECT_EQ(EraseIndex(table, 16), 9);

    const RECT rc{3, 1, 8, 4};
    for (int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        auto source = RandomImage(11, 5, bits, unsigned(bits));
        if (bits < 24) {
            for (int i = 0; i < (1 << bits); ++i) SetColor(*source, i, 0, 0, 0);
            SetColor(*source, 1, 255, 255, 255);
        }
        ImageOpResult erased = EraseImage(*source, rc);
        ASSERT_TRUE(erased);
        EXPECT_EQ(erased.image->m_nOriginId, unsigned(IDS_ORIGIN_ERASE));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x) {
                const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
                const uint32_t white = bits == 24 ? 0xFFFFFFu : 1u;
                EXPECT_EQ(PixelValue(*erased.image, x, y), inside ? white : PixelValue(*source, x, y)) << x << ", " << y;
            }
    }
}

TEST(ImageOps, ChangeColorReplacesThePickedColour)
{
    auto trueColor = TrueColorImage(3, 2, {Rgb(1, 2, 3), Rgb(9, 9, 9), Rgb(1, 2, 3), Rgb(1, 2, 4)});
    // An image left at (50, 40) by Delete Image: canvas points map through its placement.
    trueColor->m_rcPlace = RECT{50, 40, 53, 42};
    POINT pixel{};
    EXPECT_FALSE(ImagePixelFromCanvas(*trueColor, POINT{2, 1}, &pixel));
    ASSERT_TRUE(ImagePixelFromCanvas(*trueColor, POINT{52, 40}, &pixel));
    COLORREF picked = 0;
    ASSERT_TRUE(ColorAtPixel(*trueColor, pixel, &picked));
    EXPECT_EQ(picked, RGB(1, 2, 3));
    EXPECT_FALSE(ColorAtPixel(*trueColor, POINT{3, 0}, &picked));

    ImageOpResult changed = ChangeColor(*trueColor, RGB(1, 2, 3), RGB(200, 100, 50));
    ASSERT_TRUE(changed);
    EXPECT_EQ(PixelValue(*changed.image, 0, 0), Rgb(200, 100, 50));
    EXPECT_EQ(PixelValue(*changed.image, 1, 0), Rgb(9, 9, 9));
    EXPECT_EQ(PixelValue(*changed.image, 2, 0), Rgb(200, 100, 50));
    EXPECT_EQ(PixelValue(*changed.image, 0, 1), Rgb(1, 2, 4));
    EXPECT_EQ(PixelValue(*trueColor, 0, 0), Rgb(1, 2, 3));  // the source stays
    EXPECT_EQ(ChangeColor(*trueColor, RGB(1, 2, 3), RGB(1, 2, 3)).error, ImageOpError::kNoColorChange);

    auto indexed = BlankImage(2, 1, 8);
    SetColor(*indexed, 4, 7, 7, 7);
    SetColor(*indexed, 6, 7, 7, 7);
    ImageOpResult table = ChangeColor(*indexed, RGB(7, 7, 7), RGB(0, 255, 0));
    ASSERT_TRUE(table);
    EXPECT_TRUE(IsColor(ColorAt(*table.image, 4), 0, 255, 0));
    EXPECT_TRUE(IsColor(ColorAt(*table.image, 6), 7, 7, 7));
}

TEST(ImageOps, CountColorsCountsDistinctValues)
{
    std::vector<uint32_t> colors;
    std::set<uint32_t> distinct;
    for (int i = 0; i < 40 * 30; ++i) {
        // Repeats, and blue values spread over many of the per-blue sets.
        const uint32_t color = Rgb(i % 7, (i * 13) % 256, (i * 31) % 97);
        colors.push_back(color);
        distinct.insert(color);
    }
    uint32_t count = 0;
    EXPECT_EQ(CountColors(*TrueColorImage(40, 30, colors), &count), ImageOpError::kNone);
    EXPECT_EQ(count, distinct.size());

    auto indexed = BlankImage(5, 3, 4);
    SetPixelAt(*indexed, 4, 2, 15);
    SetPixelAt(*indexed, 1, 0, 7);
    EXPECT_EQ(CountColors(*indexed, &count), ImageOpError::kNone);
    EXPECT_EQ(count, 3u);  // 0, 7 and 15
}

TEST(ImageOps, ReduceColorsKeepsAtMost16Or256)
{
    // 8 -> 4: used indices renumbered in ascending order.
    auto indexed = BlankImage(3, 1, 8);
    const int used[] = {3, 200, 17};
    for (int i = 0; i < 3; ++i) {
        SetColor(*indexed, used[i], BYTE(used[i]), 1, 2);
        SetPixelAt(*indexed, i, 0, uint32_t(used[i]));
    }
    ImageOpResult four = ReduceColors(*indexed);
    ASSERT_TRUE(four);
    EXPECT_EQ(four.image->m_nBitCount, 4);
    EXPECT_EQ(four.image->m_nOriginId, unsigned(IDS_ORIGIN_REDUCE_COLOR));
    EXPECT_EQ(PixelValue(*four.image, 0, 0), 0u);
    EXPECT_EQ(PixelValue(*four.image, 1, 0), 2u);
    EXPECT_EQ(PixelValue(*four.image, 2, 0), 1u);
    EXPECT_TRUE(IsColor(ColorAt(*four.image, 2), 200, 1, 2));
    auto seventeen = BlankImage(17, 1, 8);
    for (int i = 0; i < 17; ++i) SetPixelAt(*seventeen, i, 0, uint32_t(i * 5));
    EXPECT_EQ(ReduceColors(*seventeen).error, ImageOpError::kMoreThan16Colors);

    // 24 -> 8: the table in order of first appearance, bottom row first.
    std::vector<uint32_t> colors;
    for (int i = 0; i < 256; ++i) colors.push_back(Rgb(i, 255 - i, i / 2));
    for (int i = 0; i < 256; ++i) colors.push_back(colors[size_t(i * 7 % 256)]);
    auto full = TrueColorImage(32, 16, colors);  // bottom row: the last 32 pixels
    ImageOpResult eight = ReduceColors(*full);
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight.image->m_nBitCount, 8);
    EXPECT_EQ(PixelValue(*eight.image, 0, 15), 0u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(ShownColor(*eight.image, x, y), PixelValue(*full, x, y));
    SetPixelAt(*full, 5, 5, Rgb(1, 1, 1));  // a new colour over one that recurs below: 257
    EXPECT_EQ(ReduceColors(*full).error, ImageOpError::kMoreThan256Colors);
}
