// FST: the run coding against hand-computed bytes, the file layout with and
// without a note, the note locator, and refusal of inconsistent headers.
#include "formats/XFileFst.h"

#include "FormatTestSupport.h"

namespace {
std::vector<BYTE> Encoded(const std::vector<BYTE>& in)
{
    std::vector<BYTE> out(2 * in.size() + 1);
    out.resize(XFileFst::Encode(in.data(), in.size(), out.data()));
    return out;
}

std::vector<BYTE> WriteFst(const XImage& image, const std::string& name, const std::string& note = std::string())
{
    const std::string path = TempPath(name);
    EXPECT_EQ(XFileFst().WriteImage(image, path.c_str(), note.data(), note.size()), FstError::None);
    return ReadFileBytes(path);
}

// A 1-bit 8x1 file: header, 48-byte header block, data.
std::vector<BYTE> SmallFst(const std::vector<BYTE>& data, uint32_t noteLength = 0)
{
    std::vector<BYTE> f = {0x01, 0xFF, 8, 0, 1, 0, 1, 0};
    const uint32_t d = uint32_t(data.size());
    for (int i = 0; i < 4; ++i) f.push_back(BYTE(d >> (8 * i)));
    for (int i = 0; i < 4; ++i) f.push_back(BYTE(noteLength >> (8 * i)));
    f.resize(16 + 48, 0);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}
}

TEST(XFileFst, RunCodingMatchesHandCodedBytes)
{
    EXPECT_EQ(Encoded({}), (std::vector<BYTE>{0}));
    EXPECT_EQ(Encoded({5}), (std::vector<BYTE>{0x81, 5, 0}));
    EXPECT_EQ(Encoded({7, 7}), (std::vector<BYTE>{0x82, 7, 0}));
    EXPECT_EQ(Encoded({1, 2, 3, 3, 3, 4}), (std::vector<BYTE>{2, 1, 2, 0x83, 3, 0x81, 4, 0}));
    EXPECT_EQ(Encoded(std::vector<BYTE>(128, 9)), (std::vector<BYTE>{0xFF, 9, 0x81, 9, 0}));

    std::vector<BYTE> distinct(200);
    for (size_t i = 0; i < distinct.size(); ++i) distinct[i] = BYTE(i);
    std::vector<BYTE> expected = {127};
    expected.insert(expected.end(), distinct.begin(), distinct.begin() + 127);
    expected.push_back(73);
    expected.insert(expected.end(), distinct.begin() + 127, distinct.end());
    expected.push_back(0);
    EXPECT_EQ(Encoded(distinct), expected);
}

TEST(XFileFst, AllZeroOneBitImageIsRunsOf127)
{
    auto image = RandomImage(32, 40, 1);
    {
        LockedBlock<BYTE> bits(image->m_hBits);
        for (size_t i = 0; i < image->BitsSize(); ++i) bits.get()[i] = 0;
    }
    SetColor(*image, 1, 255, 255, 255);
    auto file = WriteFst(*image, "zero.fst");
    // 160 zero bytes: 127 + 33, then the closing 0.
    ASSERT_EQ(file.size(), 16u + 48 + 5);
    EXPECT_EQ(Get16(file, 0), 0xFF01u);
    EXPECT_EQ(Get16(file, 2), 32u);
    EXPECT_EQ(Get16(file, 4), 40u);
    EXPECT_EQ(Get16(file, 6), 1u);
    EXPECT_EQ(Get32(file, 8), 5u);
    EXPECT_EQ(Get32(file, 12), 0u);
    EXPECT_EQ(Get32(file, 16), 40u);  // the header block as held
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 64, file.end()), (std::vector<BYTE>{0xFF, 0, 0xA1, 0, 0}));
    EXPECT_TRUE(SameImage(*image, *DecodeWith<XFileFst>(file)));
}

TEST(XFileFst, TwentyFourBitPixelsAreStoredAsHeld)
{
    auto image = RandomImage(5, 3, 24);
    auto file = WriteFst(*image, "plain24.fst");
    ASSERT_EQ(file.size(), 16u + 40 + 16 * 3);
    EXPECT_EQ(Get32(file, 8), 48u);
    LockedBlock<BYTE> bits(image->m_hBits);
    EXPECT_EQ(std::vector<BYTE>(file.begin() + 56, file.end()), std::vector<BYTE>(bits.get(), bits.get() + 48));
}

TEST(XFileFst, EveryDepthRoundTrips)
{
    for (int bits : {1, 4, 8, 24}) {
        auto image = RandomImage(67, 13, bits, unsigned(bits));
        EXPECT_TRUE(SameImage(*image, *DecodeWith<XFileFst>(WriteFst(*image, "rt.fst")))) << bits;
    }
}

