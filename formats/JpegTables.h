// Constant tables shared by the JPEG decoder and encoder: the zigzag
// order of ITU T.81 Figure A.6, the example quantisation tables K.1/K.2
// with their quality scaling, and the example Huffman tables K.3-K.6.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>

// kJpegZigzag[k] is the natural (row-major) index of zigzag position k.
extern const BYTE kJpegZigzag[64];

// Luminance (K.1) and chrominance (K.2) base tables in natural order.
extern const BYTE kJpegLuminanceQuant[64];
extern const BYTE kJpegChrominanceQuant[64];

// Scales a base table (natural order) for quality 1-100 into zigzag order:
// scale = 200 - 2Q for Q >= 50, else 5000 / Q; value = (base * scale + 50)
// / 100 clamped to 1..32767. Returns true when every value fits in 8 bits.
bool ScaleJpegQuantTable(const BYTE base[64], int quality, uint16_t zigzagOut[64]);

// A Huffman table as stored in a DHT segment: 16 counts and the values.
struct JpegHuffmanCodes {
    BYTE counts[16];
    const BYTE* values;
    int valueCount;
};

extern const JpegHuffmanCodes kJpegDcLuminance;    // K.3
extern const JpegHuffmanCodes kJpegDcChrominance;  // K.4
extern const JpegHuffmanCodes kJpegAcLuminance;    // K.5
extern const JpegHuffmanCodes kJpegAcChrominance;  // K.6
