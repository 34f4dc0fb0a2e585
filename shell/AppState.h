// Program-wide handles that every Win32 part of the program reaches for.
// g_hInstance and g_hMainWnd are defined in AppState.cpp, g_hStatusBar
// with the main frame.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInstance;  // the program's module, for resources and classes
extern HWND g_hMainWnd;        // the main frame: trigger, progress and New target
extern HWND g_hStatusBar;      // the main frame's status bar (the progress meter)
