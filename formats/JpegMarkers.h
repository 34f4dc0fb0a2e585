// Marker parser of the JPEG reader: walks the segments from SOI to the
// first SOS, loads the quantisation and Huffman tables as they come, and
// checks that the frame is one the decoder handles (baseline sequential,
// 8-bit, one or three components, one interleaved scan holding them all).
#pragma once

#include "JpegHuffman.h"

#include <cstddef>
#include <cstdint>

struct JpegComponent {
    int id;
    int h, v;        // sampling factors, 1..4
    int quantTable;  // 0..3
    int dcTable, acTable;
};

struct JpegHeader {
    int precision = 0;
    int width = 0, height = 0;
    int componentCount = 0;
    JpegComponent components[4] = {};
    int restartInterval = 0;
    // Per component (frame order): index of the component in scan order.
    int scanOrder[4] = {};
    size_t scanOffset = 0;  // first byte of entropy-coded data
    // An Adobe marker with transform 0: three components hold R, G and B
    // as they are, not Y, Cb and Cr.
    bool rgb = false;

    bool hasQuant[4] = {};
    uint16_t quant[4][64] = {};  // zigzag order
    JpegHuffmanTable dc[4], ac[4];

    int maxH = 1, maxV = 1;
    int blocksPerMcu = 0;
};

// Parses data[0, size). True when the file is a supported baseline JPEG
// and header holds everything the decoder needs.
bool ParseJpegHeaders(const BYTE* data, size_t size, JpegHeader& header);
