#include "shell/HotKey.h"

#include "hook/HookWire.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace {

// The hotkeys of a settings file without keys.
HotKeyAssignment DefaultHotKeys()
{
    return DefaultOptions(SystemDefaults()).hotKeys;
}

// Report bits written out by hand from the wire format: bit 16 Alt up,
// 20 Ctrl up, 24 Shift up, 28 Esc up.
uint32_t Report(unsigned vk, bool esc, bool shift, bool ctrl, bool alt)
{
    return vk | (alt ? 0 : 0x10000u) | (ctrl ? 0 : 0x100000u) | (shift ? 0 : 0x1000000u) |
           (esc ? 0 : 0x10000000u);
}

}  // namespace

TEST(HotKey, KeyTableKeepsTheIndexesStoredInSettingsFiles)
{
    const struct { int index; unsigned vk; int modifier; } probes[] = {
        {0, 27, 1},   {1, 112, 0},  {12, 123, 0}, {13, 44, 0},  {16, 192, 0}, {17, 49, 0},  {25, 57, 0},
        {26, 48, 0},  {29, 8, 0},   {33, 144, 0}, {37, 9, 0},   {38, 81, 0},  {47, 80, 0},  {50, 220, 0},
        {53, 34, 0},  {57, 107, 0}, {58, 20, 0},  {59, 65, 0},  {67, 76, 0},  {70, 13, 0},  {73, 102, 0},
        {74, 16, 1},  {75, 90, 0},  {81, 77, 0},  {84, 191, 0}, {85, 16, 1},  {86, 38, 0},  {89, 99, 0},
        {90, 13, 0},  {91, 17, 1},  {92, 18, 1},  {93, 32, 0},  {94, 18, 1},  {95, 17, 1},  {96, 37, 0},
        {97, 40, 0},  {98, 39, 0},  {99, 96, 0},  {100, 110, 0}};
    for (const auto& p : probes) {
        EXPECT_EQ(kKeyTable[p.index].virtualKey, p.vk) << p.index;
        EXPECT_EQ(kKeyTable[p.index].modifier, p.modifier) << p.index;
    }
    for (int i = 0; i < kKeyTableSize; ++i) EXPECT_NE(kKeyTable[i].label, nullptr) << i;
}

TEST(HotKey, ReportEncodingMatchesTheWireFormat)
{
    // Ctrl+1: key 49, Alt, Shift and Esc up bits set, Ctrl bit clear.
    EXPECT_EQ(MakeKeyReleaseReport(49, false, false, true, false), 0x11010031u);
    EXPECT_EQ(MakeKeyReleaseReport(112, false, false, false, false), 0x11110070u);
}

TEST(HotKey, DefaultsAreCtrlDigits)
{
    const HotKeyAssignment keys = DefaultHotKeys();
    for (int t = 0; t < 7; ++t) EXPECT_EQ(MatchHotKey(Report('1' + t, false, false, true, false), keys), t + 1);
    EXPECT_EQ(MatchHotKey(Report('1', false, true, true, false), keys), 0);   // Ctrl+Shift+1
    EXPECT_EQ(MatchHotKey(Report('1', false, false, false, false), keys), 0); // 1 alone
    EXPECT_EQ(MatchHotKey(Report('8', false, false, true, false), keys), 0);
    EXPECT_EQ(MatchHotKey(Report(97, false, false, true, false), keys), 0);   // keypad 1
}

TEST(HotKey, SpecialCodes)
{
    const HotKeyAssignment keys = DefaultHotKeys();
    EXPECT_EQ(MatchHotKey(Report(112, false, false, false, false), keys), 256);
    EXPECT_EQ(MatchHotKey(Report(112, false, false, true, false), keys), 0);
    EXPECT_EQ(MatchHotKey(Report('B', false, true, true, true), keys), 15);
    EXPECT_EQ(MatchHotKey(Report('F', true, true, true, true), keys), 16);  // Esc not considered
    EXPECT_EQ(MatchHotKey(Report('B', false, false, true, true), keys), 0);
}

TEST(HotKey, LaterTypeWinsAndBadSettingsNeverMatch)
{
    HotKeyAssignment keys = DefaultHotKeys();
    keys.normalKey[1] = 17;  // Window also on Ctrl+1
    keys.normalKey[5] = 17;  // Pointer also on Ctrl+1
    EXPECT_EQ(MatchHotKey(Report('1', false, false, true, false), keys), 6);

    keys = DefaultHotKeys();
    keys.normalKey[2] = 1000;  // outside the table
    keys.normalKey[3] = -1;
    EXPECT_EQ(MatchHotKey(Report('3', false, false, true, false), keys), 0);
    EXPECT_EQ(MatchHotKey(Report('4', false, false, true, false), keys), 0);

    keys = DefaultHotKeys();
    keys.modifiers[4][kModCtrl] = 2;  // a stored value other than 0 and 1
    EXPECT_EQ(MatchHotKey(Report('5', false, false, true, false), keys), 0);
    EXPECT_EQ(MatchHotKey(Report('5', false, false, false, false), keys), 0);

    // SystemKey3 of 1,0,0,1: Esc+Alt+3 is the Region hotkey.
    keys = DefaultHotKeys();
    keys.modifiers[2][kModEsc] = -1;
    keys.modifiers[2][kModCtrl] = 0;
    keys.modifiers[2][kModAlt] = -1;
    EXPECT_EQ(MatchHotKey(Report('3', true, false, false, true), keys), 3);
    EXPECT_EQ(MatchHotKey(Report('3', false, false, true, false), keys), 0);
}
