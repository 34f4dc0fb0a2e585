// Pixel addressing inside one packed row, and the colour-table look-ups
// the operations share. 1-bit pixel x is bit 7 - (x mod 8) of byte x / 8;
// 4-bit pixel x is the high nibble of byte x / 2 for even x, the low for
// odd x; 8-bit pixel x is byte x; 24-bit pixel x is bytes 3x..3x+2 as
// blue, green, red. A "packed" 24-bit value holds blue in bits 0-7, green
// in 8-15 and red in 16-23, the order of the bytes in the row.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>
#include <cstring>

// Index of pixel x in a 1-, 4- or 8-bit row.
inline int PixelIndex(const BYTE* row, int32_t x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
    }
}

// Writes index into pixel x of a 1-, 4- or 8-bit row, replacing what was there.
inline void SetPixelIndex(BYTE* row, int32_t x, int bitCount, int index)
{
    switch (bitCount) {
    case 1: {
        const BYTE mask = BYTE(0x80 >> (x & 7));
        row[x >> 3] = BYTE(index & 1 ? row[x >> 3] | mask : row[x >> 3] & ~mask);
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = BYTE((row[x >> 1] & 0xF0) | (index & 0x0F));
        else
            row[x >> 1] = BYTE((row[x >> 1] & 0x0F) | (index << 4));
        break;
    default: row[x] = BYTE(index); break;
    }
}

// Value of pixel x at any bit count: the index, or the packed 24-bit colour.
inline uint32_t PixelValue(const BYTE* row, int32_t x, int bitCount)
{
    if (bitCount == 24) {
        const BYTE* p = row + size_t(x) * 3;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    }
    return uint32_t(PixelIndex(row, x, bitCount));
}

inline void SetPixelValue(BYTE* row, int32_t x, int bitCount, uint32_t value)
{
    if (bitCount == 24) {
        BYTE* p = row + size_t(x) * 3;
        p[0] = BYTE(value);
        p[1] = BYTE(value >> 8);
        p[2] = BYTE(value >> 16);
    } else {
        SetPixelIndex(row, x, bitCount, int(value));
    }
}

// Copies count pixels from src (starting at pixel srcX) to dst (at dstX).
inline void CopyPixelRun(BYTE* dst, int32_t dstX, const BYTE* src, int32_t srcX, int32_t count, int bitCount)
{
    if (bitCount >= 8) {
        const size_t bytes = size_t(bitCount / 8);
        std::memcpy(dst + size_t(dstX) * bytes, src + size_t(srcX) * bytes, size_t(count) * bytes);
        return;
    }
    const int32_t perByte = 8 / bitCount;
    if (dstX % perByte == 0 && srcX % perByte == 0) {
        // Whole bytes, then the few pixels of a partial last byte.
        const int32_t whole = count / perByte;
        std::memcpy(dst + dstX / perByte, src + srcX / perByte, size_t(whole));
        for (int32_t i = whole * perByte; i < count; ++i)
            SetPixelIndex(dst, dstX + i, bitCount, PixelIndex(src, srcX + i, bitCount));
        return;
    }
    for (int32_t i = 0; i < count; ++i)
        SetPixelIndex(dst, dstX + i, bitCount, PixelIndex(src, srcX + i, bitCount));
}

// Sets count pixels starting at x to value (an index, or a packed colour).
inline void FillPixelRun(BYTE* row, int32_t x, int32_t count, int bitCount, uint32_t value)
{
    switch (bitCount) {
    case 8: std::memset(row + x, int(value & 0xFF), size_t(count)); break;
    case 24:
        if ((value & 0xFF) == (value >> 8 & 0xFF) && (value & 0xFF) == (value >> 16 & 0xFF))
            std::memset(row + size_t(x) * 3, int(value & 0xFF), size_t(count) * 3);  // white, black, grays
        else
            for (int32_t i = 0; i < count; ++i) SetPixelValue(row, x + i, 24, value);
        break;
    default:
        for (int32_t i = 0; i < count; ++i) SetPixelIndex(row, x + i, bitCount, int(value));
        break;
    }
}

inline uint32_t PackedFromColorRef(COLORREF color)
{
    return uint32_t(GetBValue(color)) | uint32_t(GetGValue(color)) << 8 | uint32_t(GetRValue(color)) << 16;
}

inline uint32_t PackedFromQuad(const RGBQUAD& q)
{
    return uint32_t(q.rgbBlue) | uint32_t(q.rgbGreen) << 8 | uint32_t(q.rgbRed) << 16;
}

inline COLORREF ColorRefFromPacked(uint32_t packed)
{
    return RGB(BYTE(packed >> 16), BYTE(packed >> 8), BYTE(packed));
}

// Index of the table entry nearest to (red, green, blue) by squared distance
// in RGB; the first of equally near entries wins.
inline int NearestColorIndex(const RGBQUAD* table, int count, int red, int green, int blue)
{
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < count; ++i) {
        const int dr = table[i].rgbRed - red, dg = table[i].rgbGreen - green, db = table[i].rgbBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}
