// The HotButton Setup dialog (template 1123): one row of radio buttons per
// mouse click, one column per capture type.
#pragma once

#include "../settings/Options.h"

#include <windows.h>

// Runs the dialog modally over hotButton; true on OK, with the rows'
// choices stored in hotButton.
bool RunHotButtonDialog(HWND owner, HotButtonOptions& hotButton);
