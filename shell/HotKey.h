// Hotkey matching: the decoding of the keyboard hook's key-release report
// (hook/HookWire.h) against the key table and the choice of capture code.
// Portable: no window handles, so the matching is unit-tested natively.
#pragma once

#include "../hook/HookWire.h"
#include "../settings/HotKeyAssignment.h"
#include "../settings/KeyTable.h"

#include <cstdint>

// The capture code for a key-release report: 256 for F1 with no modifier,
// the highest capture type whose hotkey matches, 15/16 for
// Ctrl+Shift+Alt+B/F; 0 when nothing matches.
int MatchHotKey(uint32_t report, const HotKeyAssignment& keys);
