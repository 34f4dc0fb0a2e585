// Zoom, Scale, Flip, Rotate, Crop and Frame against expectations worked out
// from the pixel positions, at every bit count and with widths that end in
// the middle of a byte.
#include "ImageOpsTestSupport.h"

#include "resources/resource.h"
#include "tests/framework/SimdLevels.h"

using namespace opstest;

namespace {
const int kBitCounts[] = {1, 4, 8, 24};

typedef std::pair<int, int> At;
}

TEST(ImageOps, ZoomInDoublesEveryBitOfA3x2OneBitImage)
{
    auto source = BlankImage(3, 2, 1);
    // Top row 1 0 1, bottom row 0 1 1.
    SetPixelAt(*source, 0, 0, 1);
    SetPixelAt(*source, 2, 0, 1);
    SetPixelAt(*source, 1, 1, 1);
    SetPixelAt(*source, 2, 1, 1);
    ImageOpResult zoomed = ZoomIn(*source);
    ASSERT_TRUE(zoomed);
    EXPECT_EQ(zoomed.image->m_nWidth, 6);
    EXPECT_EQ(zoomed.image->m_nHeight, 4);
    EXPECT_EQ(zoomed.image->m_nOriginId, unsigned(IDS_ORIGIN_ZOOM_IN));
    // Stored bottom-up, 4 bytes a row: 001111.. twice, then 110011.. twice.
    const BYTE expected[16] = {0x3C, 0, 0, 0, 0x3C, 0, 0, 0, 0xCC, 0, 0, 0, 0xCC, 0, 0, 0};
    ASSERT_EQ(zoomed.image->BitsSize(), sizeof expected);
    LockedBlock<BYTE> bits(zoomed.image->m_hBits);
    EXPECT_EQ(std::memcmp(bits.get(), expected, sizeof expected), 0);

    // Zoom Out halves, but never to nothing.
    ImageOpResult half = ZoomOut(*source);
    ASSERT_TRUE(half);
    EXPECT_EQ(half.image->m_nWidth, 1);
    EXPECT_EQ(half.image->m_nHeight, 1);
    ImageOpResult again = ZoomOut(*half.image);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.image->m_nWidth, 1);
    EXPECT_EQ(again.image->m_nHeight, 1);
}

TEST(ImageOps, ScaleEnlargesByWholeFactorsThenDropsEvenlySpacedLines)
{
    // Each pixel names its own position: red = column, green = row.
    auto source = BlankImage(100, 100, 24);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) SetPixelAt(*source, x, y, uint32_t(x) << 16 | uint32_t(y) << 8);

    // 150 x 50: columns doubled to 200, then every fourth dropped (4, 8, ...,
    // 196) and 199 beyond the 150 kept; stored rows 2, 4, ..., 98 dropped and
    // 99 beyond the 50 kept.
    ImageOpResult scaled = ScaleImage(*source, 150, 50);
    ASSERT_TRUE(scaled);
    const XImage& result = *scaled.image;
    EXPECT_EQ(result.m_nOriginId, unsigned(IDS_ORIGIN_ZOOM_IN));
    ASSERT_EQ(result.m_nWidth, 150);
    ASSERT_EQ(result.m_nHeight, 50);
    auto enlargedColumn = [](int j) { return j < 4 ? j : 4 * ((j - 4) / 3 + 1) + 1 + (j - 4) % 3; };
    auto storedRow = [](int i) { return i == 0 ? 0 : 2 * i - 1; };
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 150; ++x) {
            const int sourceColumn = enlargedColumn(x) / 2;
            const int sourceRow = 99 - storedRow(49 - y);  // stored rows count from the bottom
            ASSERT_EQ(PixelValue(result, x, y), uint32_t(sourceColumn) << 16 | uint32_t(sourceRow) << 8)
                << x << ", " << y;
        }

    ImageOpResult same = ScaleImage(*source, 100, 100);
    ASSERT_TRUE(same);
    EXPECT_EQ(same.image->m_nOriginId, unsigned(IDS_ORIGIN_ZOOM_OUT));
    EXPECT_TRUE(SameImage(*same.image, *source));
}

TEST(ImageOps, SizesBeyondTheAllocationGateFailCleanly)
{
    auto wide = BlankImage(65536, 1, 1);
    auto dot = BlankImage(1, 1, 24);
    // 65536 x 65536 pixels wraps to 0 in 32 bits.
    EXPECT_EQ(ZoomImage(*wide, 65536, 1).error, ImageOpError::kOutOfMemory);
    EXPECT_EQ(ZoomImage(*dot, 40000, 40000).error, ImageOpError::kOutOfMemory);
    EXPECT_EQ(ScaleImage(*dot, 65535, 65535).error, ImageOpError::kOutOfMemory);
    EXPECT_EQ(ScaleImage(*dot, 0x100000000LL, 1).error, ImageOpError::kOutOfMemory);
    FrameOptions huge = {};
    huge.frameWidth = 0x7FFFFFF0;
    EXPECT_EQ(FrameImage(*dot, huge).error, ImageOpError::kOutOfMemory);
    EXPECT_EQ(ScaleImage(*dot, 10, 0).error, ImageOpError::kEmptyResult);
    EXPECT_EQ(ZoomImage(*dot, 0, 1).error, ImageOpError::kEmptyResult);
}

