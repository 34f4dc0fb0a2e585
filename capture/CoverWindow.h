// The cover window: a borderless, hidden pop-up over the whole screen that
// shows the frozen picture of the screen while a selection is armed, so the
// user selects on a still image and later grabs read that image.
// The settings store registers the class and creates the window once at
// start-up; exit destroys it.
#pragma once

#include <windows.h>

// Registers "CoverWindow" (class style 0, no icon, no cursor, white stock
// brush); false when registration fails.
bool RegisterCoverWindowClass(HINSTANCE instance);
// Creates the hidden cover window at (0, 0) with the screen's size, no
// title, parent or menu; false when it cannot be made. Creating it again
// replaces the earlier one.
bool CreateCoverWindow(HINSTANCE instance);
// Destroys the cover window and the frozen picture, if any.
void DestroyCoverWindow();

HWND CoverWindowHandle();
// The frozen picture while the screen is frozen, null otherwise.
HBITMAP FrozenScreenBitmap();
