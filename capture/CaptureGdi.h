// The device context on the whole display that every capture routine reads
// and draws through ("DISPLAY" driver, no device, output or init data), and
// the screen rectangle of a window's client area. The display facts are the
// framework's (framework/Display.h).
#pragma once

#include <windows.h>

class DisplayDC {
public:
    DisplayDC() : m_dc(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayDC() { if (m_dc) DeleteDC(m_dc); }
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

inline RECT ClientOnScreen(HWND window)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}
