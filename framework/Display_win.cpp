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

namespace {
// Making a display context costs about a millisecond under Wine, and the
// depth is asked for on every capture and every image paint. 0 means not
// known yet or no context could be made.
int g_displayDepth = 0;
}

int DisplayDepth()
{
    if (!g_displayDepth) {
        DisplayContext display;
        g_displayDepth = DepthOf(display.get());
    }
    return g_displayDepth;
}

void ForgetDisplayDepth() { g_displayDepth = 0; }

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
