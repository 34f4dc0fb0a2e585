// Hide All Windows: every visible top-level window (the main frame too) is
// hidden before a Screen, Region or Freehand capture and shown again,
// last hidden first, when the capture has its pixels. At most 99 windows
// are recorded; enumeration stops there and the rest stay on screen, since
// nothing could show them again.
#include "CaptureCore.h"
#include "HiddenWindowList.h"

namespace {

HiddenWindowList g_hiddenWindows;

BOOL CALLBACK HideOne(HWND hwnd, LPARAM)
{
    if (g_hiddenWindows.IsFull()) return FALSE;
    if (hwnd == GetDesktopWindow() || !IsWindowVisible(hwnd)) return TRUE;
    g_hiddenWindows.Append(hwnd);
    ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

}  // namespace

void HideAllWindows(const CapturePageOptions& capture)
{
    if (!capture.hideAllWindows) return;
    // A list still held from an abandoned capture is kept and extended, so
    // that every window hidden so far is shown again by the next restore.
    EnumWindows(HideOne, 0);
}

void RestoreHiddenWindows()
{
    for (int i = g_hiddenWindows.Count(); i-- > 0;) {
        HWND hwnd = g_hiddenWindows.At(i);
        if (IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
    }
    g_hiddenWindows.Clear();
}
