// Definitions of the program-wide capture state (see CaptureState.h).
#include "CaptureState.h"

BOOL g_bCaptureInProgress = FALSE;
BOOL g_bCaptureBusy = FALSE;
BOOL g_bPrinting = FALSE;
BOOL g_bTracking = FALSE;
