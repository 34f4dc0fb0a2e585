// Every size and offset here comes from the file: each is checked against
// the bytes present before use, in 64 bits. The colour table is read from
// where the header says it is (after biSize bytes, so the 108- and 124-byte
// headers work), for biClrUsed entries when the file names fewer than the
// full count, and never past the pixel data or the end of the data.
#include "XFileBmpDib.h"

#include "FileRuns.h"
#include "ImageFileBytes.h"
#include "XFileBmpMasked.h"
#include "XFileBmpRle.h"

#include "../framework/GlobalBlock.h"

#include <algorithm>
#include <cstring>

namespace {
struct DibHeader {
    uint32_t headerSize;
    int64_t width;
    int64_t height;  // negative for top-down rows
    int bitCount;
    uint32_t compression;
    int32_t xPelsPerMeter;
    int32_t yPelsPerMeter;
    uint32_t colorsUsed;
    size_t entrySize;  // 3 for the core header's triples, 4 for quads
    uint64_t tableStart;  // after the header and any masks behind it
    BmpMasks masks;       // 16 and 32 bits
};

const uint32_t kBiBitfields = 3;
const uint32_t kBiAlphaBitfields = 6;

// BI_BITFIELDS masks sit inside a header of 52 bytes or more (alpha from
// 56), otherwise right behind the 40-byte header; BI_ALPHABITFIELDS adds
// the alpha mask there.
bool ParseMasks(const BYTE* dib, size_t size, DibHeader& h)
{
    h.masks = DefaultBmpMasks(h.bitCount);
    if (h.compression != kBiBitfields && h.compression != kBiAlphaBitfields) return true;
    const size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
    const uint64_t at = h.headerSize >= 40 + 4 * count ? 40 : h.headerSize;
    if (at + 4 * count > size) return false;
    if (at == h.headerSize) h.tableStart += 4 * count;
    h.masks.red = LoadU32(dib + at);
    h.masks.green = LoadU32(dib + at + 4);
    h.masks.blue = LoadU32(dib + at + 8);
    h.masks.alpha = count == 4 || h.headerSize >= 56 ? LoadU32(dib + at + 12) : 0;
    return true;
}

bool ParseHeader(const BYTE* dib, size_t size, DibHeader& h)
{
    if (size < 4) return false;
    h.headerSize = LoadU32(dib);
    if (h.headerSize == 12) {
        if (size < 12) return false;
        h.width = LoadU16(dib + 4);
        h.height = LoadU16(dib + 6);
        h.bitCount = LoadU16(dib + 10);
        h.compression = BI_RGB;
        h.xPelsPerMeter = h.yPelsPerMeter = 0;
        h.colorsUsed = 0;
        h.entrySize = 3;
        h.tableStart = 12;
        h.masks = DefaultBmpMasks(h.bitCount);
        return true;
    }
    if (h.headerSize < 40 || h.headerSize > size) return false;
    h.width = int32_t(LoadU32(dib + 4));
    h.height = int32_t(LoadU32(dib + 8));
    h.bitCount = LoadU16(dib + 14);
    h.compression = LoadU32(dib + 16);
    h.xPelsPerMeter = int32_t(LoadU32(dib + 24));
    h.yPelsPerMeter = int32_t(LoadU32(dib + 28));
    h.colorsUsed = LoadU32(dib + 32);
    h.entrySize = 4;
    h.tableStart = h.headerSize;
    return ParseMasks(dib, size, h);
}

bool IsSupported(const DibHeader& h)
{
    const bool masked = h.bitCount == 16 || h.bitCount == 32;
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24 && !masked) return false;
    switch (h.compression) {
    case BI_RGB: break;
    case kBiBitfields:
    case kBiAlphaBitfields: if (!masked) return false; break;
    case BI_RLE8: if (h.bitCount != 8) return false; break;
    case BI_RLE4: if (h.bitCount != 4) return false; break;
    default: return false;
    }
    return h.width > 0 && h.height != 0;
}
}

