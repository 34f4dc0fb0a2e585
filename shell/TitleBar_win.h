// The title-bar clock and snapshot strip, painted straight onto the screen
// over the caption of the foreground window. The state is what the
// painters need between timer ticks: the strip table and its bitmaps, the
// title font, the window that got the decorations last, the rectangle
// last passed to the hook library and the strip position last pressed.
//
// Nothing belongs to the other program's window: it loses the pixels when
// it redraws its frame, which is how the decorations are removed (a
// frame-changed position change with no move, size or z-order change).
#pragma once

#include "SnapshotBitmaps_win.h"
#include "SnapshotStrip.h"

#include "../framework/GdiHandles.h"

#include <windows.h>

class AppSettings;

// Redraws the frame of hwnd before returning: the capture may follow at
// once, while the window's thread waits for the trigger it sent. A window
// of another thread gets a bounded wait, so a hung one never stalls the
// caller.
void RepaintFrameNow(HWND hwnd);

class TitleBar {
public:
    // Rebuilds the strip table, the button bitmaps and the title font from
    // the settings and remembers them for PrepareForCapture; settings are
    // the application's, which outlive the title bar.
    void Build(const AppSettings& settings);
    // Deletes the bitmaps and the font (at exit).
    void Delete();

    // Timer steps.
    void UpdateButtons(const AppSettings& settings);
    void DrawClock(const AppSettings& settings);
    // Snapshot press (code 13): the button under the pointer shown down.
    void ShowPressedButton();
    // The strip rectangle last passed to the hook library (screen).
    const RECT& StripRect() const { return m_rcSnap; }
    // Capture code of the button last pressed; 0 when the press was on none.
    int PressedCode() const;
    // Takes the decorations whose Hide in Capture is on off the foreground
    // window's caption and redraws the others at once.
    void PrepareForCapture();

    // The up image of a button (the Snapshot Buttons dialog's samples).
    HBITMAP ButtonImage(int button) const { return m_bitmaps.Button(button, false); }

private:
    // The foreground window when it may carry the decorations, else null.
    // A new target makes the previous one redraw its frame.
    HWND TitleTarget();
    void PassRect(const RECT& rc);

    const AppSettings* m_pSettings = nullptr;
    SnapshotStrip m_strip;
    SnapshotBitmaps m_bitmaps;
    GdiObject<HFONT> m_titleFont;
    int m_nTitleFontHeight = 0;
    HWND m_hTarget = nullptr;
    RECT m_rcSnap = {0, 0, 0, 0};  // last passed to the hook library, screen coordinates
    int m_nPressed = -1;           // strip position of the last press, -1 for none
};
