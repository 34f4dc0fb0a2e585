// Format dispatch by extension and by save format index.
#include "BmpTestFiles.h"

#include "formats/ImageFile.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {
Bytes TinyBmp()
{
    Bytes headers = InfoHeader(1, 1, 24);
    return BmpFile(headers, {1, 2, 3, 0});
}

bool Exists(const std::string& path)
{
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp) std::fclose(fp);
    return fp != nullptr;
}
}

TEST(ImageFileDispatch, TheLastDotsExtensionInAnyCaseChoosesTheReader)
{
    for (const char* name : {"PICTURE.BMP", "picture.bmp", "archive.tar.bmp", "x.Dib", "y.rle"}) {
        const std::string path = TempPath(name);
        WriteFileBytes(path, TinyBmp());
        XImage image;
        ReadImageFile(&image, path.c_str());
        EXPECT_TRUE(image.m_hBits) << name;
        std::remove(path.c_str());
    }
    for (const char* name : {"picture", "picture.bmp.txt", "picture.bm"}) {
        const std::string path = TempPath(name);
        WriteFileBytes(path, TinyBmp());
        XImage image;
        ReadImageFile(&image, path.c_str());
        EXPECT_FALSE(image.m_hBits) << name;
        EXPECT_EQ(image.m_nOriginId, 0u) << name;
        std::remove(path.c_str());
    }
    EXPECT_EQ(LowerExtension("a.b/c"), "b/c");
    EXPECT_EQ(LowerExtension("NoDot"), "");
    EXPECT_EQ(SaveFormatForExtension("gif"), 5);
    EXPECT_EQ(SaveFormatForExtension("rle"), 9);
    EXPECT_EQ(SaveFormatForExtension("ico"), 0);
}

TEST(ImageFileDispatch, RefusedSavesCreateNoFile)
{
    const std::string source = TempPath("dispatch_source.bmp");
    WriteFileBytes(source, TinyBmp());
    XImage image;
    ReadImageFile(&image, source.c_str());
    ASSERT_TRUE(image.m_hBits);
    const std::string target = TempPath("dispatch_target.out");
    std::remove(target.c_str());
    const struct { int index; int bitCount; UINT id; } cases[] = {
        {5, 24, IDS_GIF_NO_24BIT}, {6, 24, IDS_GIF_NO_24BIT}, {11, 24, IDS_WPG_NO_24BIT},
        {7, 4, IDS_JPG_NO_4BIT},   {7, 1, IDS_JPG_NO_4BIT},
    };
    for (const auto& c : cases) {
        image.m_nBitCount = uint16_t(c.bitCount);
        image.m_nOriginId = 0;
        WriteImageFile(&image, target.c_str(), c.index);
        EXPECT_EQ(image.m_nOriginId, c.id) << c.index;
        EXPECT_FALSE(Exists(target)) << c.index;
    }
    image.m_nBitCount = 24;
    image.m_nOriginId = 0;
    WriteImageFile(&image, target.c_str(), 12);
    EXPECT_EQ(image.m_nOriginId, 0u);
    EXPECT_FALSE(Exists(target));
    WriteImageFile(&image, target.c_str(), 3);
    EXPECT_EQ(ReadFileBytes(target), TinyBmp());
    std::remove(target.c_str());
    std::remove(source.c_str());
}
