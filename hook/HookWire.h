// The main frame's own messages and their wire format: the message
// numbers (shared by the hook library, the frame and the progress sink),
// the bits of the key-release report and the trigger codes. Header-only and
// portable, so the hook library, the program and the native tests share
// one definition.
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

// Codes of kMsgTrigger: the captures a trigger starts (hotkeys, HotButton,
// snapshot buttons, the countdown), the mouse hook's reports and the key
// chords' extra codes. The running capture's code is kept as the capture
// mode.
enum TriggerCode {
    kCaptureNone = 0,
    kCaptureScreenTrigger = 1,   // Screen: counts down first when asked to
    kCaptureWindowTrigger = 2,   // Window: counts down first when asked to
    kCaptureRegion = 3,
    kCaptureTitleMenu = 4,
    kCaptureFreehand = 5,
    kCapturePointer = 6,
    kCaptureButton = 7,
    kCaptureScreen = 10,         // the Screen capture itself, after any countdown
    kCaptureWindow = 11,         // the Window capture itself, after any countdown
    kCodeSnapshotRelease = 12,   // posted after the release of a snapshot press
    kCodeSnapshotPress = 13,     // sent on a left press inside the snapshot strip
    kCodeButtonReport = 14,      // posted: lParam 1 for the right button, else 0
    kCodeBackground = 15,        // Ctrl+Shift+Alt+B: run in the background
    kCodeForeground = 16,        // Ctrl+Shift+Alt+F: back to the foreground
    kCodeHelp = 256,             // F1: help contents
};
