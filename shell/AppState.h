// Program-wide handles that every Win32 part of the program reaches for.
// Defined by the application object at start-up.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInstance;  // the program's module, for resources and classes
extern HWND g_hMainWnd;        // the main frame: trigger, progress and New target
