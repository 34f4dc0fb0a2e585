// The common colour dialog, with one set of custom colours that every
// caller in the program shares for as long as it runs.
#pragma once

#include <windows.h>

// Opens the dialog at *color (fully opened when openFull); true, with
// *color set, when the user chose OK.
bool ChooseColorFor(HWND owner, COLORREF* color, bool openFull = true);
