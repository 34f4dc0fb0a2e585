// Definitions of the program-wide handles; set at start-up by WinMain and
// the application object.
#include "AppState.h"

HINSTANCE g_hInstance = nullptr;
HWND g_hMainWnd = nullptr;
