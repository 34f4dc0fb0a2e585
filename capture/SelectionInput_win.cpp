// Mouse input of the selection loops. The wait wakes for mouse input or
// after a short poll, when the button state and the mouse capture are
// checked: a release can be lost to the selection (the capture taken by
// another window, a button that was never down at all). The button state is
// the one of the messages this thread has taken, not the device's, so a
// release still waiting in the queue is always taken as a message first.
#include "SelectionInput.h"

#include "../framework/WinApp.h"

namespace {

const DWORD kPollMs = 50;

bool ReleaseWentElsewhere()
{
    return (GetKeyState(VK_LBUTTON) & 0x8000) == 0 || GetCapture() != WinApp::MainWnd();
}

}  // namespace

POINT PressPosition()
{
    const DWORD pos = GetMessagePos();
    return POINT{LONG(short(LOWORD(pos))), LONG(short(HIWORD(pos)))};
}

SelectionInput NextSelectionInput()
{
    for (;;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            return SelectionInput{msg.message == WM_LBUTTONUP, msg.pt};
        if (ReleaseWentElsewhere()) return SelectionInput{true, PressPosition()};
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_MOUSE);
    }
}
