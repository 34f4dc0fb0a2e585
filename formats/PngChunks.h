// The chunk layer of PNG (ISO/IEC 15948): the signature, big-endian
// fields, the CRC-32 every chunk carries, and the image header.
#pragma once

#include "Crc32.h"

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline uint32_t LoadBigU32(const BYTE* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
inline void StoreBigU32(BYTE* p, uint32_t v)
{
    p[0] = BYTE(v >> 24);
    p[1] = BYTE(v >> 16);
    p[2] = BYTE(v >> 8);
    p[3] = BYTE(v);
}

struct PngChunk {
    char type[5];       // four letters and a terminator
    const BYTE* data;
    uint32_t length;
};

// Walks the chunks after the signature. Next fails (false, with Damaged
// set) for a chunk that is cut short, longer than 2^31 - 1 bytes or whose
// CRC does not match; it returns false without Damaged at the end of data.
class PngChunkReader {
public:
    PngChunkReader(const BYTE* data, size_t size);
    bool Next(PngChunk& chunk);
    bool Damaged() const { return m_bDamaged; }

private:
    const BYTE* m_pAt;
    const BYTE* m_pEnd;
    bool m_bDamaged = false;
};

struct PngHeader {
    uint32_t width, height;
    int bitDepth, colorType;
    bool interlaced;

    int Channels() const;
    int BitsPerPixel() const { return Channels() * bitDepth; }
};

// The 13-byte IHDR. False for sizes of 0 or above 2^31 - 1, a colour type
// and bit depth the standard does not pair, or an unknown compression,
// filter or interlace method.
bool ParsePngHeader(const BYTE* data, uint32_t length, PngHeader& header);

// One pass of the image data: every dx-th pixel from x0 of every dy-th row
// from y0. A plain image has one pass; Adam7 seven, some of them empty in a
// small image.
struct PngPass {
    uint32_t x0, y0, dx, dy;
    uint32_t width, height;  // in pixels of the pass
};

// Fills passes and returns their count (1 or 7).
int PngPasses(const PngHeader& header, PngPass passes[7]);

// Bytes of one row of width pixels, filter type byte not included.
inline uint64_t PngRowBytes(const PngHeader& header, uint32_t width)
{
    return (uint64_t(width) * uint64_t(header.BitsPerPixel()) + 7) / 8;
}
