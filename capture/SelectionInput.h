// The input of a selection made with the left button held down (the Region
// rubber band, the freehand stroke, the button click): waits for mouse
// messages and takes only those, leaving every other message queued until
// the selection ends. Positions are the ones each message was made at, in
// screen pixels: the pointer read later may already be elsewhere, or, as
// under Wine, still lag behind the message just taken.
#pragma once

#include <windows.h>

struct SelectionInput {
    bool released;  // the left button's release
    POINT pt;       // where the pointer was when the message was made
};

// Waits for the next mouse message and removes it. A release also when the
// button is found up, or the main frame has lost the mouse, with no mouse
// message waiting, so that a release that went to another window can never
// keep a selection running.
SelectionInput NextSelectionInput();

// Where the pointer was when the message being handled (the press that
// starts the selection) was made.
POINT PressPosition();
