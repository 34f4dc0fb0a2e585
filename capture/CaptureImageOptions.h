// The Capture page's image options on a fresh capture: Add Frame and Mat and
// the colour option, done by the Tool menu's operations.
#pragma once

#include "../settings/Options.h"

class XImage;

// The frame and mat widths are kept in their ranges whatever the settings
// file holds. Each replaces the image's size, bit count, pixel and header
// blocks by the operation's result; one that fails shows its message and
// leaves the image as it was.
void ApplyCaptureFrame(XImage* image, const FrameOptions& frame);
// colorOption is one of the Capture page's ColorOption values; kColorAsIs
// leaves the image alone.
void ApplyCaptureColorOption(XImage* image, int colorOption, const BlackWhiteOptions& blackWhite);
