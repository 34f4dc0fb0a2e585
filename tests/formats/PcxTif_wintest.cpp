// PCX, FST, TIFF and WPG in the 32-bit Windows build: the PCX header records
// the display size, and files written through the Windows C runtime read
// back identically (hand-computed bytes are checked by the host tests).
#include "formats/XFileFst.h"
#include "formats/XFilePcx.h"
#include "formats/XFileTif.h"
#include "formats/XFileWpg.h"

#include "FormatTestSupport.h"

namespace {
template <typename C>
::testing::AssertionResult RoundTrips(const XImage& image, const char* path)
{
    if (C().WriteImage(image, path) != C::Error::None) return ::testing::AssertionFailure() << "write failed";
    XImage back;
    C().ReadImage(&back, path);
    std::remove(path);
    return SameImage(image, back);
}
}

TEST(PcxTifWin32, PcxHeaderRecordsTheDisplaySize)
{
    auto image = RandomImage(16, 2, 8);
    const char* path = "kestrel_wintest_display.pcx";
    ASSERT_EQ(XFilePcx().WriteImage(*image, path), PcxError::None);
    BYTE header[128] = {};
    std::FILE* f = std::fopen(path, "rb");
    ASSERT_TRUE(f);
    ASSERT_EQ(std::fread(header, 1, sizeof header, f), sizeof header);
    std::fclose(f);
    std::remove(path);
    EXPECT_EQ(header[12] | (header[13] << 8), GetSystemMetrics(SM_CXSCREEN) & 0xFFFF);
    EXPECT_EQ(header[14] | (header[15] << 8), GetSystemMetrics(SM_CYSCREEN) & 0xFFFF);
}

TEST(PcxTifWin32, EveryFormatRoundTrips)
{
    for (int bits : {1, 4, 8, 24}) {
        auto image = RandomImage(37, 9, bits, unsigned(bits));
        if (bits == 1) {
            SetColor(*image, 0, 0, 0, 0);
            SetColor(*image, 1, 255, 255, 255);
        }
        EXPECT_TRUE(RoundTrips<XFilePcx>(*image, "kestrel_wintest.pcx")) << bits;
        EXPECT_TRUE(RoundTrips<XFileFst>(*image, "kestrel_wintest.fst")) << bits;
        EXPECT_TRUE(RoundTrips<XFileTif>(*image, "kestrel_wintest.tif")) << bits;
        if (bits != 24) {
            EXPECT_TRUE(RoundTrips<XFileWpg>(*image, "kestrel_wintest.wpg")) << bits;
        }
    }
}
