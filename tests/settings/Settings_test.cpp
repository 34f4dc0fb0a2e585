// The settings store over an in-memory profile: defaults, partial and
// hostile values, what each occasion writes, and the key table walked
// whole (every key keeps its bytes through read and write, Master Reset
// gives the documented defaults).
#include "settings/Settings.h"

#include "SettingsTestSupport.h"
#include "hook/ClickState.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

SystemDefaults TestSystem()
{
    SystemDefaults system;
    system.screenWidth = 1024;
    system.screenHeight = 768;
    system.buttonFace = 0xC0C0C0;
    system.programFolder = "C:\\Kestrel";
    return system;
}

void Load(SettingsProfile& profile, Options& options)
{
    ReadModeSessionMenu(profile, options);
    ReadAllKeys(profile, options, TestSystem());
}

// The documented default of every key with the test system's facts
// (1024 x 768 screen, button face 0xC0C0C0, folder C:\Kestrel).
const std::map<std::string, std::string> kDocumentedDefaults = {
    {"Mode", "1,0,1"},
    {"Session", "1,1,1,1,8158271,16777215"},
    {"Menu", "0"},
    {"Format", "13,1,1,1"},
    {"PathNameOpen", ""},
    {"PathNameSave", ""},
    {"PathNameDirect", "C:\\Kestrel"},
    {"FileNameOpen", ""},
    {"FileNameDirect", "SHOT0000.BMP"},
    {"SendtoPage", "0,1,0,0,0,0,0,5,5"},
    {"CapturePage", "0,0,0,1,0,0,1"},
    {"ScreenPage", "0,0,1024,768,0,10"},
    {"WindowPage", "0,1,1,1,1,0,10"},
    {"RegionPage", "1,1,0"},
    {"FreehandPage", "1,1,0"},
    {"TitleMenuPage", "0,0,1,1,1"},
    {"BlackWhite", "0,0,0,0,0,0,0,1,1,0,1,1,0,0,1,1"},
    {"Frame", "1,0,0,16777215"},
    {"Clock", "1,0,1,0,1,1,0,0,0,0,16777215"},
    {"HotButton", "0,0,0,0,0"},
    {"NormalKey", "17,18,19,20,21,22,23"},
    {"SystemKey1", "0,0,1,0"},
    {"SystemKey2", "0,0,1,0"},
    {"SystemKey3", "0,0,1,0"},
    {"SystemKey4", "0,0,1,0"},
    {"SystemKey5", "0,0,1,0"},
    {"SystemKey6", "0,0,1,0"},
    {"SystemKey7", "0,0,1,0"},
    {"PrintPage", "0,1,3,0,4,1,0,0,0,1,1,1,1"},
    {"HeaderLeft", ""},
    {"HeaderCenter", ""},
    {"HeaderRight", "printed by Kestrel at $printtime on $printdate"},
    {"FooterLeft", "$filename,  $filetime - $filedate, $res"},
    {"FooterCenter", ""},
    {"FooterRight", ""},
    {"NoteFont", "-13,0,0,0,0,0,0,0,0,0,0,0,0,Arial"},
    {"HeaderFont", "-7,0,0,0,0,0,0,0,0,0,0,0,0,Arial"},
    {"FooterFont", "-7,0,0,0,0,0,0,0,0,0,0,0,0,Arial"},
    {"PrintTimeDate", "0,1,0,0,0,0,1,0,0,1"},
    {"Printer", ""},
    {"SnapshotButton", "1,1,1,0,1,1"},
    {"ButtonColors", "12632256"},
};

// A value of every key as the program could have written it, none of them
// a default.
std::map<std::string, std::string> StoredValues()
{
    std::map<std::string, std::string> keys;
    Options options = DefaultOptions(TestSystem());
    int n = 2;
    for (const KeyEntry& entry : OptionTable(options)) {
        std::string text;
        switch (entry.kind) {
        case KeyKind::kList:
        case KeyKind::kInteger:
            for (size_t i = 0; i < entry.numbers.size(); ++i) {
                // SystemKey fields are 0 or 1 in the file; the others any number.
                const bool modifier = entry.key.compare(0, 9, "SystemKey") == 0;
                const int value = modifier ? int((n + i) % 2) : int(-3 + 7 * int(i) + n);
                text += (i ? "," : "") + std::to_string(entry.key == "BlackWhite" ? (value & 1) : value);
            }
            break;
        case KeyKind::kText: text = entry.key + " text, with a comma"; break;
        case KeyKind::kFileName: text = "X0042.GIF"; break;
        case KeyKind::kFont: text = "-" + std::to_string(n) + ",0,0,0,700,1,0,1,238,3,2,1,34,Times New Roman"; break;
        }
        keys[entry.key] = text;
        ++n;
    }
    return keys;
}

}  // namespace

