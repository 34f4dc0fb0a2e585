// The hook library's shared state and the logic that runs on it: the
// mouse hook's reaction to one mouse message, the HotButton click counter
// polled by the program's timer, and the translation of the HotButton
// settings. Everything is a pure function of HookData plus a tick count,
// so the state machine runs natively under a fake clock in the tests; the
// hook procedures in kesthook.cpp only read the system and carry out the
// returned actions.
//
// HookData is the layout of the shared section: every field is a 32-bit
// word, in the order the library has always used. Window, module, hook and
// cursor handles are stored as 32-bit words (the library is 32-bit only).
#pragma once

#include <cstdint>

struct HookData {
    uint32_t targetWindow;
    int32_t snapLeft, snapTop, snapRight, snapBottom;  // right and bottom exclusive
    uint32_t leftButtonTaken;
    uint32_t module;
    int32_t leftDoubleCode, middleSingleCode, middleDoubleCode, rightSingleCode, rightDoubleCode;
    uint32_t doubleClickTime;  // milliseconds
    uint32_t snapshotPressed;
    uint32_t leftFirst, leftSecond;
    uint32_t middleFirst, middleSecond;
    uint32_t rightFirst, rightSecond;
    uint32_t leftTime1, leftTime2;  // tick counts, 0 = none
    uint32_t middleTime1, middleTime2;
    uint32_t rightTime1, rightTime2;
    uint32_t lastTick;
    uint32_t keyboardHook, mouseHook;
    uint32_t lastCursor;
};
static_assert(sizeof(HookData) == 30 * 4, "HookData is 30 words");

// Double-click time until the first process attach reads the system's.
const uint32_t kInitialDoubleClickTime = 452;

// Mouse messages the hook reacts to (client and non-client forms). Over a
// window whose class asks for double clicks, the system turns the second
// press of a double click into a double-click message instead of a press;
// those count as presses, or no double click would ever be seen there.
const unsigned kMsgLeftDown = 0x0201, kMsgNcLeftDown = 0x00A1;
const unsigned kMsgLeftDoubleClick = 0x0203, kMsgNcLeftDoubleClick = 0x00A3;
const unsigned kMsgLeftUp = 0x0202, kMsgNcLeftUp = 0x00A2;
const unsigned kMsgRightUp = 0x0205, kMsgNcRightUp = 0x00A5;
const unsigned kMsgMiddleDown = 0x0207, kMsgNcMiddleDown = 0x00A7;
const unsigned kMsgMiddleDoubleClick = 0x0209, kMsgNcMiddleDoubleClick = 0x00A9;

// What the mouse hook must do for one message, in this order: send code
// 13, post code 14 (with buttonReportParam), post code 12, take the cursor.
// The click counting itself is already applied to the HookData.
struct MouseActions {
    bool sendSnapshotPress = false;
    bool postButtonReport = false;
    int buttonReportParam = 0;
    bool postSnapshotRelease = false;
    bool takeCursor = false;
};

// One mouse message seen by the hook with hook code 0 (HC_ACTION).
// x, y: the pointer in screen coordinates; tick: the current tick count.
MouseActions OnMouseMessage(HookData& data, unsigned message, int x, int y, uint32_t tick);

// The ClickCounter poll at tick now: the HotButton code to post with the
// last cursor, or -1 when nothing is to be posted. First matching case only.
int PollClicks(HookData& data, uint32_t now);

// Stores the five HotButton codes; leftDouble is the HotButton dialog's
// column index (no Title & Menu column) and is translated to a capture
// code; an index outside 0-6 leaves the stored left-double code unchanged.
void StoreButtonShotDef(HookData& data, int leftDouble, int middleSingle, int middleDouble, int rightSingle,
                        int rightDouble);
