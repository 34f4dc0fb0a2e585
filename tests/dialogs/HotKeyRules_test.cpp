#include "dialogs/HotKeyRules.h"

#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace {

HotKeyAssignment DefaultHotKeys()
{
    return DefaultOptions(SystemDefaults()).hotKeys;
}

enum { kScreen, kWindow, kRegion, kTitleMenu, kFreehand, kPointer, kButton };
const int kKeypad5 = 72, kDigit1 = 17, kDigit9 = 25;

void Hold(HotKeyAssignment& keys, int type, Modifier modifier) { keys.modifiers[type][modifier] = -1; }

}  // namespace

TEST(HotKeyRules, OkChecksInOrderAndStopsAtTheFirstFailure)
{
    EXPECT_EQ(CheckHotKeys(DefaultHotKeys()).problem, HotKeyProblem::kNone);

    // Shift for Screen with keypad 5 for Pointer: different types, still refused.
    HotKeyAssignment keys = DefaultHotKeys();
    Hold(keys, kScreen, kModShift);
    keys.normalKey[kPointer] = kKeypad5;
    EXPECT_EQ(CheckHotKeys(keys).problem, HotKeyProblem::kShiftOnKeypad);
    // ... and that comes before the Title & Menu rule.
    Hold(keys, kTitleMenu, kModAlt);
    EXPECT_EQ(CheckHotKeys(keys).problem, HotKeyProblem::kShiftOnKeypad);

    keys = DefaultHotKeys();
    Hold(keys, kTitleMenu, kModEsc);
    EXPECT_EQ(CheckHotKeys(keys).problem, HotKeyProblem::kMenuClosingKey);
    keys = DefaultHotKeys();
    Hold(keys, kRegion, kModEsc);
    EXPECT_EQ(CheckHotKeys(keys).problem, HotKeyProblem::kNone);

    // Screen on Ctrl+1 and Window on Alt+1: the modifiers are not compared.
    keys = DefaultHotKeys();
    keys.normalKey[kWindow] = kDigit1;
    keys.modifiers[kWindow][kModCtrl] = 0;
    Hold(keys, kWindow, kModAlt);
    HotKeyVerdict verdict = CheckHotKeys(keys);
    EXPECT_EQ(verdict.problem, HotKeyProblem::kIdenticalKeys);
    EXPECT_EQ(verdict.pair, 0);  // "Screen and Window captures."
}

TEST(HotKeyRules, IdenticalKeysNameTheFirstPairInTheirListedOrder)
{
    // The pairs as listed with their messages: (Screen, Window) first,
    // (Pointer, Button) last; the first equal one is reported.
    const struct { int a, b, pair; } cases[] = {
        {kScreen, kRegion, 1},   {kScreen, kButton, 5},    {kWindow, kRegion, 6},    {kWindow, kButton, 10},
        {kRegion, kTitleMenu, 11}, {kTitleMenu, kFreehand, 15}, {kFreehand, kPointer, 18}, {kPointer, kButton, 20},
    };
    for (const auto& c : cases) {
        HotKeyAssignment keys = DefaultHotKeys();
        keys.normalKey[c.b] = keys.normalKey[c.a];
        HotKeyVerdict verdict = CheckHotKeys(keys);
        EXPECT_EQ(verdict.problem, HotKeyProblem::kIdenticalKeys) << c.a << "," << c.b;
        EXPECT_EQ(verdict.pair, c.pair) << c.a << "," << c.b;
    }
    // Three types on one key: the earliest pair wins.
    HotKeyAssignment keys = DefaultHotKeys();
    keys.normalKey[kFreehand] = kDigit9;
    keys.normalKey[kButton] = kDigit9;
    keys.normalKey[kWindow] = kDigit9;
    EXPECT_EQ(CheckHotKeys(keys).pair, 8);  // Window and Freehand
}

TEST(HotKeyRules, AKeyOutsideTheTableIsRefusedBeforeTheRules)
{
    // Two types with the same hostile index are reported as lacking a key,
    // not as identical keys.
    HotKeyAssignment keys = DefaultHotKeys();
    keys.normalKey[kRegion] = 101;
    keys.normalKey[kButton] = 101;
    HotKeyVerdict verdict = CheckHotKeys(keys);
    EXPECT_EQ(verdict.problem, HotKeyProblem::kNoKey);
    EXPECT_EQ(verdict.type, kRegion);
    keys.normalKey[kRegion] = -1;
    EXPECT_EQ(CheckHotKeys(keys).type, kRegion);
}

TEST(HotKeyRules, TheDialogShowsOnlyHeldOrNotHeld)
{
    HotKeyAssignment live = DefaultHotKeys();
    live.modifiers[kScreen][kModAlt] = 2;   // a stored 2 never matches a key press
    live.modifiers[kScreen][kModShift] = -1;
    const HotKeyAssignment shown = HotKeysForDialog(live);
    EXPECT_EQ(shown.modifiers[kScreen][kModAlt], 0);
    EXPECT_EQ(shown.modifiers[kScreen][kModShift], -1);
    EXPECT_EQ(shown.modifiers[kScreen][kModCtrl], -1);
}
