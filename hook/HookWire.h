// Wire format between the hook library and the main frame: the message
// numbers, the bits of the key-release report (WM_USER+3) and the codes of
// WM_USER+1 that the hooks produce. Header-only and portable, so the hook
// library, the program and the native tests share one definition.
#pragma once

#include <cstdint>

const unsigned kMsgTrigger = 0x0401;    // WM_USER+1: capture code, cursor or 0
const unsigned kMsgProgress = 0x0402;   // WM_USER+2: item index, item count
const unsigned kMsgKeyRelease = 0x0403; // WM_USER+3: key report, cursor

// Key-release report: virtual key in bits 0-15, and a bit per modifier
// that is set when that modifier is NOT held.
const uint32_t kKeyReleaseKeyMask = 0xFFFF;
const uint32_t kKeyReleaseAltUp = 1u << 16;
const uint32_t kKeyReleaseCtrlUp = 1u << 20;
const uint32_t kKeyReleaseShiftUp = 1u << 24;
const uint32_t kKeyReleaseEscUp = 1u << 28;

inline uint32_t MakeKeyReleaseReport(unsigned virtualKey, bool escDown, bool shiftDown, bool ctrlDown,
                                     bool altDown)
{
    return (virtualKey & kKeyReleaseKeyMask) | (altDown ? 0 : kKeyReleaseAltUp) |
           (ctrlDown ? 0 : kKeyReleaseCtrlUp) | (shiftDown ? 0 : kKeyReleaseShiftUp) |
           (escDown ? 0 : kKeyReleaseEscUp);
}

// WM_USER+1 codes sent or posted by the mouse hook.
const int kCodeSnapshotRelease = 12;  // posted after the release of a snapshot press
const int kCodeSnapshotPress = 13;    // sent on a left press inside the snapshot strip
const int kCodeButtonReport = 14;     // posted: lParam 1 for the right button, else 0
