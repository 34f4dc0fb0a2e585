// The display facts from a "DISPLAY" device context and the system.
#include "Display.h"

#include <windows.h>

namespace {

// A context on the whole display (no device, output or init data).
class DisplayContext {
public:
    DisplayContext() : m_dc(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayContext() { if (m_dc) DeleteDC(m_dc); }
    DisplayContext(const DisplayContext&) = delete;
    DisplayContext& operator=(const DisplayContext&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

int DepthOf(HDC dc)
{
    return dc ? GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL) : 0;
}

}  // namespace

DisplayFacts ReadDisplayFacts()
{
    DisplayFacts facts;
    facts.winVersion = WindowsVersion();
    DisplayContext display;
    if (display.get()) {
        facts.screenWidth = GetDeviceCaps(display.get(), HORZRES);
        facts.screenHeight = GetDeviceCaps(display.get(), VERTRES);
        facts.depth = DepthOf(display.get());
    }
    facts.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    return facts;
}

int WindowsVersion()
{
    return int(LOWORD(GetVersion()));
}

int DisplayDepth()
{
    DisplayContext display;
    return DepthOf(display.get());
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
