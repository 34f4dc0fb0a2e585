// Hotkey matching: the 101-entry key table that the HotKey dialog draws
// and the NormalKey settings index, the decoding of the keyboard hook's
// key-release report (hook/HookWire.h) and the choice of capture code.
// Portable: no window handles, so the matching is unit-tested natively.
#pragma once

#include "../hook/HookWire.h"
#include "../settings/HotKeyAssignment.h"

#include <cstdint>

struct KeyCap {
    const char* label;
    int modifier;      // 1 for Esc, Shift, Ctrl and Alt caps
    uint16_t virtualKey;
};

const int kKeyTableSize = 101;
extern const KeyCap kKeyTable[kKeyTableSize];

// The capture code for a key-release report: 256 for F1 with no modifier,
// the highest capture type whose hotkey matches, 15/16 for
// Ctrl+Shift+Alt+B/F; 0 when nothing matches.
int MatchHotKey(uint32_t report, const HotKeyAssignment& keys);
