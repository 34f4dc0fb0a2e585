// The HotKey Setup dialog (template 1122): a keyboard of 101 "KeyClass"
// caps on which the user picks, per capture type, the key and the
// modifiers that must be held. The caps draw and click through the dialog,
// which owns the working copy and the drawing resources.
#pragma once

#include "../settings/HotKeyAssignment.h"

#include <windows.h>

// Runs the dialog modally over a working copy of keys. lastType is the
// type edited last (the radio selected when the dialog opens), updated on
// OK. True when OK passed the rules; keys then holds the new assignment.
bool RunHotKeyDialog(HWND owner, HotKeyAssignment& keys, int& lastType);

// The window procedure of the "KeyClass" caps: painting and a left click
// are passed to the dialog that holds the cap.
LRESULT CALLBACK KeyCapWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
