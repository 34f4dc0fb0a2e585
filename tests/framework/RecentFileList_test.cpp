// The recent-file list: order, duplicates, capacity and the menu texts.
#include "framework/RecentFileList.h"

#include <gtest/gtest.h>

TEST(RecentFileList, NewestFirstWithoutDuplicatesUpToCapacity)
{
    RecentFileList list(4);
    for (const char* path : {"C:\\a.bmp", "C:\\b.bmp", "C:\\c.bmp", "C:\\d.bmp", "C:\\e.bmp"}) list.Add(path);
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list[0], "C:\\e.bmp");
    EXPECT_EQ(list[3], "C:\\b.bmp");

    // Reopening a listed file moves it to the front; case does not matter.
    list.Add("c:\\C.BMP");
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list[0], "c:\\C.BMP");
    EXPECT_EQ(list[1], "C:\\e.bmp");
    EXPECT_EQ(list[2], "C:\\d.bmp");
    EXPECT_EQ(list[3], "C:\\b.bmp");

    list.Add("");
    EXPECT_EQ(list.Size(), 4u);
    list.Remove(1);
    list.Remove(10);
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list[1], "C:\\d.bmp");
}

TEST(RecentFileList, MenuTextNumbersEntriesAndDoublesAmpersands)
{
    EXPECT_EQ(RecentFileList::MenuText(0, "C:\\shots\\a.bmp"), "&1 C:\\shots\\a.bmp");
    EXPECT_EQ(RecentFileList::MenuText(3, "C:\\R&D\\x.gif"), "&4 C:\\R&&D\\x.gif");
}

TEST(RecentFileList, LongPathsKeepRootAndTrailingFolders)
{
    // 30 characters or fewer stay whole.
    EXPECT_EQ(RecentFileList::AbbreviatePath("C:\\one\\two\\three.bmp", 30), "C:\\one\\two\\three.bmp");
    EXPECT_EQ(RecentFileList::AbbreviatePath("C:\\images\\holidays\\2026\\december\\beach.jpg", 30),
              "C:\\...\\2026\\december\\beach.jpg");
    // The file name itself is never cut, even when it alone is too long.
    EXPECT_EQ(RecentFileList::AbbreviatePath("C:\\folder\\a_very_long_file_name_for_a_menu.bmp", 30),
              "C:\\...\\a_very_long_file_name_for_a_menu.bmp");
    EXPECT_EQ(RecentFileList::AbbreviatePath("\\\\server\\share\\deep\\deeper\\deepest\\picture.bmp", 30),
              "\\\\server\\share\\...\\picture.bmp");
    EXPECT_EQ(RecentFileList::AbbreviatePath("no_folder_but_a_rather_long_file_name.bmp", 30),
              "no_folder_but_a_rather_long_file_name.bmp");
}
