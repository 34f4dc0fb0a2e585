// Transposition of 8- and 24-bit pixels, the core of Rotate Left and Right.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// A run of equally spaced rows: the first, and the signed distance in bytes
// from one row to the next, so that an image can be walked bottom-up.
template <class Byte>
struct RowsOf {
    Byte* first;
    ptrdiff_t stride;
    Byte* Row(int32_t i) const { return first + ptrdiff_t(i) * stride; }
};
using SourceRows = RowsOf<const BYTE>;
using ResultRows = RowsOf<BYTE>;

// Pixel k of row i of `to` becomes pixel i of row k of `from`, for the
// width x height pixels of `from` at 8 or 24 bits. Every row of `from`
// holds rowBytes bytes, which vector loads may read up to; `to` has width
// rows of height pixels, and only their pixels are written. Progress is
// reported per row of `to`.
void TransposePixels(SourceRows from, size_t rowBytes, int32_t width, int32_t height, ResultRows to, int bitCount);
