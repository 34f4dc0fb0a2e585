// Stand-ins for the program globals and the capture image's conversion
// that the capture files need, plus the test helpers. The conversion here
// is written from the DIB rules directly (24-bit, bottom-up, rows padded to
// 4 bytes), so a test that compares its output with ReadScreen compares
// two independent paths.
#include "CaptureTestSupport.h"

#include "capture/CaptureState.h"
#include "capture/CoverWindow.h"
#include "framework/Display.h"
#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <cstring>

void XImage::InfoFromScreen()
{
    if (m_nBitCount > 8) m_nBitCount = 24;
    MakeInfo();
}

void XImage::BitsFromBitmap()
{
    OwnedBlock bits;
    if (!m_bitmap || !m_hInfo || !FitsInMemory(m_nWidth, m_nHeight, m_nBitCount) || !bits.Allocate(BitsSize())) {
        m_nOriginId = 32963;
        return;
    }
    HDC screen = GetDC(nullptr);
    int rows = 0;
    {
        LockedBlock<BYTE> info(m_hInfo), out(bits.get());
        std::vector<BYTE> header(InfoSize());
        std::memcpy(header.data(), info.get(), header.size());
        rows = GetDIBits(screen, m_bitmap, 0, UINT(m_nHeight), out.get(),
                         reinterpret_cast<BITMAPINFO*>(header.data()), DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    if (rows != m_nHeight) {
        m_nOriginId = 32963;
        return;
    }
    m_hBits.reset(bits.release());
}

void XImage::MakePalette() {}

namespace {

Pixels FromDibSection(HDC source, int x, int y, int width, int height, HBITMAP sourceBitmap)
{
    Pixels p;
    p.width = width;
    p.height = height;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return p;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, section);
    if (sourceBitmap) {
        HDC from = CreateCompatibleDC(source);
        HGDIOBJ oldFrom = SelectObject(from, sourceBitmap);
        BitBlt(memory, 0, 0, width, height, from, 0, 0, SRCCOPY);
        SelectObject(from, oldFrom);
        DeleteDC(from);
    } else {
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    }
    GdiFlush();
    const uint32_t* px = static_cast<const uint32_t*>(bits);
    p.data.assign(px, px + size_t(width) * height);
    for (uint32_t& v : p.data) v &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return p;
}

LRESULT CALLBACK ColourWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Pixels ReadScreen(const RECT& area)
{
    HDC screen = GetDC(nullptr);
    Pixels p = FromDibSection(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr);
    ReleaseDC(nullptr, screen);
    return p;
}

Pixels ReadBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    Pixels p = FromDibSection(screen, 0, 0, info.bmWidth, info.bmHeight, bitmap);
    ReleaseDC(nullptr, screen);
    return p;
}

Pixels ReadImageBlock(HGLOBAL bits, int width, int height)
{
    Pixels p;
    p.width = width;
    p.height = height;
    LockedBlock<BYTE> block(bits);
    if (!block) return p;
    size_t rowBytes = (size_t(width) * 24 + 31) / 32 * 4;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = block.get() + size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x)
            p.data.push_back(uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x]);
    }
    return p;
}

HWND CreateColourWindow(const RECT& at, COLORREF colour)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ColourWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "CaptureTestColour";
        registered = RegisterClassA(&wc) != 0;
    }
    HWND hwnd = CreateWindowExA(0, "CaptureTestColour", "", WS_POPUP, at.left, at.top, at.right - at.left,
                                at.bottom - at.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(colour));
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    return hwnd;
}

void SetWindowColour(HWND hwnd, COLORREF colour)
{
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(colour));
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

bool EnsureCoverWindowClass()
{
    static bool registered = RegisterCoverWindowClass(GetModuleHandleA(nullptr));
    return registered;
}

bool WindowsUnmapQuickly()
{
    static int quick = -1;
    if (quick < 0) {
        HWND probe = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 2, 2, nullptr, nullptr, nullptr,
                                     nullptr);
        ShowWindow(probe, SW_SHOW);
        DWORD start = GetTickCount();
        ShowWindow(probe, SW_HIDE);
        quick = GetTickCount() - start < 500 ? 1 : 0;
        DestroyWindow(probe);
    }
    return quick == 1;
}

void PumpMessages(int milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < DWORD(milliseconds));
}

MessageBoxWatcher::MessageBoxWatcher()
{
    InitializeCriticalSection(&m_lock);
    m_thread = std::thread([this] { Run(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
    DeleteCriticalSection(&m_lock);
}

std::vector<std::string> MessageBoxWatcher::Texts()
{
    EnterCriticalSection(&m_lock);
    std::vector<std::string> copy = m_texts;
    LeaveCriticalSection(&m_lock);
    return copy;
}

void MessageBoxWatcher::Run()
{
    DWORD self = GetCurrentProcessId();
    while (!m_stop) {
        HWND box = FindWindowA("#32770", nullptr);
        DWORD owner = 0;
        if (box) GetWindowThreadProcessId(box, &owner);
        if (box && owner == self && IsWindowVisible(box)) {
            char text[256] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            EnterCriticalSection(&m_lock);
            m_texts.push_back(text);
            LeaveCriticalSection(&m_lock);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            Sleep(200);
        }
        Sleep(20);
    }
}

SystemDefaults ScreenDefaults()
{
    SystemDefaults system;
    system.screenWidth = ScreenWidth();
    system.screenHeight = ScreenHeight();
    return system;
}
