// The hotkeys as the settings hold them (NormalKey and SystemKey1-7): per
// capture type a key-table index and the required state of each modifier.
// The key table is KeyTable.h; the matching is the shell's (shell/HotKey.h).
#pragma once

const int kCaptureTypes = 7;  // Screen, Window, Region, Title & Menu, Freehand, Pointer, Button

// Modifier order of a hotkey and of the SystemKey keys.
enum Modifier { kModEsc, kModShift, kModCtrl, kModAlt, kModifierCount };

// One hotkey per capture type: a key-table index and the required state of
// each modifier, -1 held or 0 not held. Other values never match.
struct HotKeyAssignment {
    int normalKey[kCaptureTypes];
    int modifiers[kCaptureTypes][kModifierCount];
};
