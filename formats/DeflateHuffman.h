// Length-limited Huffman code lengths and their canonical codes, for the
// deflate encoder.
#pragma once

#include <cstdint>

// Code lengths (at most maxLength bits) for count symbols of the given
// frequencies; unused symbols get 0. Fewer than two used symbols are made
// two (symbols 0 and 1 when none is used), so that every code is complete.
void BuildCodeLengths(const uint32_t* frequencies, int count, int maxLength, uint8_t* lengths);

// The canonical codes of lengths, bit-reversed for an LSB-first writer.
void BuildReversedCodes(const uint8_t* lengths, int count, uint16_t* codes);
