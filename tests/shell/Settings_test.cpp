#include "shell/Settings.h"

#include "capture/CaptureOptions.h"
#include "hook/ClickState.h"
#include "shell/SettingsProfile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class MapProfile : public SettingsProfile {
public:
    std::map<std::string, std::string> keys;
    std::map<std::string, int> writes;

    std::string ReadText(const char* key) override
    {
        auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second.substr(0, 255);
    }
    int ReadInt(const char* key, int fallback) override
    {
        auto it = keys.find(key);
        return it == keys.end() ? fallback : std::atoi(it->second.c_str());
    }
    void WriteText(const char* key, const std::string& value) override
    {
        keys[key] = value;
        ++writes[key];
    }
};

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsProfile(&profile); }
    void TearDown() override { SetSettingsProfile(nullptr); }

    void Load()
    {
        SystemDefaults system;
        system.screenWidth = 1024;
        system.screenHeight = 768;
        system.buttonFace = 0xC0C0C0;
        system.programFolder = "C:\\Kestrel";
        ReadModeSessionMenu();
        ReadAllKeys(system);
    }

    MapProfile profile;
};

}  // namespace

TEST_F(SettingsStore, NoFileGivesTheDefaults)
{
    Load();
    EXPECT_EQ(g_nRunningMode, 1);
    EXPECT_TRUE(g_bDisplayLogo);
    for (int t = 0; t < 7; ++t) {
        EXPECT_EQ(g_hotKeys.normalKey[t], 17 + t);
        EXPECT_EQ(g_hotKeys.modifiers[t][kModCtrl], -1);
        EXPECT_EQ(g_hotKeys.modifiers[t][kModShift], 0);
    }
    for (int code : g_nHotButton) EXPECT_EQ(code, 0);
    EXPECT_EQ(g_rcScreenArea.right, 1024);
    EXPECT_EQ(g_rcScreenArea.bottom, 768);
    EXPECT_EQ(g_nMarginX, 5);
    EXPECT_EQ(g_nMarginY, 5);
    EXPECT_TRUE(g_bSendToWindow);
    EXPECT_FALSE(g_bSendToClipboard || g_bSendToPrinter || g_bSendToFile);
    EXPECT_EQ(g_strFileNameDirect, "SHOT0000.BMP");
    EXPECT_EQ(g_strPathNameDirect, "C:\\Kestrel");
    EXPECT_EQ(g_nNotification, 1);
    EXPECT_TRUE(g_clock.time && g_clock.seconds && g_clock.amPm);
    EXPECT_FALSE(g_clock.date);
    EXPECT_EQ(g_nOpenFilter, 13);
    EXPECT_EQ(g_crFullViewBack, COLORREF(RGB(63, 124, 124)));
    EXPECT_EQ(g_strHeader[2], "printed by Kestrel at $printtime on $printdate");
    EXPECT_EQ(g_strFooter[0], "$filename,  $filetime - $filedate, $res");
    EXPECT_EQ(g_fontNote.face, "Arial");
    EXPECT_EQ(g_fontNote.numbers[0], -13);
    EXPECT_EQ(g_fontHeader.numbers[0], -7);
    EXPECT_EQ(g_bwMap[7], 1);   // gray -> white
    EXPECT_EQ(g_bwMap[9], 0);   // red -> black
    EXPECT_EQ(g_bwMap[15], 1);
    EXPECT_EQ(g_print.position, 4);
    EXPECT_TRUE(g_bSnapshotButton[0] && !g_bSnapshotButton[3]);
    EXPECT_EQ(g_crButtonFace, COLORREF(0xC0C0C0));
    EXPECT_TRUE(profile.writes.empty());
}

TEST_F(SettingsStore, PartialListsTakeTrailingDefaults)
{
    profile.keys["SendtoPage"] = "3";
    profile.keys["ScreenPage"] = "10,,20";
    profile.keys["SystemKey3"] = "1,0,0,1";
    profile.keys["Clock"] = ",,,,";
    Load();
    EXPECT_EQ(g_nCaptureSetupPage, 3);
    EXPECT_TRUE(g_bSendToWindow);
    EXPECT_EQ(g_nMarginY, 5);
    EXPECT_EQ(g_rcScreenArea.left, 10);
    EXPECT_EQ(g_rcScreenArea.top, 20);
    EXPECT_EQ(g_rcScreenArea.right, 1024);
    EXPECT_EQ(g_rcScreenArea.bottom, 768);
    EXPECT_EQ(g_nScreenCountdownSeconds, 10);
    EXPECT_TRUE(g_clock.time);  // only commas: all defaults

    WriteHotKeySettings();
    EXPECT_EQ(profile.keys["SystemKey3"], "1,0,0,1");
    EXPECT_EQ(profile.keys["SystemKey1"], "0,0,1,0");
    EXPECT_EQ(profile.keys["NormalKey"], "17,18,19,20,21,22,23");
}