TEST(ImageOps, FlipsAndRotationsMoveEveryPixelAtEveryBitCount)
{
    for (int bits : kBitCounts) {
        SCOPED_TRACE(bits);
        // 45 x 37 crosses the transposition tiles; 13 x 3 is small and odd;
        // 541 x 35 spans more than one block of result rows.
        for (At size : {At{45, 37}, At{13, 3}, At{541, 35}}) {
            const int w = size.first, h = size.second;
            auto source = RandomImage(w, h, bits, unsigned(bits + w));
            ForEachSimdLevel([&] {
                ImageOpResult left = RotateLeft(*source), right = RotateRight(*source);
                ImageOpResult mirrored = FlipHorizontal(*source), upsideDown = FlipVertical(*source);
                ASSERT_TRUE(left && right && mirrored && upsideDown);
                EXPECT_EQ(left.image->m_nWidth, h);
                EXPECT_EQ(left.image->m_nHeight, w);
                // Counter-clockwise: the source's right column becomes the top row.
                EXPECT_TRUE(PixelsFrom(*left.image, *source, [&](int x, int y) { return At{w - 1 - y, x}; }));
                EXPECT_TRUE(PixelsFrom(*right.image, *source, [&](int x, int y) { return At{y, h - 1 - x}; }));
                EXPECT_TRUE(PixelsFrom(*mirrored.image, *source, [&](int x, int y) { return At{w - 1 - x, y}; }));
                EXPECT_TRUE(PixelsFrom(*upsideDown.image, *source, [&](int x, int y) { return At{x, h - 1 - y}; }));
                EXPECT_EQ(left.image->m_nOriginId, unsigned(IDS_ORIGIN_ROTATE_LEFT));

                ImageOpResult back = RotateRight(*left.image);
                ASSERT_TRUE(back);
                EXPECT_TRUE(SameImage(*back.image, *source));
            });
        }
    }
}

TEST(ImageOps, CropTakesTheRectangleAtEveryBitCount)
{
    for (int bits : kBitCounts) {
        SCOPED_TRACE(bits);
        auto source = RandomImage(21, 9, bits, unsigned(bits));
        ImageOpResult cropped = CropImage(*source, RECT{3, 2, 16, 7});
        ASSERT_TRUE(cropped);
        EXPECT_EQ(cropped.image->m_nWidth, 13);
        EXPECT_EQ(cropped.image->m_nHeight, 5);
        EXPECT_TRUE(PixelsFrom(*cropped.image, *source, [](int x, int y) { return At{x + 3, y + 2}; }));
        EXPECT_TRUE(SameImage(*CropImage(*source, RECT{-5, -5, 99, 99}).image, *source));
    }
    auto source = RandomImage(8, 8, 8);
    EXPECT_EQ(CropImage(*source, RECT{4, 4, 4, 8}).error, ImageOpError::kEmptyResult);
    EXPECT_EQ(CropImage(*source, RECT{9, 0, 12, 8}).error, ImageOpError::kEmptyResult);
}

TEST(ImageOps, FrameSurroundsTheSourceWithMatAndFrameBands)
{
    FrameOptions options = {};
    options.frameWidth = 2;
    options.matWidth = 3;
    options.frame = RGB(200, 10, 10);
    options.mat = RGB(10, 10, 200);
    for (int bits : kBitCounts) {
        SCOPED_TRACE(bits);
        auto source = RandomImage(7, 4, bits, unsigned(bits));
        if (bits == 4 || bits == 8) {
            // Nearest entries: index 1 for the frame, 2 for the mat.
            for (int i = 0; i < (1 << bits); ++i) SetColor(*source, i, 128, 128, 128);
            SetColor(*source, 1, 190, 0, 20);
            SetColor(*source, 2, 0, 30, 210);
        }
        ImageOpResult framed = FrameImage(*source, options);
        ASSERT_TRUE(framed);
        const XImage& result = *framed.image;
        ASSERT_EQ(result.m_nWidth, 17);
        ASSERT_EQ(result.m_nHeight, 14);
        EXPECT_EQ(result.m_nBitCount, bits == 1 ? 24 : bits);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 17; ++x) {
                const int fromEdge = std::min(std::min(x, y), std::min(16 - x, 13 - y));
                uint32_t expected;
                if (fromEdge < 2)
                    expected = bits >= 4 && bits <= 8 ? 0xBE0014 : 0xC80A0A;
                else if (fromEdge < 5)
                    expected = bits >= 4 && bits <= 8 ? 0x001ED2 : 0x0A0AC8;
                else
                    expected = ShownColor(*source, x - 5, y - 5);
                ASSERT_EQ(ShownColor(result, x, y), expected) << x << ", " << y;
            }
    }
}
