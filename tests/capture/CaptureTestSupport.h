// Helpers of the capture core's Win32 tests: independent reads of screen
// and bitmap pixels, painted test windows, and a watcher that answers
// message boxes so that a failure path cannot block the test run.
#pragma once

#include "capture/CaptureRequest.h"
#include "settings/Settings.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// 0x00RRGGBB pixels, rows top-down.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> data;
    uint32_t At(int x, int y) const { return data[size_t(y) * width + x]; }
    bool operator==(const Pixels& o) const { return width == o.width && height == o.height && data == o.data; }
};

// The screen area through the screen's window DC (GetDC(NULL)), BitBlt
// into a 32-bit DIB section: an independent path from the product's grab.
Pixels ReadScreen(const RECT& area);
// A device bitmap's pixels through GetDIBits at 32 bits, top-down.
Pixels ReadBitmap(HBITMAP bitmap);
// An image's 24-bit bottom-up pixel block as 0x00RRGGBB top-down.
Pixels ReadImageBlock(HGLOBAL bits, int width, int height);

// A request of mode for area, without trigger window or cursor.
CaptureRequest RequestFor(int mode, const RECT& area);

// The system defaults of the options with this screen's size, so that a
// Screen capture by default covers the whole screen.
SystemDefaults ScreenDefaults();

// A visible, non-topmost pop-up window filled with colour (COLORREF) that
// repaints itself; its colour can be changed.
HWND CreateColourWindow(const RECT& at, COLORREF colour);
void SetWindowColour(HWND hwnd, COLORREF colour);
// Registers the "CoverWindow" class once for the whole test program.
bool EnsureCoverWindowClass();

// False on an X server without a window manager, where Wine waits about
// two seconds each time a window that was shown with activation is
// unmapped (hidden or destroyed); a Wine virtual desktop does not wait.
bool WindowsUnmapQuickly();
// Lets queued paint and show messages run.
void PumpMessages(int milliseconds);

// Closes every message box of this process while it runs and remembers
// the texts it saw.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    std::vector<std::string> Texts();

private:
    void Run();
    std::atomic<bool> m_stop{false};
    std::vector<std::string> m_texts;
    CRITICAL_SECTION m_lock;
    std::thread m_thread;
};
