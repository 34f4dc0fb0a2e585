// Run-length coding of BMP pixel rows (BI_RLE8 and BI_RLE4).
//
// Decoding accepts every escape (end of row, end of bitmap, delta, literal
// runs with their word padding) and is clipped to the image: runs past a
// row's end are cut, a delta or end of row past the last row ends the
// bitmap, and input that ends early leaves the remaining pixels zero.
//
// The 8-bit encoder is the one the RLE writer has always produced: runs and
// literals of at most 255 bytes, literals of one or two bytes written as
// runs of one, no end-of-bitmap pair. The 4-bit encoder follows the same
// state machine on pixels, so a pair of different pixels becomes a run of
// two alternating nibbles.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// Decodes RLE8 (bitCount 8) or RLE4 (bitCount 4) data into a zero-filled
// bottom-up pixel block of height rows of stride bytes. With topDown the
// coded rows run from the top of the picture (the last row of the block)
// down.
void DecodeRle(const BYTE* data, size_t size, int bitCount, BYTE* bits, int32_t width, int32_t height,
               size_t stride, bool topDown = false);

// Largest encoded size of one row of width pixels, end-of-row pair included.
uint64_t RleRowBound(int32_t width);

// Encodes one row (width pixels of bitCount 8 or 4, packed as in the pixel
// block) followed by the end-of-row pair 0, 0; returns the bytes written
// to out, which holds at least RleRowBound(width) bytes.
size_t EncodeRleRow(const BYTE* row, int32_t width, int bitCount, BYTE* out);
