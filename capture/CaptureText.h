// String-table texts for the capture core and the program's standard
// message box (OK, exclamation icon, the application title as caption).
#pragma once

#include <windows.h>

#include <string>

// The text of string id from the program's resources, or from the
// portable string table when the resources do not have it.
std::string LoadCaptureText(UINT id);
// Shows string id in the standard message box, owned by the main frame.
void ShowCaptureMessage(UINT id);
