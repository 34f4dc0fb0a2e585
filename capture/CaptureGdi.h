// The device context on the whole display that every capture routine reads
// and draws through ("DISPLAY" driver, no device, output or init data),
// and the display facts read from it.
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

// Colour planes times bits per pixel of the display; 0 when no display
// context can be made.
int DisplayDepth();
// Horizontal and vertical resolution in pixels.
int ScreenWidth();
int ScreenHeight();
