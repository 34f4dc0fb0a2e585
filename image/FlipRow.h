// Mirroring of one row of pixels, for Flip Horizontal.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>

// Pixel x of out becomes pixel width - 1 - x of in; the rows do not overlap.
using FlipRowFunction = void (*)(const BYTE* in, BYTE* out, int32_t width);

// The mirroring of bitCount rows (1, 4, 8 or 24) on the vector path that
// ActiveSimdLevel allows now.
FlipRowFunction FlipRowFor(int bitCount);