BmpError DecodeDib(const BYTE* dib, size_t size, uint64_t bitsOffset, XImage* image, const MappedFile* mapped)
{
    image->FreeBlocks();
    DibHeader h;
    if (!ParseHeader(dib, size, h) || !IsSupported(h)) return BmpError::Unsupported;

    const bool topDown = h.height < 0;
    const int64_t height = topDown ? -h.height : h.height;
    const bool masked = h.bitCount == 16 || h.bitCount == 32;
    const int outBitCount = masked ? 24 : h.bitCount;
    // Above 8 bits a table is optional (a hint for palette displays) and
    // only skipped.
    const uint64_t fullCount = h.bitCount <= 8 ? (1u << h.bitCount) : h.colorsUsed;
    uint64_t count = fullCount;
    if (h.colorsUsed != 0 && h.colorsUsed < fullCount) count = h.colorsUsed;
    const uint64_t tableStart = h.tableStart;
    if (bitsOffset == kBitsAfterTable) bitsOffset = tableStart + count * h.entrySize;
    // Pixel data inside the headers, or beyond the data, cannot be right.
    if (bitsOffset < tableStart || bitsOffset > size) return BmpError::Unsupported;
    // A table that the pixel data cuts short keeps its leading entries.
    count = std::min(count, (bitsOffset - tableStart) / h.entrySize);

    if (!XImage::FitsInMemory(h.width, height, outBitCount)) return BmpError::OutOfMemory;
    image->m_nWidth = int32_t(h.width);
    image->m_nHeight = int32_t(height);
    image->m_nBitCount = uint16_t(outBitCount);
    // Uncompressed rows are written whole below; the other decoders leave
    // what the file does not cover zero.
    const bool plainRows = !masked && h.compression == BI_RGB;
    if (!(plainRows ? image->AllocateBlocksToOverwrite() : image->AllocateBlocks())) return BmpError::OutOfMemory;

    {
        LockedBlock<BYTE> info(image->m_hInfo);
        LockedBlock<BYTE> bits(image->m_hBits);
        if (!info || !bits) {
            image->FreeBlocks();
            return BmpError::OutOfMemory;
        }
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.get());
        header->biXPelsPerMeter = h.xPelsPerMeter;
        header->biYPelsPerMeter = h.yPelsPerMeter;
        RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
        for (uint64_t i = 0; i < count && h.bitCount <= 8; ++i) {
            const BYTE* entry = dib + tableStart + i * h.entrySize;
            table[i] = {entry[0], entry[1], entry[2], 0};
        }

        const BYTE* data = dib + bitsOffset;
        const size_t available = size - size_t(bitsOffset);
        const size_t stride = image->RowBytes();
        if (masked) {
            DecodeMaskedRows(data, available, h.bitCount, h.masks, bits.get(), int32_t(h.width), int32_t(height),
                             stride, topDown);
        } else if (plainRows && !topDown && available >= image->BitsSize()) {
            // The rows lie in the file as in the block.
            CopyFileBytes(mapped, data, bits.get(), image->BitsSize());
        } else if (plainRows) {
            // Rows the data covers are copied, the part of the first one it
            // cuts short too; whatever is missing is zero.
            for (int64_t row = 0; row < height; ++row) {
                const uint64_t from = uint64_t(row) * stride;
                const size_t bytes = from >= available ? 0 : size_t(std::min<uint64_t>(stride, available - from));
                BYTE* to = bits.get() + size_t(topDown ? height - 1 - row : row) * stride;
                if (bytes) std::memcpy(to, data + from, bytes);
                std::memset(to + bytes, 0, stride - bytes);
            }
        } else {
            DecodeRle(data, available, h.bitCount, bits.get(), int32_t(h.width), int32_t(height), stride, topDown);
        }
    }
    return BmpError::None;
}
