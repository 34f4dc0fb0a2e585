// The "CoverWindow" class, the one cover window, and freezing and thawing
// the screen with it. The window draws only on WM_ERASEBKGND, copying the
// frozen bitmap to (0, 0); every other message goes to DefWindowProc.
#include "CoverWindow.h"

#include "CaptureCore.h"
#include "CaptureGdi.h"

#include "../framework/Display.h"

namespace {

const char kCoverClass[] = "CoverWindow";

HWND g_hCoverWnd = nullptr;
HBITMAP g_hFrozenBitmap = nullptr;  // owned here from FreezeScreen to ThawScreen
int g_nFrozenWidth = 0;
int g_nFrozenHeight = 0;

void PaintFrozen(HDC dc)
{
    if (!g_hFrozenBitmap || !dc) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, g_hFrozenBitmap);
    if (old) {
        BitBlt(dc, 0, 0, g_nFrozenWidth, g_nFrozenHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

LRESULT CALLBACK CoverWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        PaintFrozen(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ForgetFrozenBitmap()
{
    if (g_hFrozenBitmap) DeleteObject(g_hFrozenBitmap);
    g_hFrozenBitmap = nullptr;
}

}  // namespace

bool RegisterCoverWindowClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = CoverWindowProc;
    wc.hInstance = instance;
    wc.hCursor = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kCoverClass;
    return RegisterClassA(&wc) != 0;
}

bool CreateCoverWindow(HINSTANCE instance)
{
    DestroyCoverWindow();
    g_hCoverWnd = CreateWindowExA(0, kCoverClass, nullptr, WS_POPUP, 0, 0, ScreenWidth(), ScreenHeight(), nullptr,
                                  nullptr, instance, nullptr);
    return g_hCoverWnd != nullptr;
}

void DestroyCoverWindow()
{
    if (g_hCoverWnd) DestroyWindow(g_hCoverWnd);
    g_hCoverWnd = nullptr;
    ForgetFrozenBitmap();
}

HWND CoverWindowHandle() { return g_hCoverWnd; }
HBITMAP FrozenScreenBitmap() { return g_hFrozenBitmap; }

void FreezeScreen()
{
    ForgetFrozenBitmap();
    {
        DisplayDC display;
        if (!display) return;
        int width = ScreenWidth(), height = ScreenHeight();
        HBITMAP bitmap = CreateCompatibleBitmap(display.get(), width, height);
        if (!bitmap) return;
        HDC memory = CreateCompatibleDC(display.get());
        bool copied = false;
        if (memory) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            if (old) {
                copied = BitBlt(memory, 0, 0, width, height, display.get(), 0, 0, SRCCOPY) != FALSE;
                SelectObject(memory, old);
            }
            DeleteDC(memory);
        }
        if (!copied) {
            // Without a picture the cover would hide the screen behind white:
            // the user then selects on the live screen instead.
            DeleteObject(bitmap);
            return;
        }
        g_hFrozenBitmap = bitmap;
        g_nFrozenWidth = width;
        g_nFrozenHeight = height;
    }
    if (!g_hCoverWnd) return;
    ShowWindow(g_hCoverWnd, SW_SHOWNORMAL);
    SetForegroundWindow(g_hCoverWnd);
    // Paint now, so that a grab made before the next message loop turn
    // already reads the frozen picture.
    UpdateWindow(g_hCoverWnd);
}

void ThawScreen()
{
    if (g_hCoverWnd) ShowWindow(g_hCoverWnd, SW_HIDE);
    ForgetFrozenBitmap();
}
