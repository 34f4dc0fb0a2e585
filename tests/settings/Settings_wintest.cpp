// The settings store against the real private-profile functions, on a
// temporary INI file: what the writers put in the file, read back with
// GetPrivateProfileStringA, and what the readers make of a hand-written file.
#include "settings/Settings.h"
#include "settings/SettingsIni_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class IniFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        char name[MAX_PATH];
        GetTempFileNameA(folder, "kst", 0, name);
        path = name;
        profile.reset(new IniProfile(path, "Kestrel"));
    }
    void TearDown() override
    {
        profile->Flush();
        DeleteFileA(path.c_str());
    }

    std::string Raw(const char* key)
    {
        char buffer[512];
        GetPrivateProfileStringA("Kestrel", key, "<missing>", buffer, sizeof buffer, path.c_str());
        return buffer;
    }

    void Load()
    {
        SystemDefaults system;
        system.screenWidth = 800;
        system.screenHeight = 600;
        system.programFolder = "C:\\Program";
        ReadModeSessionMenu(*profile, options);
        ReadAllKeys(*profile, options, system);
    }

    std::string path;
    std::unique_ptr<IniProfile> profile;
    Options options = DefaultOptions(SystemDefaults());
};

}  // namespace

TEST_F(IniFile, WritersProduceTheDocumentedTexts)
{
    Load();
    options.hotButton.codes[0] = 4;
    WriteSettings(*profile, options, KeyGroup::kHotButton);
    WriteSettings(*profile, options, KeyGroup::kHotKeys);
    WriteSettings(*profile, options, KeyGroup::kExit);
    options.fonts.footer.face = "Lucida Console";
    options.fonts.footer.numbers[10] = 2;   // quality
    options.fonts.footer.numbers[12] = 49;  // pitch and family
    WriteSettings(*profile, options, KeyGroup::kFooterFont);

    EXPECT_EQ(Raw("HotButton"), "4,0,0,0,0");
    EXPECT_EQ(Raw("NormalKey"), "17,18,19,20,21,22,23");
    for (int t = 1; t <= 7; ++t) EXPECT_EQ(Raw(("SystemKey" + std::to_string(t)).c_str()), "0,0,1,0");
    EXPECT_EQ(Raw("Mode"), "1,0,1");
    EXPECT_EQ(Raw("Format"), "13,1,1,1");
    EXPECT_EQ(Raw("FileNameDirect"), "SHOT0000.BMP");
    EXPECT_EQ(Raw("PathNameDirect"), "C:\\Program");
    EXPECT_EQ(Raw("FooterFont"), "-7,0,0,0,0,0,0,0,0,0,2,0,49,Lucida Console");
    EXPECT_EQ(Raw("ScreenPage"), "<missing>");  // written only by the setup sheet
}

TEST_F(IniFile, ReadersTakeAHandWrittenFile)
{
    const char* text =
        "[Kestrel]\r\n"
        "ScreenPage=10,,20\r\n"
        "SystemKey3=1,0,0,1\r\n"
        "SendtoPage=3\r\n"
        "Menu=1234\r\n"
        "HeaderFont=-11,0,0,0,700,0,0,0,0,3,2,1,34,Times New Roman\r\n"
        "FileNameDirect=c:\\temp\\X0001.GIF\r\n"
        "[Other]\r\n"
        "Mode=0,1,0\r\n";
    FILE* fp = std::fopen(path.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    std::fputs(text, fp);
    std::fclose(fp);
    profile->Flush();

    Load();
    const CaptureOptions& capture = options.capture;
    EXPECT_EQ(capture.screen.area.left, 10);
    EXPECT_EQ(capture.screen.area.top, 20);
    EXPECT_EQ(capture.screen.area.right, 800);
    EXPECT_EQ(options.hotKeys.modifiers[2][kModEsc], -1);
    EXPECT_EQ(options.hotKeys.modifiers[2][kModAlt], -1);
    EXPECT_EQ(options.hotKeys.modifiers[2][kModCtrl], 0);
    EXPECT_EQ(capture.sendTo.setupPage, 3);
    EXPECT_TRUE(capture.sendTo.window);
    EXPECT_EQ(options.menu.window, 1234);
    EXPECT_EQ(options.mode.runningMode, 1);  // other sections are not read
    EXPECT_EQ(options.fonts.header.face, "Times New Roman");
    EXPECT_EQ(options.fonts.header.numbers[12], 34);
    EXPECT_EQ(options.files.fileNameDirect, "X0001.GIF");

    WriteSettings(*profile, options, KeyGroup::kHotKeys);
    EXPECT_EQ(Raw("SystemKey3"), "1,0,0,1");
    WriteSettings(*profile, options, KeyGroup::kHeaderFont);
    EXPECT_EQ(Raw("HeaderFont"), "-11,0,0,0,700,0,0,0,0,3,2,1,34,Times New Roman");
}
