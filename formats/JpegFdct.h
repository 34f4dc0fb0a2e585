// The encoder's fixed-point 8x8 forward DCT.
#pragma once

#include <cstdint>

// In place: block holds samples minus 128 (natural order) and receives the
// coefficients in natural order, row = vertical frequency, scaled as in
// ITU T.81 A.3.3 (the DC value is the sum of the samples / 8).
void JpegForwardDct(int16_t block[64]);
