// The program's standard message box: a text of the program's string
// table with the application title as caption, owned by the main window's
// last active pop-up (a modal dialog while one runs, so that it stays
// disabled under the box).
#pragma once

#include <windows.h>

#include <string>

// Shows string id; returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(UINT id, UINT flags = MB_OK | MB_ICONEXCLAMATION);
// The same box for a text composed by the caller.
int ShowMessageText(const std::string& text, UINT flags = MB_OK | MB_ICONEXCLAMATION);
