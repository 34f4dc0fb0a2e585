// Placement of a document's images on its canvas and the canvas size the
// views scroll over. Image i sits at (50 i, 50 i); the canvas spans every
// placement (and the origin) plus the display margins on both sides.
// Portable.
#pragma once

#include "../framework/kernel.h"

#include <vector>

RECT PlacementForSlot(int slot, int width, int height);
// Width and height of the canvas over places, computed in 64 bits and
// clamped to the 32-bit range.
SIZE CanvasExtent(const std::vector<RECT>& places, int marginX, int marginY);
