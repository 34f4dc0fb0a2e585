// Hotkey matching: the 101-entry key table that the HotKey dialog draws
// and the NormalKey settings index, the decoding of the keyboard hook's
// key-release report (hook/HookWire.h) and the choice of capture code.
// Portable: no window handles, so the matching is unit-tested natively.
#pragma once

#include "../hook/HookWire.h"

#include <cstdint>

struct KeyCap {
    const char* label;
    int modifier;      // 1 for Esc, Shift, Ctrl and Alt caps
    uint16_t virtualKey;
};

const int kKeyTableSize = 101;
extern const KeyCap kKeyTable[kKeyTableSize];

const int kCaptureTypes = 7;  // Screen, Window, Region, Title & Menu, Freehand, Pointer, Button

// Modifier order of a hotkey and of the SystemKey keys.
enum Modifier { kModEsc, kModShift, kModCtrl, kModAlt, kModifierCount };

// One hotkey per capture type: a key-table index and the required state of
// each modifier, -1 held or 0 not held. Other values never match.
struct HotKeyAssignment {
    int normalKey[kCaptureTypes];
    int modifiers[kCaptureTypes][kModifierCount];
};

// Ctrl+1 ... Ctrl+7.
HotKeyAssignment DefaultHotKeys();

// The capture code for a key-release report: 256 for F1 with no modifier,
// the highest capture type whose hotkey matches, 15/16 for
// Ctrl+Shift+Alt+B/F; 0 when nothing matches.
int MatchHotKey(uint32_t report, const HotKeyAssignment& keys);