TEST_F(SettingsStore, HotButtonReachesTheHookAsCaptureCodes)
{
    profile.keys["HotButton"] = "4,0,0,0,0";
    Load();
    int codes[5];
    HotButtonCodesForHook(codes);
    HookData data = {};
    StoreButtonShotDef(data, codes[0], codes[1], codes[2], codes[3], codes[4]);
    EXPECT_EQ(data.leftDoubleCode, 5);  // Freehand, not Title & Menu

    // Codes the dispatcher would act on as something else are not passed on.
    profile.keys["HotButton"] = "9,15,256,-1,7";
    Load();
    HotButtonCodesForHook(codes);
    EXPECT_EQ(codes[0], 0);
    EXPECT_EQ(codes[1], 0);
    EXPECT_EQ(codes[2], 0);
    EXPECT_EQ(codes[3], 0);
    EXPECT_EQ(codes[4], 7);
    WriteHotButtonSettings();
    EXPECT_EQ(profile.keys["HotButton"], "9,15,256,-1,7");  // stored text unchanged
}

TEST_F(SettingsStore, FontsRoundTripThroughTheStore)
{
    Load();
    const int32_t numbers[13] = {-27, 3, 0, 0, 700, 1, 1, 0, 238, 7, 2, 4, 49};
    for (int i = 0; i < 13; ++i) g_fontHeader.numbers[i] = numbers[i];
    g_fontHeader.face = "Courier New";
    WriteFontSetting(kHeaderFont);
    EXPECT_EQ(profile.keys["HeaderFont"], "-27,3,0,0,700,1,1,0,238,7,2,4,49,Courier New");

    g_fontHeader = settings::FontValue();
    Load();
    for (int i = 0; i < 13; ++i) EXPECT_EQ(g_fontHeader.numbers[i], numbers[i]) << i;
    EXPECT_EQ(g_fontHeader.face, "Courier New");
    EXPECT_EQ(g_fontFooter.face, "Arial");
}

TEST_F(SettingsStore, WritersWriteTheirKeysWhole)
{
    profile.keys["Session"] = "7,8";
    profile.keys["Menu"] = "65796";
    Load();
    WriteExitSettings();
    EXPECT_EQ(profile.keys["Mode"], "1,0,1");
    EXPECT_EQ(profile.keys["Session"], "7,8,1,1,8158271,16777215");
    EXPECT_EQ(profile.keys["Menu"], "65796");
    EXPECT_EQ(profile.keys["Format"], "13,1,1,1");
    EXPECT_EQ(profile.keys["FileNameDirect"], "SHOT0000.BMP");
    EXPECT_EQ(profile.keys["PathNameDirect"], "C:\\Kestrel");
    EXPECT_EQ(profile.writes.size(), 9u);

    profile.writes.clear();
    WriteCaptureSetupSettings();
    EXPECT_EQ(profile.writes.size(), 16u);
    EXPECT_EQ(profile.keys["SendtoPage"], "0,1,0,0,0,0,0,5,5");
    EXPECT_EQ(profile.keys["CapturePage"], "0,0,0,1,0,0,1");
    EXPECT_EQ(profile.keys["ScreenPage"], "0,0,1024,768,0,10");
    EXPECT_EQ(profile.keys["WindowPage"], "0,1,1,1,1,0,10");
    EXPECT_EQ(profile.keys["TitleMenuPage"], "0,0,1,1,1");

    WriteClockSettings();
    EXPECT_EQ(profile.keys["Clock"], "1,0,1,0,1,1,0,0,0,0,16777215");
    WritePrintSettings();
    EXPECT_EQ(profile.keys["PrintPage"], "0,1,3,0,4,1,0,0,0,1,1,1,1");
    WritePrintTimeDateSettings();
    EXPECT_EQ(profile.keys["PrintTimeDate"], "0,1,0,0,0,0,1,0,0,1");
    WriteSnapshotSettings();
    EXPECT_EQ(profile.keys["SnapshotButton"], "1,1,1,0,1,1");
    EXPECT_EQ(profile.keys["ButtonColors"], "12632256");
    WriteBlackWhiteSettings();
    EXPECT_EQ(profile.keys["BlackWhite"], "0,0,0,0,0,0,0,1,1,0,1,1,0,0,1,1");
    WriteFrameSettings();
    EXPECT_EQ(profile.keys["Frame"], "1,0,0,16777215");
}

TEST_F(SettingsStore, HostileValuesAreClampedWhereUsed)
{
    profile.keys["ScreenPage"] = "0,0,800,600,1,-5";
    profile.keys["WindowPage"] = "0,1,1,1,1,1,99999";
    profile.keys["SendtoPage"] = "12";
    profile.keys["PrintPage"] = "-1";
    profile.keys["FileNameDirect"] = "..\\..\\Windows\\shot.bmp";
    profile.keys["BlackWhite"] = "256,257";
    Load();
    EXPECT_EQ(ScreenCountdownSeconds(), 0);
    EXPECT_EQ(WindowCountdownSeconds(), 600);
    EXPECT_EQ(g_nScreenCountdownSeconds, -5);  // kept as stored
    EXPECT_EQ(CaptureSetupStartPage(), 0);
    EXPECT_EQ(PrintSheetStartPage(), 0);
    EXPECT_EQ(g_strFileNameDirect, "shot.bmp");
    EXPECT_EQ(g_bwMap[0], 0);
    EXPECT_EQ(g_bwMap[1], 1);
}
