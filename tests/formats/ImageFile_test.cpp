// Format dispatch by extension and by save format index, and the messages
// that failed reads and writes end in.
#include "FormatTestSupport.h"

#include "formats/ImageFile.h"
#include "resources/resource.h"

#include <filesystem>

namespace {
Bytes TinyBmp()
{
    Bytes headers = InfoHeader(1, 1, 24);
    return BmpFile(headers, {1, 2, 3, 0});
}
}

TEST(ImageFileDispatch, TheLastDotsExtensionInAnyCaseChoosesTheReader)
{
    for (const char* name : {"PICTURE.BMP", "picture.bmp", "archive.tar.bmp", "x.Dib", "y.rle"}) {
        const std::string path = TempPath(name);
        WriteFileBytes(path, TinyBmp());
        XImage image;
        EXPECT_EQ(ReadImageFile(&image, path.c_str()), 0u) << name;
        EXPECT_TRUE(image.m_hBits) << name;
        std::remove(path.c_str());
    }
    for (const char* name : {"picture", "picture.bmp.txt", "picture.bm"}) {
        const std::string path = TempPath(name);
        WriteFileBytes(path, TinyBmp());
        XImage image;
        EXPECT_EQ(ReadImageFile(&image, path.c_str()), 0u) << name;
        EXPECT_FALSE(image.m_hBits) << name;
        std::remove(path.c_str());
    }
    EXPECT_EQ(LowerExtension("a.b/c"), "b/c");
    EXPECT_EQ(LowerExtension("NoDot"), "");
    EXPECT_EQ(SaveFormatForExtension("gif"), 5);
    EXPECT_EQ(SaveFormatForExtension("rle"), 9);
    EXPECT_EQ(SaveFormatForExtension("ico"), 0);
    EXPECT_STREQ(SaveFormatExtension(6), "gif");
    EXPECT_STREQ(SaveFormatExtension(11), "wpg");
    EXPECT_EQ(SaveFormatExtension(0), nullptr);
    EXPECT_STREQ(SaveFormatExtension(12), "png");  // after the original eleven
    EXPECT_EQ(SaveFormatExtension(13), nullptr);
}

TEST(ImageFileDispatch, EveryReaderRefusesAFileNotOfItsFormatWithItsMessage)
{
    const struct { const char* extension; UINT id; } cases[] = {
        {"bmp", IDS_UNSUPPORTED_BMP}, {"clp", IDS_UNSUPPORTED_CLP}, {"cur", IDS_UNSUPPORTED_CUR},
        {"dib", IDS_UNSUPPORTED_BMP}, {"fst", IDS_UNSUPPORTED_FST}, {"gif", IDS_UNSUPPORTED_GIF},
        {"ico", IDS_UNSUPPORTED_ICO}, {"jpg", IDS_UNSUPPORTED_JPG}, {"pcx", IDS_UNSUPPORTED_PCX}, {"png", IDS_UNSUPPORTED_PNG},
        {"rle", IDS_UNSUPPORTED_BMP}, {"tif", IDS_UNSUPPORTED_TIF}, {"wpg", IDS_UNSUPPORTED_WPG},
    };
    const Bytes text(200, 'x');
    for (const auto& c : cases) {
        for (const Bytes& content : {text, Bytes()}) {
            const std::string path = TempPath(std::string("not_an_image.") + c.extension);
            WriteFileBytes(path, content);
            XImage image;
            EXPECT_EQ(ReadImageFile(&image, path.c_str()), c.id) << c.extension << " " << content.size();
            EXPECT_FALSE(image.m_hBits) << c.extension;
            std::remove(path.c_str());
        }
        const std::string missing = TempPath(std::string("missing.") + c.extension);
        XImage image;
        EXPECT_EQ(ReadImageFile(&image, missing.c_str()), c.id) << c.extension;
    }
    // A folder named like an image is not one either.
    const std::string folder = TempPath("folder.bmp");
    std::filesystem::create_directory(folder);
    XImage fromFolder;
    EXPECT_EQ(ReadImageFile(&fromFolder, folder.c_str()), unsigned(IDS_UNSUPPORTED_BMP));
    EXPECT_FALSE(fromFolder.m_hBits);
    std::filesystem::remove(folder);
    // A claim beyond the pixel block limit is a shortage of memory.
    const std::string huge = TempPath("huge.bmp");
    WriteFileBytes(huge, BmpFile(InfoHeader(32768, 32768, 24), Bytes(12)));
    XImage image;
    EXPECT_EQ(ReadImageFile(&image, huge.c_str()), unsigned(IDS_INSUFFICIENT_MEMORY));
    std::remove(huge.c_str());
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
        {5, 24, IDS_GIF_NO_24BIT},    {6, 24, IDS_GIF_NO_24BIT}, {11, 24, IDS_WPG_NO_24BIT},
        {7, 4, IDS_JPG_NO_4BIT},      {7, 1, IDS_JPG_NO_4BIT},   {10, 16, IDS_UNSUPPORTED_TIF},
        {8, 16, IDS_UNSUPPORTED_PCX}, {4, 16, IDS_UNSUPPORTED_FST},
    };
    for (const auto& c : cases) {
        image.m_nBitCount = uint16_t(c.bitCount);
        EXPECT_EQ(WriteImageFile(image, target.c_str(), c.index), c.id) << c.index;
        EXPECT_FALSE(FileExists(target)) << c.index;
    }
    image.m_nBitCount = 24;
    EXPECT_EQ(WriteImageFile(image, target.c_str(), 13), 0u);
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(WriteImageFile(image, target.c_str(), 3), 0u);
    EXPECT_EQ(ReadFileBytes(target), TinyBmp());
    std::remove(target.c_str());
    std::remove(source.c_str());
}

TEST(ImageFileDispatch, AnFstSaveCarriesTheNoteInside)
{
    const std::string source = TempPath("note_source.bmp");
    WriteFileBytes(source, TinyBmp());
    XImage image;
    ASSERT_EQ(ReadImageFile(&image, source.c_str()), 0u);
    const std::string target = TempPath("note_target.fst");
    ASSERT_EQ(WriteImageFile(image, target.c_str(), kSaveFst, "hello"), 0u);
    const Bytes file = ReadFileBytes(target);
    EXPECT_EQ(Get32(file, 12), 5u);  // the note length field
    EXPECT_EQ(Bytes(file.end() - 5, file.end()), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    std::remove(target.c_str());
    std::remove(source.c_str());
}