TEST(KeyTable, EveryDocumentedKeyIsInTheTableOnceAndReadsItsDefault)
{
    Options options = DefaultOptions(TestSystem());
    std::map<std::string, int> seen;
    for (const KeyEntry& entry : OptionTable(options)) ++seen[entry.key];
    EXPECT_EQ(seen.size(), kDocumentedDefaults.size());
    for (const auto& key : seen) {
        EXPECT_EQ(key.second, 1) << key.first;
        EXPECT_EQ(kDocumentedDefaults.count(key.first), 1u) << key.first;
    }
    EXPECT_EQ(WriteEverything(options), kDocumentedDefaults);

    // Reading a settings file without any key gives the same.
    MapProfile empty;
    Options loaded = DefaultOptions(SystemDefaults());
    Load(empty, loaded);
    EXPECT_EQ(WriteEverything(loaded), kDocumentedDefaults);
    EXPECT_TRUE(empty.written.empty());
}

TEST(KeyTable, EveryKeyKeepsItsBytesThroughReadAndWrite)
{
    // Texts the program wrote come back byte for byte.
    MapProfile file;
    file.keys = StoredValues();
    Options options = DefaultOptions(TestSystem());
    Load(file, options);
    EXPECT_EQ(WriteEverything(options), file.keys);

    // Any text settles after one read and write: read -> write -> read ->
    // write gives the bytes of the first write.
    const char* const hostile[] = {"", ",,,", "1,,2", " 12abc,-0,+7", "99999999999,-99999999999",
                                   "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r", "..\\..\\evil.bmp", "-1"};
    for (const char* text : hostile) {
        MapProfile first;
        Options scratch = DefaultOptions(TestSystem());
        for (const KeyEntry& entry : OptionTable(scratch)) first.keys[entry.key] = text;
        Options once = DefaultOptions(TestSystem());
        Load(first, once);
        MapProfile second;
        second.keys = WriteEverything(once);
        Options twice = DefaultOptions(TestSystem());
        Load(second, twice);
        EXPECT_EQ(WriteEverything(twice), second.keys) << text;
    }
}

TEST(KeyTable, MasterResetGivesTheDefaults)
{
    MapProfile file;
    file.keys = StoredValues();
    Options options = DefaultOptions(TestSystem());
    Load(file, options);
    ASSERT_NE(WriteEverything(options), kDocumentedDefaults);

    ResetOptions(options, TestSystem());
    EXPECT_EQ(WriteEverything(options), kDocumentedDefaults);
}

TEST(SettingsStore, NoFileGivesTheDefaults)
{
    MapProfile profile;
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    EXPECT_EQ(o.mode.runningMode, 1);
    EXPECT_TRUE(o.mode.displayLogo);
    for (int t = 0; t < 7; ++t) {
        EXPECT_EQ(o.hotKeys.normalKey[t], 17 + t);
        EXPECT_EQ(o.hotKeys.modifiers[t][kModCtrl], -1);
        EXPECT_EQ(o.hotKeys.modifiers[t][kModShift], 0);
    }
    EXPECT_EQ(o.capture.screen.area.right, 1024);
    EXPECT_EQ(o.capture.screen.area.bottom, 768);
    EXPECT_EQ(o.capture.sendTo.marginX, 5);
    EXPECT_TRUE(o.capture.sendTo.window);
    EXPECT_FALSE(o.capture.sendTo.clipboard || o.capture.sendTo.printer || o.capture.sendTo.file);
    EXPECT_EQ(o.capture.capture.notification, kFlashCenterIn);
    EXPECT_TRUE(o.clock.time && o.clock.seconds && o.clock.amPm);
    EXPECT_FALSE(o.clock.date);
    EXPECT_EQ(o.session.fullViewBack, COLORREF(RGB(63, 124, 124)));
    EXPECT_EQ(o.blackWhite.map[7], 1);  // gray -> white
    EXPECT_EQ(o.blackWhite.map[9], 0);  // red -> black
    EXPECT_TRUE(o.snapshot.buttons[0] && !o.snapshot.buttons[3]);
}

