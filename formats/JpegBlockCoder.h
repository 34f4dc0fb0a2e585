// Encoder stage after the forward DCT: quantisation of one block and its
// Huffman coding (ITU T.81 F.1.2) into the bit writer.
#pragma once

#include "JpegBitWriter.h"
#include "JpegHuffman.h"

#include <cstdint>

struct JpegQuantTable {
    uint16_t value[64];       // zigzag order, 1..32767
    uint64_t reciprocal[64];  // ceil(2^32 / value)
    // Natural order, for the vector paths: the divisor as a float (a
    // single-precision quotient truncates exactly while the numerator stays
    // below 2^24), half of it (the rounding term), and the magnitude below
    // which the quotient is 0 (value - half), so that rows of zeros skip
    // the division.
    float divisor[64];
    int16_t half[64];
    int16_t zeroBelow[64];
    bool eightBit;            // every value fits in a byte

    // Base table in natural order, scaled for the quality.
    void Build(const BYTE base[64], int quality);
};

// Quantises a transformed block, natural order in and out: c + q/2 (away
// from zero) divided by q with truncation toward zero. Returns the mask of
// non-zero values in zigzag order (bit k for zigzag position k).
uint64_t JpegQuantizeBlock(const int16_t block[64], const JpegQuantTable& table, int16_t out[64]);

// The zigzag-order mask of a natural-order mask (bit 8 * row + column).
uint64_t JpegZigzagMask(uint64_t naturalMask);

// A Huffman table as the block coder reads it: each value's code and code
// size in one word (code << 8 | size), one load per symbol.
struct JpegCodeWords {
    uint32_t of[256];
    explicit JpegCodeWords(const JpegHuffmanTable& table);
};

struct JpegComponentCoder {
    const JpegCodeWords* dc;
    const JpegCodeWords* ac;
    int16_t previousDc;  // the DC value of the component's previous block
};

// Writes one quantised block (natural order; nonZero in zigzag order): the
// DC difference, then each non-zero AC value preceded by one ZRL per full
// 16 zeros, then EOB unless value 63 is non-zero.
void JpegEncodeBlock(JpegBitWriter& out, const int16_t block[64], uint64_t nonZero, JpegComponentCoder& coder);
