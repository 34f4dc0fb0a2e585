// Colour side of the JPEG encoder: BGR pixels to luma and 2x2-subsampled
// chroma (JFIF weights in 14-bit fixed point, as JpegLuma and friends),
// in one pass over each pair of rows. A chroma sample is the rounded mean
// of the four full-resolution chroma values of its square, each already
// truncated to a byte.
#pragma once

#include "../framework/kernel.h"

// Two rows of 2 * pairs BGR pixels: the luma of each pixel into yTop and
// yBottom, one Cb and one Cr per 2x2 square into cb and cr. Takes the
// active vector path.
void JpegBgrRowsToYcc(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb, BYTE* cr);