TEST(SettingsStore, PartialListsTakeTrailingDefaults)
{
    MapProfile profile;
    profile.keys["SendtoPage"] = "3";
    profile.keys["ScreenPage"] = "10,,20";
    profile.keys["Clock"] = ",,,,";
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    EXPECT_EQ(o.capture.sendTo.setupPage, 3);
    EXPECT_TRUE(o.capture.sendTo.window);
    EXPECT_EQ(o.capture.sendTo.marginY, 5);
    EXPECT_EQ(o.capture.screen.area.left, 10);
    EXPECT_EQ(o.capture.screen.area.top, 20);
    EXPECT_EQ(o.capture.screen.area.right, 1024);
    EXPECT_EQ(o.capture.screen.area.bottom, 768);
    EXPECT_EQ(o.capture.screen.countdownSeconds, 10);
    EXPECT_TRUE(o.clock.time);  // only commas: all defaults
}

TEST(SettingsStore, SystemKeyHeldIsMinusOneInMemory)
{
    MapProfile profile;
    profile.keys["SystemKey3"] = "1,0,0,1";  // Esc+Alt
    profile.keys["SystemKey4"] = "0,1";      // missing Ctrl and Alt take their defaults
    profile.keys["SystemKey5"] = "2,-5,0,1";
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    const int(&region)[4] = o.hotKeys.modifiers[2];
    EXPECT_EQ(region[kModEsc], -1);
    EXPECT_EQ(region[kModShift], 0);
    EXPECT_EQ(region[kModCtrl], 0);
    EXPECT_EQ(region[kModAlt], -1);
    const int(&titleMenu)[4] = o.hotKeys.modifiers[3];
    EXPECT_EQ(titleMenu[kModShift], -1);
    EXPECT_EQ(titleMenu[kModCtrl], -1);
    EXPECT_EQ(titleMenu[kModAlt], 0);
    // Other values stay as they are (so they never match) and write back
    // as 0, or 1 when negative.
    EXPECT_EQ(o.hotKeys.modifiers[4][kModEsc], 2);
    EXPECT_EQ(o.hotKeys.modifiers[4][kModShift], -5);

    WriteSettings(profile, o, KeyGroup::kHotKeys);
    EXPECT_EQ(profile.keys["SystemKey3"], "1,0,0,1");
    EXPECT_EQ(profile.keys["SystemKey4"], "0,1,1,0");
    EXPECT_EQ(profile.keys["SystemKey5"], "0,1,0,1");
    EXPECT_EQ(profile.keys["SystemKey1"], "0,0,1,0");
}

TEST(SettingsStore, HotButtonReachesTheHookAsCaptureCodes)
{
    MapProfile profile;
    profile.keys["HotButton"] = "4,0,0,0,0";
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    int codes[5];
    HotButtonCodesForHook(o.hotButton, codes);
    HookData data = {};
    StoreButtonShotDef(data, codes[0], codes[1], codes[2], codes[3], codes[4]);
    EXPECT_EQ(data.leftDoubleCode, 5);  // Freehand, not Title & Menu

    // Codes the dispatcher would act on as something else are not passed on.
    profile.keys["HotButton"] = "9,15,256,-1,7";
    Load(profile, o);
    HotButtonCodesForHook(o.hotButton, codes);
    EXPECT_EQ(codes[0], 0);
    EXPECT_EQ(codes[1], 0);
    EXPECT_EQ(codes[2], 0);
    EXPECT_EQ(codes[3], 0);
    EXPECT_EQ(codes[4], 7);
    WriteSettings(profile, o, KeyGroup::kHotButton);
    EXPECT_EQ(profile.keys["HotButton"], "9,15,256,-1,7");  // stored text unchanged
}

