// Copying 24-bit pixels between the red-green-blue byte order of TIFF and
// PNG files and the blue-green-red order of DIB rows (the same swap serves
// both ways).
#pragma once

#include "../framework/kernel.h"

#include <cstddef>

// out and in hold pixels * 3 bytes and do not overlap.
void CopySwappingRedBlue(BYTE* out, const BYTE* in, size_t pixels);
