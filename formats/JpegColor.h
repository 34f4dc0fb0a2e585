// Colour conversion between RGB and YCbCr (JFIF weights), in the integer
// forms of the decoder and the encoder.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>

// Decoder: one row of Y, Cb and Cr samples (full resolution) to B, G, R.
// R = Y + redFromCr[Cr], G = Y + ((greenFromCb[Cb] + greenFromCr[Cr]) >> 14),
// B = Y + blueFromCb[Cb], each clamped to 0..255.
void JpegYCbCrToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count);
// The same with Cb and Cr at half horizontal resolution: chroma sample i
// serves Y samples 2i and 2i + 1 (upsampling by replication).
void JpegYCbCrHalfToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count);
// Two rows of Y that share their chroma rows (4:2:0), converted together.
void JpegYCbCrHalfToBgrPair(const BYTE* y0, const BYTE* y1, const BYTE* cb, const BYTE* cr, BYTE* bgr0, BYTE* bgr1,
                            int count);

// Components that hold R, G and B themselves: one row of each to B, G, R.
void JpegRgbToBgr(const BYTE* r, const BYTE* g, const BYTE* b, BYTE* bgr, int count);

// The decoder's tables, for tests: index i stands for x = 2i - 255.
struct JpegColorTables {
    int16_t redFromCr[256];
    int16_t blueFromCb[256];
    int32_t greenFromCr[256];
    int32_t greenFromCb[256];
};
const JpegColorTables& JpegDecoderColorTables();

// Encoder: weights scaled by 16384; inputs 0..255 give outputs 0..255.
inline BYTE JpegLuma(int r, int g, int b) { return BYTE((g * 9617 + r * 4899 + b * 1868 + 8192) >> 14); }
inline BYTE JpegBlueChroma(int r, int g, int b) { return BYTE(((b + 256) * 8192 - g * 5427 - r * 2765) >> 14); }
inline BYTE JpegRedChroma(int r, int g, int b) { return BYTE(((r + 256) * 8192 - g * 6860 - b * 1332) >> 14); }
