// The print settings sheet "Kestrel Print": pages Print, Notepad, Header,
// Footer and Macros beside a live preview of the page and the page count.
// It works on copies of the print options and texts and stores them only
// on OK; fonts and the date/time formats are stored as soon as they are
// picked, as their dialogs confirm.
#pragma once

#include "../settings/Options.h"
#include "../settings/SettingsProfile.h"

#include <windows.h>

#include <string>

class XImage;

struct PrintSheetInput {
    Options& options;          // the live options
    SettingsProfile& profile;  // where confirmed options are written
    const XImage* image;       // previewed; null: an empty page
    std::string& note;         // notes text: shown, and replaced on OK when not empty
};

// Opens the sheet on the current printer (chosen first when need be).
// False on Cancel, or after "Printer or printer driver is not available."
// or "Current printer driver can't print bitmaps.".
bool RunPrintSheet(HWND owner, PrintSheetInput& input);

// The window procedure of "PrnClass", the position cells: a rectangle,
// filled black when its window data is non-zero; a click or the focus
// tells the parent with WM_COMMAND (BN_CLICKED).
LRESULT CALLBACK PositionCellProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
