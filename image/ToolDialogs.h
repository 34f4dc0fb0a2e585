// The small dialogs of the Tool menu: Frame, Scale, Black and White, Check
// Color, and the modeless Merge status box.
#pragma once

#include "../framework/Dialog.h"
#include "../settings/Options.h"
#include "ImageOps.h"

#include <windows.h>

#include <cstdint>

// Frame widths and colours; *frame changes only on OK.
bool RunFrameDialog(HWND owner, FrameOptions* frame);
// The new size for an image of width x height; false on Cancel. Both
// values are at least 1.
bool RunScaleDialog(HWND owner, int32_t width, int32_t height, int64_t* newWidth, int64_t* newHeight);
// The black-and-white table; *table changes only on OK.
bool RunBlackWhiteDialog(HWND owner, BlackWhiteOptions* table);
// Shows picked; true when the user asked to change it.
bool RunCheckColorDialog(HWND owner, COLORREF picked);

// "Merge": one line of text, centred on owner, shown for its lifetime.
class MergeStatusBox {
public:
    explicit MergeStatusBox(HWND owner);

    void Show(MergeStage stage);

private:
    Dialog m_box;
};