TEST(SettingsStore, FontsRoundTripThroughTheStore)
{
    MapProfile profile;
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    const int32_t numbers[13] = {-27, 3, 0, 0, 700, 1, 1, 0, 238, 7, 2, 4, 49};
    for (int i = 0; i < 13; ++i) o.fonts.header.numbers[i] = numbers[i];
    o.fonts.header.face = "Courier New";
    WriteSettings(profile, o, KeyGroup::kHeaderFont);
    EXPECT_EQ(profile.keys["HeaderFont"], "-27,3,0,0,700,1,1,0,238,7,2,4,49,Courier New");
    EXPECT_EQ(profile.written, std::vector<std::string>{"HeaderFont"});

    Options back = DefaultOptions(SystemDefaults());
    Load(profile, back);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(back.fonts.header.numbers[i], numbers[i]) << i;
    EXPECT_EQ(back.fonts.header.face, "Courier New");
    EXPECT_EQ(back.fonts.footer.face, "Arial");

    // A missing font key sets only the face and the height; the other
    // fields keep what an earlier load gave them.
    profile.keys.erase("HeaderFont");
    Load(profile, back);
    EXPECT_EQ(back.fonts.header.numbers[0], -7);
    EXPECT_EQ(back.fonts.header.numbers[4], 700);
    EXPECT_EQ(back.fonts.header.face, "Arial");
}

TEST(SettingsStore, EachOccasionWritesItsKeysWholeInOrder)
{
    MapProfile profile;
    profile.keys["Session"] = "7,8";
    profile.keys["Menu"] = "65796";
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);

    const std::vector<std::string> exitKeys = {"Mode",         "Session",        "Menu",
                                               "Format",       "PathNameOpen",   "PathNameSave",
                                               "PathNameDirect", "FileNameOpen", "FileNameDirect"};
    WriteSettings(profile, o, KeyGroup::kExit);
    EXPECT_EQ(profile.written, exitKeys);
    EXPECT_EQ(profile.keys["Session"], "7,8,1,1,8158271,16777215");
    EXPECT_EQ(profile.keys["Menu"], "65796");

    // The Capture Setup sheet: its seven pages, then the exit keys.
    profile.written.clear();
    WriteSettings(profile, o, KeyGroup::kCaptureSetup);
    std::vector<std::string> setupKeys = {"SendtoPage", "CapturePage",   "ScreenPage",  "WindowPage",
                                          "RegionPage", "TitleMenuPage", "FreehandPage"};
    setupKeys.insert(setupKeys.end(), exitKeys.begin(), exitKeys.end());
    EXPECT_EQ(profile.written, setupKeys);

    profile.written.clear();
    WriteSettings(profile, o, KeyGroup::kSnapshot);
    EXPECT_EQ(profile.written, (std::vector<std::string>{"ButtonColors", "SnapshotButton"}));

    profile.written.clear();
    WriteSettings(profile, o, KeyGroup::kPrint);
    EXPECT_EQ(profile.written, (std::vector<std::string>{"PrintPage", "HeaderLeft", "FooterLeft", "HeaderCenter",
                                                        "FooterCenter", "HeaderRight", "FooterRight"}));

    profile.written.clear();
    WriteSettings(profile, o, KeyGroup::kHotKeys);
    EXPECT_EQ(profile.written, (std::vector<std::string>{"NormalKey", "SystemKey1", "SystemKey2", "SystemKey3",
                                                        "SystemKey4", "SystemKey5", "SystemKey6", "SystemKey7"}));

    profile.written.clear();
    o.printer.text = "HP LaserJet,HPPCL,LPT1:";
    WriteSettings(profile, o, KeyGroup::kPrinter);
    EXPECT_EQ(profile.written, std::vector<std::string>{"Printer"});
    EXPECT_EQ(profile.keys["Printer"], "HP LaserJet,HPPCL,LPT1:");
}

