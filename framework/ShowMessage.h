// The program's standard message box: a text of the program's string
// table with the application title as caption, owned by the main window.
#pragma once

#include <windows.h>

// Shows string id; returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(UINT id, UINT flags = MB_OK | MB_ICONEXCLAMATION);
