// Default bodies of the capture routines in CaptureDispatchSeams.h.
#include "CaptureDispatchSeams.h"

#include "../capture/CaptureState.h"

void CaptureActiveWindow()
{
    g_bCaptureInProgress = FALSE;
}

void SelectTitleAndMenu()
{
    g_bCaptureInProgress = FALSE;
}
