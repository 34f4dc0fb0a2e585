// The HotKey Setup dialog's working copy and the checks its OK runs before
// an assignment becomes live. Portable, so the rules are unit-tested.
#pragma once

#include "../settings/HotKeyAssignment.h"

// What OK finds first, in the order the checks run. A type left without a
// key (an index outside the key table, as a hand-edited file may give) is
// found before the three rules, so that two missing keys are not reported
// as identical ones.
enum class HotKeyProblem {
    kNone,
    kNoKey,           // type: the first type without a key
    kShiftOnKeypad,   // Shift held for a type while any type has a keypad number key
    kMenuClosingKey,  // Alt or Esc held for Title & Menu
    kIdenticalKeys,   // pair: the first pair of types with the same key, 0-20
};

struct HotKeyVerdict {
    HotKeyProblem problem;
    int type;  // kNoKey
    int pair;  // kIdenticalKeys: (Screen, Window) 0 ... (Pointer, Button) 20
};

HotKeyVerdict CheckHotKeys(const HotKeyAssignment& keys);

// The working copy as the dialog opens it: keys and modifier states as the
// settings hold them, except that a modifier state other than "held" (-1)
// becomes "not held" (0), the only two states a cap can show.
HotKeyAssignment HotKeysForDialog(const HotKeyAssignment& live);

// True for a modifier that type t must hold.
inline bool Holds(const HotKeyAssignment& keys, int type, Modifier modifier)
{
    return keys.modifiers[type][modifier] == -1;
}
