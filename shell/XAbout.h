// The About box (template 1126): product and version, the display's
// resolution and colours, the display driver's description, and a small
// animation driven by a 100 ms timer.
#pragma once

#include "../framework/Dialog.h"

#include <string>

// "2", "16", "256", "32K", "65K" or "16.8M" for 1, 4, 8, 15, 16, 24 (and 32)
// bits per pixel; the plain count otherwise.
std::string ColorCountText(int bitsPerPixel);

class XAboutDialog : public Dialog {
public:
    XAboutDialog();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void OnTimer();
    int m_nFrame = 0;
};
