// Hotkey matching against the key table.
#include "HotKey.h"

#include "hook/HookWire.h"

int MatchHotKey(uint32_t report, const HotKeyAssignment& keys)
{
    const unsigned key = report & kKeyReleaseKeyMask;
    // -1 while the modifier is down, 0 while it is up.
    int state[kModifierCount];
    state[kModEsc] = (report & kKeyReleaseEscUp) ? 0 : -1;
    state[kModShift] = (report & kKeyReleaseShiftUp) ? 0 : -1;
    state[kModCtrl] = (report & kKeyReleaseCtrlUp) ? 0 : -1;
    state[kModAlt] = (report & kKeyReleaseAltUp) ? 0 : -1;

    int code = 0;
    if (!state[kModEsc] && !state[kModShift] && !state[kModCtrl] && !state[kModAlt] && key == 112)
        code = kCodeHelp;

    for (int t = 0; t < kCaptureTypes; ++t) {
        const int index = keys.normalKey[t];
        if (index < 0 || index >= kKeyTableSize) continue;
        bool same = kKeyTable[index].virtualKey == key;
        for (int m = 0; m < kModifierCount && same; ++m) same = keys.modifiers[t][m] == state[m];
        if (same) code = t + 1;
    }

    if (state[kModShift] && state[kModCtrl] && state[kModAlt]) {
        if (key == 'B') code = kCodeBackground;
        if (key == 'F') code = kCodeForeground;
    }
    return code;
}
