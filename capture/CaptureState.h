// Program-wide capture state shared by the main frame's dispatcher and the
// capture engine: the flags that make the frame drop triggers and hold
// back the title-bar decorations. What a capture works on travels in its
// CaptureRequest instead.
#pragma once

#include <windows.h>


extern BOOL g_bCaptureInProgress;     // trigger .. end of FinishCapture
extern BOOL g_bCaptureBusy;           // inside FinishCapture
extern BOOL g_bPrinting;              // around printing and the File Open dialog

// Set by ArmTracking while an interactive capture owns the mouse.
extern BOOL g_bTracking;
