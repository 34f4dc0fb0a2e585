// Decompression of a zlib stream (RFC 1950 wrapper around RFC 1951
// deflate data) into a buffer of known size, as PNG image data needs.
//
// Every fault ends the decoding with Damaged rather than a guess: a bad
// header or Adler-32, a stored block whose length check fails, a code
// length set that over-subscribes its Huffman table or leaves it incomplete
// (but for the one-code table RFC 1951 allows), a code not in its table, a
// distance that reaches before the start of the output, and data that ends
// before the final block. Output that would run past the buffer (or the
// total a sink allows) is TooLong; nothing is ever written beyond it.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>

enum class InflateError { None, Damaged, TooLong, OutOfMemory, Refused };

// Receives the output in order, in pieces of any size, without holding the
// whole of it: a PNG reader unfilters rows as they come. Returning false
// stops the inflating with Refused.
class InflateSink {
public:
    virtual bool Take(const BYTE* data, size_t size) = 0;

protected:
    ~InflateSink() = default;
};

// Inflates the zlib stream in[0..inSize) into sink, at most total bytes.
// The output passes through a window of a few hundred kilobytes.
InflateError InflateZlib(const BYTE* in, size_t inSize, size_t total, InflateSink& sink);

// Inflates the zlib stream in[0..inSize) into out[0..capacity); *written
// receives the number of bytes produced (also on failure).
InflateError InflateZlib(const BYTE* in, size_t inSize, BYTE* out, size_t capacity, size_t* written);
