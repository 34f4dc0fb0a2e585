// Merge and Flatten: placement, the blank band up to 1000, colour tables of
// the merged images, the reduction to 8 bits, and failure beyond the gate.
#include "ImageOpsTestSupport.h"

#include "resources/resource.h"

using namespace opstest;

namespace {
std::unique_ptr<XImage> PlacedSquare(int bits, int left, int top, uint32_t index, BYTE r, BYTE g, BYTE b)
{
    auto image = BlankImage(10, 10, bits);
    if (bits < 24) SetColor(*image, int(index), r, g, b);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            SetPixelAt(*image, x, y, bits == 24 ? uint32_t(r) << 16 | uint32_t(g) << 8 | b : index);
    image->m_rcPlace = RECT{left, top, left + 10, top + 10};
    return image;
}

struct StageLog {
    std::vector<MergeStage> stages;
    MergeStageSink Sink()
    {
        return [this](MergeStage stage) { stages.push_back(stage); };
    }
};
}

TEST(ImageOps, MergePaintsPlacedImagesOnTheBackground)
{
    auto bottom = PlacedSquare(1, 0, 0, 1, 255, 0, 0);
    auto top = PlacedSquare(4, 50, 50, 9, 0, 0, 255);
    StageLog log;
    ImageOpResult merged = MergeImages({bottom.get(), top.get()}, RGB(0, 255, 0), log.Sink());
    ASSERT_TRUE(merged);
    const XImage& result = *merged.image;
    EXPECT_EQ(result.m_nOriginId, unsigned(IDS_ORIGIN_MERGED));
    ASSERT_EQ(result.m_nWidth, 60);
    ASSERT_EQ(result.m_nHeight, 60);
    EXPECT_EQ(result.m_nBitCount, 8);  // three colours: reduced
    EXPECT_EQ(log.stages, (std::vector<MergeStage>{MergeStage::kScanning, MergeStage::kMerging}));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const uint32_t expected = x < 10 && y < 10 ? 0xFF0000u : x >= 50 && y >= 50 ? 0x0000FFu : 0x00FF00u;
            ASSERT_EQ(ShownColor(result, x, y), expected) << x << ", " << y;
        }

    // Later images cover earlier ones.
    auto over = PlacedSquare(24, 5, 5, 0, 1, 2, 3);
    ImageOpResult covered = MergeImages({bottom.get(), over.get()}, RGB(0, 0, 0), nullptr);
    ASSERT_TRUE(covered);
    EXPECT_EQ(ShownColor(*covered.image, 7, 7), 0x010203u);
    EXPECT_EQ(ShownColor(*covered.image, 4, 4), 0xFF0000u);
}

TEST(ImageOps, MergeBeyond1000KeepsTheBlankBand)
{
    auto image = PlacedSquare(8, 1200, 1300, 3, 10, 20, 30);
    ImageOpResult merged = MergeImages({image.get()}, RGB(255, 255, 0), nullptr);
    ASSERT_TRUE(merged);
    ASSERT_EQ(merged.image->m_nWidth, 210);
    ASSERT_EQ(merged.image->m_nHeight, 310);
    EXPECT_EQ(ShownColor(*merged.image, 199, 299), 0xFFFF00u);
    EXPECT_EQ(ShownColor(*merged.image, 200, 300), 0x0A141Eu);
    EXPECT_EQ(ShownColor(*merged.image, 209, 309), 0x0A141Eu);
}

TEST(ImageOps, FlattenUsesWhiteAndMergeBeyondTheGateFails)
{
    auto a = PlacedSquare(24, 0, 0, 0, 1, 1, 1);
    auto distant = PlacedSquare(24, 40000, 40000, 0, 2, 2, 2);
    StageLog log;
    EXPECT_EQ(MergeImages({a.get(), distant.get()}, RGB(0, 0, 0), log.Sink()).error, ImageOpError::kOutOfMemory);
    EXPECT_EQ(log.stages, std::vector<MergeStage>{MergeStage::kScanning});

    distant->m_rcPlace = RECT{20, 0, 30, 10};
    StageLog flattenLog;
    ImageOpResult flat = FlattenForPrinting({a.get(), distant.get()}, flattenLog.Sink());
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat.image->m_nOriginId, 0u);
    EXPECT_EQ(flat.image->m_nWidth, 30);
    EXPECT_EQ(ShownColor(*flat.image, 15, 5), 0xFFFFFFu);
    EXPECT_EQ(ShownColor(*flat.image, 25, 5), 0x020202u);
    EXPECT_EQ(flattenLog.stages, std::vector<MergeStage>{MergeStage::kScanning});
}
