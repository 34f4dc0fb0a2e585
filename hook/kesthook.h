// Exports of kesthook.dll, the system-wide keyboard and mouse hook library.
// All are cdecl and return nothing; the program links them by name.
#pragma once

#include <windows.h>

#ifdef KESTHOOK_BUILD
#define KESTHOOK_API extern "C" __declspec(dllexport)
#else
#define KESTHOOK_API extern "C" __declspec(dllimport)
#endif

// Non-zero installs the keyboard (type 2) and mouse (type 7) hooks for all
// threads; zero removes both.
KESTHOOK_API void __cdecl InstallHooks(int install);
// The main frame window that receives WM_USER+1 and WM_USER+3.
KESTHOOK_API void __cdecl PassKestrelWnd(HWND hwnd);
// HotButton capture codes; leftDouble is the dialog's column index.
KESTHOOK_API void __cdecl PassButtonShotDef(int leftDouble, int middleSingle, int middleDouble,
                                            int rightSingle, int rightDouble);
// Non-zero while the program owns the left button for an interactive capture.
KESTHOOK_API void __cdecl PassLeftButtonStatus(int taken);
// The snapshot-button rectangle in screen coordinates, right/bottom exclusive.
KESTHOOK_API void __cdecl PassSnapRect(const RECT* rect);
// Polls the click state and posts at most one HotButton trigger.
KESTHOOK_API void __cdecl ClickCounter(void);
