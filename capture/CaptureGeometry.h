// Pure geometry of a capture: whether a capture rectangle yields a picture
// at all, clipping to the screen, the capture depth for a display depth and
// the place and text of the "%dx%d" size readout. Rectangles are in screen
// coordinates with right and bottom exclusive.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>
#include <string>

// Width and height of rc when both are positive and fit a signed 32-bit
// pixel count; false for an empty or reversed rectangle (a click without a
// drag, a reversed stored screen area, a window clipped away).
bool CaptureExtent(const RECT& rc, int32_t* width, int32_t* height);

// rc intersected with the screen (0, 0, screenWidth, screenHeight); an
// empty result is (0, 0, 0, 0).
RECT ClipToScreen(const RECT& rc, int screenWidth, int screenHeight);

// Bit count of the capture image for a display of displayDepth bits per
// pixel (colour planes times bits per pixel): 1, 4 and 8 stay, anything
// deeper becomes 24. Depths between the listed ones round up to the next
// image depth (2 -> 4, 5 -> 8) so that every pixel value fits.
int CaptureBitCount(int displayDepth);

// "%dx%d" with rc's width and height (signed, as the rectangle has them).
std::string SizeReadoutText(const RECT& rc);

// Top-left corner of a readout of textWidth x textHeight centred in rc:
// x = (right - textWidth + left) / 2, y = (bottom - textHeight + top) / 2,
// halves truncated as C division does.
POINT SizeReadoutOrigin(const RECT& rc, int textWidth, int textHeight);
