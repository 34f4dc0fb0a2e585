// BI_RLE8 / BI_RLE4 as laid out in the Windows bitmap documentation: pairs
// (count, value) are runs; (0, 0) ends a row, (0, 1) ends the bitmap,
// (0, 2, dx, dy) moves the position, (0, n >= 3) starts n literal pixels
// padded to a 16-bit boundary. In RLE4 a run alternates the two nibbles of
// its value byte, high nibble first.
#include "XFileBmpRle.h"

namespace {
// Pixel x of a packed row of 8- or 4-bit pixels.
inline int PixelAt(const BYTE* row, int32_t x, int bitCount)
{
    if (bitCount == 8) return row[x];
    return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
}

inline void PutPixel(BYTE* row, int32_t x, int value, int bitCount)
{
    if (bitCount == 8) {
        row[x] = BYTE(value);
    } else {
        BYTE& b = row[x >> 1];
        b = (x & 1) ? BYTE((b & 0xF0) | (value & 0x0F)) : BYTE((b & 0x0F) | (value << 4));
    }
}
}

void DecodeRle(const BYTE* data, size_t size, int bitCount, BYTE* bits, int32_t width, int32_t height,
               size_t stride, bool topDown)
{
    size_t pos = 0;
    int32_t x = 0;
    int32_t y = 0;
    while (y < height && size - pos >= 2) {
        const int a = data[pos];
        const int b = data[pos + 1];
        pos += 2;
        BYTE* row = bits + size_t(topDown ? height - 1 - y : y) * stride;
        if (a > 0) {
            for (int i = 0; i < a && x < width; ++i, ++x)
                PutPixel(row, x, bitCount == 8 ? b : ((i & 1) ? (b & 0x0F) : (b >> 4)), bitCount);
        } else if (b == 0) {
            x = 0;
            ++y;
        } else if (b == 1) {
            break;
        } else if (b == 2) {
            if (size - pos < 2) break;
            // Positions beyond the row are clipped; beyond the last row end it.
            x += data[pos];
            if (x > width) x = width;
            y += data[pos + 1];
            pos += 2;
        } else {
            const size_t bytes = bitCount == 8 ? size_t(b) : size_t(b + 1) / 2;
            const size_t present = bytes < size - pos ? bytes : size - pos;
            const BYTE* literal = data + pos;
            for (int i = 0; i < b && x < width; ++i, ++x) {
                const size_t index = bitCount == 8 ? size_t(i) : size_t(i) / 2;
                if (index >= present) break;
                PutPixel(row, x, bitCount == 8 ? literal[i] : PixelAt(literal, i, 4), bitCount);
            }
            const size_t padded = (bytes + 1) & ~size_t(1);
            pos += padded < size - pos ? padded : size - pos;
        }
    }
}

uint64_t RleRowBound(int32_t width) { return 2 * uint64_t(width > 0 ? width : 0) + 2; }

size_t EncodeRleRow(const BYTE* row, int32_t width, int bitCount, BYTE* out)
{
    BYTE* const start = out;
    // p: first pixel not yet written; q: scan position in literal mode. In
    // repeat mode the scan position is p itself (the run's pixels are
    // consumed as they are seen).
    int32_t p = 0;
    int32_t q = 1;
    int v = PixelAt(row, 0, bitCount);
    int n = 1;
    bool literal = true;

    auto flushLiteral = [&]() {
        if (n == 0) return;
        if (n <= 2 && bitCount == 4) {
            *out++ = BYTE(n);
            *out++ = BYTE(PixelAt(row, p, 4) << 4 | (n == 2 ? PixelAt(row, p + 1, 4) : 0));
        } else if (n <= 2) {
            for (int i = 0; i < n; ++i) {
                *out++ = 1;
                *out++ = row[p + i];
            }
        } else {
            *out++ = 0;
            *out++ = BYTE(n);
            size_t bytes = bitCount == 8 ? size_t(n) : size_t(n + 1) / 2;
            if (bitCount == 8) {
                for (int i = 0; i < n; ++i) *out++ = row[p + i];
            } else {
                for (size_t i = 0; i < bytes; ++i) {
                    const int32_t x = p + int32_t(2 * i);
                    *out++ = BYTE(PixelAt(row, x, 4) << 4 | (x + 1 < p + n ? PixelAt(row, x + 1, 4) : 0));
                }
            }
            if (bytes & 1) *out++ = 0;
        }
        p += n;
    };
    auto flushRepeat = [&]() {
        if (n == 0) return;
        *out++ = BYTE(n);
        *out++ = BYTE(bitCount == 8 ? v : (v << 4 | v));
    };

    for (int32_t remaining = width - 1; remaining > 0; --remaining) {
        if (literal) {
            const int next = PixelAt(row, q, bitCount);
            if (next != v) {
                if (n > 254) {
                    flushLiteral();
                    n = 0;
                }
                v = next;
                ++n;
                ++q;
                continue;
            }
            // The literal's last pixel starts a repeat: write the rest of
            // the literal, then count this pixel in repeat mode at once.
            --n;
            flushLiteral();
            v = PixelAt(row, p, bitCount);
            ++p;
            n = 1;
            literal = false;
        }
        if (PixelAt(row, p, bitCount) == v) {
            if (n > 254) {
                flushRepeat();
                n = 0;
            }
            ++n;
            ++p;
        } else {
            flushRepeat();
            v = PixelAt(row, p, bitCount);
            n = 1;
            q = p + 1;
            literal = true;
        }
    }
    if (literal)
        flushLiteral();
    else
        flushRepeat();
    *out++ = 0;
    *out++ = 0;
    return size_t(out - start);
}
