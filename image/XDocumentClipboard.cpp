// Reading a packed DIB from the clipboard. Every offset and length is
// checked against the block's size before it is used; sizes are 64-bit.
#include "XDocumentClipboard.h"

#include "../framework/GlobalBlock.h"
#include "../resources/resource.h"

#include <cstdint>
#include <cstring>

namespace {
const DWORD kBitFields = 3;  // BI_BITFIELDS

uint32_t Read32(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

bool Refuse(XImage* image, UINT id)
{
    image->FreeBlocks();
    image->m_nOriginId = id;
    return false;
}
}

size_t MonochromeRowBytes(int width) { return width > 0 ? (size_t(width) + 15) / 16 * 2 : 0; }

bool ReadPackedDib(const BYTE* block, size_t size, XImage* image)
{
    image->FreeBlocks();
    image->m_nOriginId = 0;
    if (!block || size < sizeof(BITMAPINFOHEADER)) return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);
    BITMAPINFOHEADER header;
    std::memcpy(&header, block, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size || header.biPlanes != 1)
        return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);
    int bitCount = header.biBitCount;
    bool rgb = header.biCompression == BI_RGB;
    bool fields = header.biCompression == kBitFields && bitCount == 32;
    if (!(rgb && (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32)) && !fields)
        return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);

    uint64_t offset = header.biSize;
    if (fields) {
        // Three masks follow a 40-byte header; only the standard layout
        // (blue in the low byte) is read.
        if (header.biSize == sizeof header) offset += 12;
        // The masks sit right after the 40-byte fields even in longer headers.
        if (offset > size || size < sizeof header + 12) return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);
        const BYTE* masks = block + 40;
        if (Read32(masks) != 0xFF0000 || Read32(masks + 4) != 0xFF00 || Read32(masks + 8) != 0xFF)
            return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);
    }
    uint64_t tableEntries = 0;
    if (bitCount <= 8) {
        uint64_t full = uint64_t(1) << bitCount;
        tableEntries = header.biClrUsed && header.biClrUsed < full ? header.biClrUsed : full;
    }
    const BYTE* table = block + offset;
    offset += tableEntries * 4;
    if (offset > size) return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);

    int64_t width = header.biWidth;
    int64_t height = header.biHeight < 0 ? -int64_t(header.biHeight) : int64_t(header.biHeight);
    bool topDown = header.biHeight < 0;
    uint64_t sourceRow = XImage::RowBytesFor(width, bitCount);
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);
    if (sourceRow * uint64_t(height) > size - offset) return Refuse(image, IDS_NO_BITMAP_IN_CLIPBOARD);

    image->m_nWidth = int32_t(width);
    image->m_nHeight = int32_t(height);
    image->m_nBitCount = uint16_t(bitCount == 32 ? 24 : bitCount);
    if (!image->AllocateBlocks()) return false;  // "Insufficient memory!" set

    LockedBlock<BYTE> info(image->m_hInfo), bits(image->m_hBits);
    if (!info || !bits) return Refuse(image, IDS_INSUFFICIENT_MEMORY);
    std::memcpy(info.get() + 40, table, size_t(tableEntries) * 4);
    const BYTE* rows = block + offset;
    size_t targetRow = image->RowBytes();
    for (int64_t y = 0; y < height; ++y) {
        const BYTE* in = rows + size_t(topDown ? height - 1 - y : y) * sourceRow;
        BYTE* out = bits.get() + size_t(y) * targetRow;
        if (bitCount != 32) {
            std::memcpy(out, in, targetRow);
            continue;
        }
        for (int64_t x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return true;
}
