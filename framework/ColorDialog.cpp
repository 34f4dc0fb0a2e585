#include "ColorDialog.h"

#include <commdlg.h>

bool ChooseColorFor(HWND owner, COLORREF* color, bool openFull)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = *color;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | (openFull ? CC_FULLOPEN : 0);
    if (!ChooseColorA(&choose)) return false;
    *color = choose.rgbResult;
    return true;
}
