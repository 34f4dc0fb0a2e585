// The full-screen view: a top-most pop-up over the whole screen that shows
// the active image window's images, with their overlays, centred on the
// full-screen background colour. Any key or mouse button closes it. At
// most one exists, held by g_pFullView while it is open.
#pragma once

#include "../framework/Window.h"

class XWndFullView : public Window {
public:
    // Registers the view's window class: global, no cursor, background or
    // icon.
    static bool RegisterWindowClass(const char* className);
    bool Create(const char* className);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void Close();
};

extern XWndFullView* g_pFullView;

// The Full Screen View command: deletes the open view, or opens a new one
// of the class className.
void ToggleFullView(const char* className);
