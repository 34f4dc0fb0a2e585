// The byte-for-byte copy behind Load and Save Settings, on real files.
#include "shell/SettingsCommands.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string TempPath(const char* prefix)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH];
    GetTempFileNameA(folder, prefix, 0, name);
    return name;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(SettingsCopy, CopiesWholeFilesAndNeverTruncatesForAFailedSource)
{
    const std::string source = TempPath("src");
    const std::string target = TempPath("dst");
    std::string bytes = "[Kestrel]\r\nMode=0,0,0\r\n";
    bytes += std::string("\0\xff binary tail", 14);
    Write(source, bytes);
    Write(target, "old settings");

    EXPECT_EQ(CopySettingsFile(source, target, false), SettingsCopyResult::kCopied);
    EXPECT_EQ(Contents(target), bytes);

    // The same file as source and target stays as it was.
    EXPECT_EQ(CopySettingsFile(target, target, false), SettingsCopyResult::kCopied);
    EXPECT_EQ(Contents(target), bytes);

    // A source that is gone: Load copies nothing, Save writes an empty file.
    DeleteFileA(source.c_str());
    EXPECT_EQ(CopySettingsFile(source, target, false), SettingsCopyResult::kFailed);
    EXPECT_EQ(Contents(target), bytes);
    EXPECT_EQ(CopySettingsFile(source, target, true), SettingsCopyResult::kCopied);
    EXPECT_EQ(Contents(target), "");

    DeleteFileA(target.c_str());
}