TEST(XFileFst, NoteFollowsPixelData)
{
    auto image = RandomImage(9, 4, 8);
    const std::string path = TempPath("note.fst");
    auto file = WriteFst(*image, "note.fst", "hello");
    const uint32_t dataSize = Get32(file, 8);
    EXPECT_EQ(Get32(file, 12), 5u);
    ASSERT_EQ(file.size(), 16u + 1064 + dataSize + 5);
    EXPECT_EQ(std::string(file.end() - 5, file.end()), "hello");

    HGLOBAL note = XFileFst::ReadNote(path.c_str());
    ASSERT_TRUE(note);
    EXPECT_EQ(GlobalSize(note), 6u);
    {
        LockedBlock<char> text(note);
        EXPECT_STREQ(text.get(), "hello");
    }
    GlobalFree(note);

    // An empty notepad: N = 0, the file ends after the pixel data, no note.
    file = WriteFst(*image, "note.fst");
    EXPECT_EQ(Get32(file, 12), 0u);
    EXPECT_EQ(file.size(), 16u + 1064 + dataSize);
    EXPECT_EQ(XFileFst::ReadNote(path.c_str()), nullptr);

    // A note length past the end of the file is refused; the image still reads.
    file = WriteFst(*image, "note.fst", "hello");
    file[12] = 6;
    WriteFileBytes(path, file);
    EXPECT_EQ(XFileFst::ReadNote(path.c_str()), nullptr);
    EXPECT_TRUE(SameImage(*image, *DecodeWith<XFileFst>(file)));
}

TEST(XFileFst, StoredHeaderBlockAgreesWithFstHeader)
{
    auto file = SmallFst({0x81, 0xA5, 0});
    file[16 + 4] = 0x99;  // stored width 153
    file[16 + 14] = 16;   // stored bit count 16
    file[16 + 16] = 1;    // stored compression
    file[16 + 32] = 200;  // colours used beyond the table
    file[16 + 40] = 11;   // colour 0 blue
    file[16 + 46] = 22;   // colour 1 red
    auto image = DecodeWith<XFileFst>(file);
    ASSERT_TRUE(image->m_hBits);
    LockedBlock<BITMAPINFOHEADER> info(image->m_hInfo);
    EXPECT_EQ(info->biSize, 40u);
    EXPECT_EQ(info->biWidth, 8);
    EXPECT_EQ(info->biHeight, 1);
    EXPECT_EQ(info->biBitCount, 1);
    EXPECT_EQ(info->biCompression, 0u);
    EXPECT_EQ(info->biClrUsed, 0u);
    EXPECT_TRUE(IsColor(ColorAt(*image, 0), 0, 0, 11));
    EXPECT_TRUE(IsColor(ColorAt(*image, 1), 22, 0, 0));
    LockedBlock<BYTE> bits(image->m_hBits);
    EXPECT_EQ(bits.get()[0], 0xA5);
}

TEST(XFileFst, InconsistentFilesAreRefused)
{
    const std::vector<BYTE> good = SmallFst({0x81, 0xA5, 0});
    ASSERT_TRUE(DecodeWith<XFileFst>(good)->m_hBits);
    struct Case {
        const char* what;
        size_t at;
        BYTE value;
    } cases[] = {
        {"magic", 0, 0x02}, {"bit count 16", 6, 16}, {"bit count 0", 6, 0}, {"width 0", 2, 0},
        {"height 0", 4, 0}, {"data size past the file", 8, 4}, {"bit count 8 with a 48-byte block", 6, 8},
    };
    for (const auto& c : cases) {
        auto file = good;
        file[c.at] = c.value;
        EXPECT_TRUE(DecodeRefused<XFileFst>(file)) << c.what;
    }
    EXPECT_TRUE(DecodeRefused<XFileFst>(std::vector<BYTE>(good.begin(), good.begin() + 15)));

    // 24 bits with fewer data bytes than the pixel block.
    auto image = RandomImage(5, 3, 24);
    auto file = WriteFst(*image, "short24.fst");
    file[8] = 47;
    file.pop_back();
    EXPECT_TRUE(DecodeRefused<XFileFst>(file));
}

TEST(XFileFst, DecodingStaysInsideTheBlock)
{
    // Runs and literals far longer than the 4-byte pixel block, and a
    // literal count past the data: the block gets its 4 bytes, no more.
    std::vector<BYTE> data = {0xFF, 0x11, 0xFF, 0x22, 0x7F, 1, 2, 3};
    auto image = DecodeWith<XFileFst>(SmallFst(data));
    ASSERT_TRUE(image->m_hBits);
    EXPECT_EQ(GlobalSize(image->m_hBits), 4u);
    LockedBlock<BYTE> bits(image->m_hBits);
    EXPECT_EQ(std::vector<BYTE>(bits.get(), bits.get() + 4), std::vector<BYTE>(4, 0x11));

    auto literal = DecodeWith<XFileFst>(SmallFst({0x7F, 1, 2}));
    LockedBlock<BYTE> few(literal->m_hBits);
    EXPECT_EQ(std::vector<BYTE>(few.get(), few.get() + 4), (std::vector<BYTE>{1, 2, 0, 0}));
}

TEST(XFileFst, WriterRefusesSizesBeyondHeaderFieldsBeforeCreatingFile)
{
    auto image = RandomImage(65536, 1, 1);
    const std::string path = TempPath("toolarge.fst");
    std::remove(path.c_str());
    EXPECT_EQ(XFileFst().WriteImage(*image, path.c_str()), FstError::Unsupported);
    EXPECT_FALSE(FileExists(path));
}
