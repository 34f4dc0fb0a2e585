// The HotKey Setup dialog's checks.
#include "HotKeyRules.h"

#include "../settings/KeyTable.h"

namespace {

const int kTitleMenuType = 3;

// The number keys of the numeric keypad: 7 8 9, 4 5 6, 1 2 3, 0 and its full stop.
bool IsKeypadNumber(int key)
{
    return (key >= 54 && key <= 56) || (key >= 71 && key <= 73) || (key >= 87 && key <= 89) || key == 99 ||
           key == 100;
}

}  // namespace

HotKeyVerdict CheckHotKeys(const HotKeyAssignment& keys)
{
    for (int t = 0; t < kCaptureTypes; ++t)
        if (!IsKeyIndex(keys.normalKey[t])) return {HotKeyProblem::kNoKey, t, 0};

    bool shift = false, keypad = false;
    for (int t = 0; t < kCaptureTypes; ++t) {
        shift = shift || Holds(keys, t, kModShift);
        keypad = keypad || IsKeypadNumber(keys.normalKey[t]);
    }
    if (shift && keypad) return {HotKeyProblem::kShiftOnKeypad, 0, 0};

    if (Holds(keys, kTitleMenuType, kModAlt) || Holds(keys, kTitleMenuType, kModEsc))
        return {HotKeyProblem::kMenuClosingKey, 0, 0};

    // Pairs in the order (0,1) (0,2) ... (0,6) (1,2) ... (5,6).
    int pair = 0;
    for (int a = 0; a < kCaptureTypes; ++a)
        for (int b = a + 1; b < kCaptureTypes; ++b, ++pair)
            if (keys.normalKey[a] == keys.normalKey[b]) return {HotKeyProblem::kIdenticalKeys, 0, pair};
    return {HotKeyProblem::kNone, 0, 0};
}

HotKeyAssignment HotKeysForDialog(const HotKeyAssignment& live)
{
    HotKeyAssignment keys = live;
    for (auto& states : keys.modifiers)
        for (int& state : states)
            if (state != -1) state = 0;
    return keys;
}
