// The 101-entry key table of the hotkeys: the caps of the HotKey dialog's
// keyboard (control 100 + index) and what the NormalKey values index.
#pragma once

#include <cstdint>

struct KeyCap {
    const char* label;
    int modifier;  // 1 for Esc, Shift, Ctrl and Alt caps
    uint16_t virtualKey;
};

const int kKeyTableSize = 101;
extern const KeyCap kKeyTable[kKeyTableSize];

// Table entries with a meaning of their own in the HotKey dialog.
const int kKeyEsc = 0;
const int kKeyF1 = 1;
const int kKeyShiftLeft = 74, kKeyShiftRight = 85;
const int kKeyCtrlLeft = 91, kKeyCtrlRight = 95;
const int kKeyAltLeft = 92, kKeyAltRight = 94;

inline bool IsKeyIndex(int index) { return index >= 0 && index < kKeyTableSize; }
// The key's name for texts: the cap label, or a word where the cap is blank.
const char* KeyName(int index);
