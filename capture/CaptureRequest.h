// What one capture works on, built by the dispatcher when a trigger
// arrives and handed down by value: the capture mode, the screen rectangle
// it takes and the trigger context. Selections fill in the rectangle on
// their own copy; nothing in it outlives the capture.
#pragma once

#include "../hook/HookWire.h"

#include <windows.h>

struct CaptureRequest {
    int mode = kCaptureNone;          // the capture's TriggerCode
    RECT captureRect = {0, 0, 0, 0};  // screen coordinates, right and bottom exclusive
    HWND triggerWindow = nullptr;     // foreground window when the trigger arrived
    HCURSOR triggerCursor = nullptr;  // cursor of the application under the pointer
    RECT snapshotStrip = {0, 0, 0, 0}; // snapshot buttons on the title bar: never in the picture
    POINT lastButton = {0, 0};        // pointer at the hook library's last mouse-button report
    bool lastButtonRight = false;     // that report was a right-button release
};