TEST(SettingsStore, HostileValuesAreClampedWhereUsed)
{
    MapProfile profile;
    profile.keys["ScreenPage"] = "0,0,800,600,1,-5";
    profile.keys["WindowPage"] = "0,1,1,1,1,1,99999";
    profile.keys["SendtoPage"] = "12";
    profile.keys["PrintPage"] = "-1";
    profile.keys["FileNameDirect"] = "..\\..\\Windows\\shot.bmp";
    profile.keys["BlackWhite"] = "256,257";
    profile.keys["Frame"] = "0,2001,0,0";
    Options o = DefaultOptions(SystemDefaults());
    Load(profile, o);
    EXPECT_EQ(ScreenCountdownSeconds(o.capture.screen), 0);
    EXPECT_EQ(WindowCountdownSeconds(o.capture.window), 600);
    EXPECT_EQ(o.capture.screen.countdownSeconds, -5);  // kept as stored
    EXPECT_EQ(CaptureSetupStartPage(o.capture.sendTo), 0);
    EXPECT_EQ(PrintSheetStartPage(o.print), 0);
    EXPECT_EQ(o.files.fileNameDirect, "shot.bmp");
    EXPECT_EQ(o.blackWhite.map[0], 0);
    EXPECT_EQ(o.blackWhite.map[1], 1);
    EXPECT_EQ(FrameInRange(o.frame).frameWidth, 1);
    EXPECT_EQ(FrameInRange(o.frame).matWidth, 2000);
}

TEST(SettingsStore, CaptureSetupKeysHoldTheirValuesInTheSheetsOrder)
{
    // Every field set by name to a number of its own; the keys must list
    // them in the order the Capture Setup sheet documents.
    Options o = DefaultOptions(TestSystem());
    CaptureOptions& c = o.capture;
    c.sendTo.setupPage = 7;
    c.sendTo.window = 11;
    c.sendTo.clipboard = 12;
    c.sendTo.printer = 13;
    c.sendTo.file = 14;
    c.sendTo.fileNaming = 2;
    c.sendTo.usePrintDialog = 15;
    c.sendTo.marginX = 16;
    c.sendTo.marginY = 17;
    c.capture.hideMousePointer = 21;
    c.capture.hideAllWindows = 22;
    c.capture.addFrameAndMat = 23;
    c.capture.bringKestrelToTop = 24;
    c.capture.displayImageInfo = 25;
    c.capture.colorOption = 3;
    c.capture.notification = 2;
    c.screen.area.left = 31;
    c.screen.area.top = 32;
    c.screen.area.right = 33;
    c.screen.area.bottom = 34;
    c.screen.countdown = 35;
    c.screen.countdownSeconds = 36;
    c.window.choice = 1;
    c.window.frame = 41;
    c.window.workspace = 42;
    c.window.captureWithCurrent = 43;
    c.window.eraseBackground = 44;
    c.window.countdown = 45;
    c.window.countdownSeconds = 46;
    c.region.invertSelection = 51;
    c.region.showImageSize = 52;
    c.region.pen = 0x00332211;
    c.titleMenu.titleBar = 61;
    c.titleMenu.menuBar = 62;
    c.titleMenu.pulldownMenu = 63;
    c.titleMenu.cascadingMenu = 64;
    c.titleMenu.eraseBackground = 65;
    c.freehand.includeBorder = 71;
    c.freehand.invertPen = 72;
    c.freehand.pen = 0x00FFFFFF;
    o.mode.runningMode = 0;
    o.mode.runMinimized = 81;
    o.mode.displayLogo = 82;

    MapProfile profile;
    WriteSettings(profile, o, KeyGroup::kCaptureSetup);
    EXPECT_EQ(profile.keys["SendtoPage"], "7,11,12,13,14,2,15,16,17");
    EXPECT_EQ(profile.keys["CapturePage"], "21,22,23,24,25,3,2");
    EXPECT_EQ(profile.keys["ScreenPage"], "31,32,33,34,35,36");
    EXPECT_EQ(profile.keys["WindowPage"], "1,41,42,43,44,45,46");
    EXPECT_EQ(profile.keys["RegionPage"], "51,52,3351057");
    EXPECT_EQ(profile.keys["TitleMenuPage"], "61,62,63,64,65");
    EXPECT_EQ(profile.keys["FreehandPage"], "71,72,16777215");
    EXPECT_EQ(profile.keys["Mode"], "0,81,82");
}
