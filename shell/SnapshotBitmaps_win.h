// The snapshot buttons' bitmaps: an up and a down image of every button
// and the strip of the switched-on up images, all compatible with the
// display. The pictures come from SnapshotGlyphs; this file only turns
// them into device bitmaps. The bitmaps are rebuilt when the settings or
// the Snapshot Buttons dialog change them and live until exit.
#pragma once

#include "SnapshotStrip.h"

#include "../framework/GdiHandles.h"

#include <windows.h>

class SnapshotBitmaps {
public:
    // Builds the ten button images of strip's button size and the strip
    // image with the face colour and the system's bevel colours. With no
    // button size (a tiny caption) every bitmap is null.
    void Build(const SnapshotStrip& strip, COLORREF face);
    void Delete();

    // Null when not built.
    HBITMAP Button(int button, bool down) const;
    HBITMAP Strip() const { return m_strip.get(); }

private:
    GdiObject<HBITMAP> m_up[kSnapButtonCount];
    GdiObject<HBITMAP> m_down[kSnapButtonCount];
    GdiObject<HBITMAP> m_strip;
};

// Copies bitmap (width x height) to the display at (x, y), over whatever
// window is there.
void CopyBitmapToScreen(HBITMAP bitmap, int x, int y, int width, int height);
