// Companion note files: naming, the written bytes, and reading back a
// foreign text file or an FST file's note with a terminator.
#include "FormatTestSupport.h"

#include "formats/NoteFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::string BlockText(HGLOBAL h, size_t* size)
{
    LockedBlock<char> text(h);
    *size = GlobalSize(h);
    return std::string(text.get(), *size);
}
}

TEST(NoteFile, PathReplacesTheLastExtension)
{
    EXPECT_EQ(NotePathFor("C:\\shots\\a.b.BMP"), "C:\\shots\\a.b.txt");
    EXPECT_EQ(NotePathFor("shot"), "shot.txt");
}

TEST(NoteFile, WritesTextAndOneZeroAndReadsBackTerminated)
{
    const std::string image = TempPath("note_image.bmp");
    const std::string note = TempPath("note_image.txt");
    std::remove(note.c_str());
    EXPECT_TRUE(WriteNoteText(image.c_str(), "", 0));
    EXPECT_EQ(ReadNoteText(image.c_str()), nullptr);  // nothing written, nothing read

    ASSERT_TRUE(WriteNoteText(image.c_str(), "abc", 3));
    EXPECT_EQ(ReadFileBytes(note), (Bytes{'a', 'b', 'c', 0}));
    WriteFileBytes(note, {'x', 'y'});  // a foreign file without terminator
    HGLOBAL h = ReadNoteText(image.c_str());
    ASSERT_NE(h, nullptr);
    size_t size = 0;
    EXPECT_EQ(BlockText(h, &size), std::string("xy\0", 3));
    GlobalFree(h);
    std::remove(note.c_str());
}

TEST(NoteFile, FstNoteAfterHeaderBlockAndPixelData)
{
    Bytes fst;
    Put16(fst, 0xFF01);
    Put16(fst, 1);
    Put16(fst, 1);
    Put16(fst, 1);   // 1 bit: header block 48 bytes
    Put32(fst, 3);   // pixel data
    Put32(fst, 10);  // note length, more than the file holds
    fst.resize(16 + 48 + 3, 7);
    fst.insert(fst.end(), {'h', 'i'});
    const std::string path = TempPath("note_image.FST");
    WriteFileBytes(path, fst);
    HGLOBAL h = ReadNoteText(path.c_str());
    ASSERT_NE(h, nullptr);
    size_t size = 0;
    EXPECT_EQ(BlockText(h, &size), std::string("hi\0", 3));
    GlobalFree(h);

    fst[12] = 0;  // N = 0: no note
    WriteFileBytes(path, fst);
    EXPECT_EQ(ReadNoteText(path.c_str()), nullptr);
    std::remove(path.c_str());
}
