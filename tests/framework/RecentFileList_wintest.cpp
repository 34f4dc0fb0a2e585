// The recent-file list in a real profile file: keys File1..File4 of section
// "Recent File List", newest first, and read back in the same order.
#include "framework/RecentFileList.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(RecentFileListProfile, WritesNewestFirstAndReadsBackTheSameOrder)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string profile = std::string(folder) + "kestrel_recent_test.ini";
    DeleteFileA(profile.c_str());

    RecentFileList list(4);
    list.Add("C:\\a.bmp");
    list.Add("C:\\b.gif");
    list.Add("C:\\c.jpg");
    list.WriteList(profile);

    char value[MAX_PATH];
    GetPrivateProfileStringA("Recent File List", "File1", "", value, sizeof value, profile.c_str());
    EXPECT_STREQ(value, "C:\\c.jpg");
    GetPrivateProfileStringA("Recent File List", "File3", "", value, sizeof value, profile.c_str());
    EXPECT_STREQ(value, "C:\\a.bmp");
    GetPrivateProfileStringA("Recent File List", "File4", "<none>", value, sizeof value, profile.c_str());
    EXPECT_STREQ(value, "<none>");

    RecentFileList again(4);
    again.ReadList(profile);
    ASSERT_EQ(again.Size(), 3u);
    EXPECT_EQ(again[0], "C:\\c.jpg");
    EXPECT_EQ(again[2], "C:\\a.bmp");

    // Fewer entries later remove the keys that are no longer used.
    RecentFileList shorter(4);
    shorter.Add("C:\\d.pcx");
    shorter.WriteList(profile);
    GetPrivateProfileStringA("Recent File List", "File2", "<none>", value, sizeof value, profile.c_str());
    EXPECT_STREQ(value, "<none>");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, profile.c_str());
    DeleteFileA(profile.c_str());
}
