// Layout (little-endian): a 6-byte directory header (reserved 0, type,
// count), 16-byte entries (width, height, colours, reserved, two words,
// bytes in image, image offset), and at each offset a BITMAPINFOHEADER whose
// height counts the XOR image and the AND mask together, the colour table,
// the XOR rows and the 1-bit AND rows, all bottom-up and 4-byte padded.
#include "XFileIcoImage.h"

#include "ImageFileBytes.h"

#include "../framework/GlobalBlock.h"

#include <algorithm>
#include <cstring>

namespace {
const size_t kDirectorySize = 6;
const size_t kEntrySize = 16;

struct Rgb {
    int r, g, b;
};

BYTE NearestEntry(const RGBQUAD* table, int count, Rgb c)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < count; ++i) {
        const long dr = table[i].rgbRed - c.r, dg = table[i].rgbGreen - c.g, db = table[i].rgbBlue - c.b;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return BYTE(best);
}

Rgb Inverted(Rgb c) { return {255 - c.r, 255 - c.g, 255 - c.b}; }

int IndexAt(const BYTE* row, int32_t x, int bitCount)
{
    switch (bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
    }
}

void PutIndex(BYTE* row, int32_t x, int bitCount, int index)
{
    switch (bitCount) {
    case 1: row[x >> 3] = BYTE(row[x >> 3] | (index & 1) << (7 - (x & 7))); break;
    case 4: row[x >> 1] = BYTE(row[x >> 1] | ((x & 1) ? (index & 0x0F) : (index << 4))); break;
    default: row[x] = BYTE(index); break;
    }
}
}

IconError DecodeIconFile(const BYTE* data, size_t size, bool isCursor, XImage* image)
{
    const int count = size >= kDirectorySize ? LoadU16(data + 4) : 0;
    const int preferred = !isCursor && count == 2 ? 1 : 0;
    IconError result = DecodeIconImage(data, size, preferred, image);
    for (int entry = 0; entry < count && result == IconError::Unsupported; ++entry)
        if (entry != preferred) result = DecodeIconImage(data, size, entry, image);
    return result;
}

IconError DecodeIconImage(const BYTE* data, size_t size, int entry, XImage* image)
{
    image->FreeBlocks();
    if (size < kDirectorySize || LoadU16(data) != 0) return IconError::Unsupported;
    const int type = LoadU16(data + 2);
    const int count = LoadU16(data + 4);
    if ((type != 1 && type != 2) || entry < 0 || entry >= count) return IconError::Unsupported;
    const uint64_t entryAt = kDirectorySize + uint64_t(entry) * kEntrySize;
    if (entryAt + kEntrySize > size) return IconError::Unsupported;
    const uint64_t offset = LoadU32(data + entryAt + 12);
    if (offset > size || size - offset < 40) return IconError::Unsupported;
    const BYTE* dib = data + offset;
    const size_t available = size - size_t(offset);
    if (std::memcmp(dib, "\x89PNG", 4) == 0) return IconError::Unsupported;

    const uint64_t headerSize = LoadU32(dib);
    const int64_t width = int32_t(LoadU32(dib + 4));
    const int64_t height = int32_t(LoadU32(dib + 8)) / 2;
    const int bitCount = LoadU16(dib + 14);
    const uint32_t compression = LoadU32(dib + 16);
    const uint32_t colorsUsed = LoadU32(dib + 32);
    if (headerSize < 40 || headerSize > available || width <= 0 || height <= 0 || compression != BI_RGB)
        return IconError::Unsupported;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return IconError::Unsupported;

    const int fullCount = bitCount <= 8 ? 1 << bitCount : 0;
    const int tableCount = colorsUsed != 0 && colorsUsed < uint32_t(fullCount) ? int(colorsUsed) : fullCount;
    const uint64_t xorStride = XImage::RowBytesFor(width, bitCount);
    const uint64_t maskStride = XImage::RowBytesFor(width, 1);
    const uint64_t xorAt = headerSize + uint64_t(tableCount) * 4;
    // The XOR image must be whole (it also bounds the image by the file
    // size); a mask cut short leaves the missing pixels opaque.
    if (xorAt > available || xorStride * uint64_t(height) > available - xorAt) return IconError::Unsupported;
    const uint64_t maskAt = xorAt + xorStride * uint64_t(height);
    const BYTE* xorBits = dib + xorAt;
    const BYTE* mask = dib + maskAt;
    const uint64_t maskPresent = available - maskAt;

    const int outBitCount = bitCount <= 8 ? bitCount : 24;
    image->m_nWidth = int32_t(width);
    image->m_nHeight = int32_t(height);
    image->m_nBitCount = uint16_t(outBitCount);
    if (!image->AllocateBlocks()) return IconError::OutOfMemory;
    LockedBlock<BYTE> info(image->m_hInfo), bits(image->m_hBits);
    if (!info || !bits) {
        image->FreeBlocks();
        return IconError::OutOfMemory;
    }
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < tableCount; ++i) {
        const BYTE* quad = dib + headerSize + 4 * i;
        table[i] = {quad[0], quad[1], quad[2], 0};
    }

    // Where the mask is set, the nearest table colour to each inverted
    // colour, computed once per table entry.
    BYTE invertedIndex[256] = {};
    for (int i = 0; i < fullCount; ++i) {
        const Rgb colour = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue};
        invertedIndex[i] = NearestEntry(table, fullCount, Inverted(colour));
    }

    bool hasAlpha = false;
    if (bitCount == 32)
        for (int64_t y = 0; y < height && !hasAlpha; ++y)
            for (int64_t x = 0; x < width && !hasAlpha; ++x) hasAlpha = xorBits[y * xorStride + 4 * x + 3] != 0;

    const size_t stride = image->RowBytes();
    for (int64_t y = 0; y < height; ++y) {
        const BYTE* in = xorBits + y * xorStride;
        const uint64_t maskRow = uint64_t(y) * maskStride;
        BYTE* out = bits.get() + size_t(y) * stride;
        for (int32_t x = 0; x < int32_t(width); ++x) {
            const uint64_t maskByte = maskRow + uint64_t(x >> 3);
            const bool masked = maskByte < maskPresent && ((mask[maskByte] >> (7 - (x & 7))) & 1);
            if (outBitCount <= 8) {
                const int index = IndexAt(in, x, bitCount);
                PutIndex(out, x, bitCount, masked ? invertedIndex[index] : index);
                continue;
            }
            const BYTE* pixel = in + size_t(x) * (bitCount / 8);
            Rgb c = {pixel[2], pixel[1], pixel[0]};
            if (hasAlpha) {
                const int a = pixel[3];
                auto onWhite = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
                c = {onWhite(c.r), onWhite(c.g), onWhite(c.b)};
            } else if (masked) {
                c = Inverted(c);
            }
            out[3 * x] = BYTE(c.b);
            out[3 * x + 1] = BYTE(c.g);
            out[3 * x + 2] = BYTE(c.r);
        }
    }
    return IconError::None;
}
