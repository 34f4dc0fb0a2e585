// Bringing the main frame forward, shared by the capture pipeline (Bring
// Kestrel To Top, Save As of a capture) and the dispatcher (the foreground
// key chord).
#include "CaptureCore.h"

#include "../framework/WinApp.h"

void BringMainFrameForward(int runningMode, HWND triggerWindow)
{
    HWND frame = WinApp::MainWnd();
    if (!frame) return;
    if (IsIconic(frame))
        ShowWindow(frame, SW_RESTORE);
    else if (runningMode == 0)
        ShowWindow(frame, SW_SHOWNORMAL);
    else if (!triggerWindow || GetParent(triggerWindow) != frame)
        SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(frame);
}
