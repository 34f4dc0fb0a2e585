// Definitions of the program-wide capture state (see CaptureState.h).
#include "CaptureState.h"

int g_nCaptureMode = kCaptureNone;
BOOL g_bCaptureInProgress = FALSE;
BOOL g_bCaptureBusy = FALSE;
BOOL g_bPrinting = FALSE;
BOOL g_bTracking = FALSE;
RECT CaptureRect = {0, 0, 0, 0};
HWND TriggerWindow = nullptr;
HCURSOR TriggerCursor = nullptr;
