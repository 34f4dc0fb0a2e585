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
// Where the full-screen view puts the canvas origin so that the bounding
// box of places (spanning the origin) is centred on a screen of the given
// size; 0 on an axis where the box is at least as large as the screen.
POINT FullViewOrigin(const std::vector<RECT>& places, int screenWidth, int screenHeight);
