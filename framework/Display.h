// Facts about the display and the system that drawing and capturing need:
// screen size, display depth and colour count, caption height with the
// title font and snapshot button sizes derived from it, and the Windows
// version. They are not settings: the program reads them at every full
// load of its settings, and the code that must see the display as it is
// now asks DisplayDepth, the one depth query.
#pragma once

#include <cstdint>

struct DisplayFacts {
    int winVersion = 0;     // low word of the version query; low byte = major
    int screenWidth = 0;    // horizontal and vertical resolution in pixels
    int screenHeight = 0;
    int depth = 0;          // colour planes x bits per pixel
    int captionHeight = 0;  // the system's caption-bar height

    int MajorVersion() const { return winVersion & 0xFF; }
    // 1 << depth (a depth beyond 62 bits counts as 62).
    int64_t ColorCount() const { return int64_t(1) << (depth < 0 ? 0 : depth > 62 ? 62 : depth); }
    // The title font (face "System") of the title-bar clock and the meter.
    int TitleFontHeight() const { return captionHeight > 20 ? 19 : 16; }
    int SnapButtonWidth() const { return captionHeight - 4; }
    int SnapButtonHeight() const { return captionHeight - 6; }
};

// Reads every fact from a context of the whole display and the system.
DisplayFacts ReadDisplayFacts();

// The low word of the version query (low byte: the major version).
int WindowsVersion();

// Colour planes times bits per pixel of the display now; 0 when no display
// context can be made. Read once and kept until ForgetDisplayDepth.
int DisplayDepth();
// Called when the display mode changes (WM_DISPLAYCHANGE): the next
// DisplayDepth reads the depth again.
void ForgetDisplayDepth();
// The screen's size from the system metrics.
int ScreenWidth();
int ScreenHeight();
