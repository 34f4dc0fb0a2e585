// Program-wide capture state shared by the main frame's dispatcher and the
// capture engine: the capture mode, the flags that make the frame drop
// triggers, the capture rectangle and the trigger context.
#pragma once

#include "../hook/HookWire.h"

#include <windows.h>

extern int g_nCaptureMode;            // a capture's TriggerCode while it runs

extern BOOL g_bCaptureInProgress;     // trigger .. end of FinishCapture
extern BOOL g_bCaptureBusy;           // inside FinishCapture
extern BOOL g_bPrinting;              // around printing and the File Open dialog

// Set by ArmTracking while an interactive capture owns the mouse.
extern BOOL g_bTracking;

// Screen coordinates, right and bottom exclusive.
extern RECT CaptureRect;

// Recorded by the dispatcher when a trigger arrives.
extern HWND TriggerWindow;            // foreground window at that moment
extern HCURSOR TriggerCursor;         // cursor of the application under the pointer
