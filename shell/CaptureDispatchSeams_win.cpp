// Default bodies of the capture routines in CaptureDispatchSeams.h.
#include "CaptureDispatchSeams.h"

#include "../capture/CaptureState.h"

void CaptureActiveWindow(const CaptureSettings&)
{
    g_bCaptureInProgress = FALSE;
}

void SelectTitleAndMenu(const CaptureSettings&)
{
    g_bCaptureInProgress = FALSE;
}
