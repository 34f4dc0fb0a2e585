// WPG codec. The reader walks the records from offset 16, skipping the ones
// it does not use, until it has both a colour map and a bitmap (in either
// order) or meets the end record. Every record length is checked against
// the bytes that remain; the bitmap's sizes, depth and the colour map's size
// are validated before any pixel is written, and row decoding stays inside
// the pixel block (a row repeat needs a completed row and stops at the
// last row).
// The writer writes the bitmap record head twice: once as a placeholder,
// then, after the rows are coded, again with the final length.
#include "XFileWpg.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>

namespace {
enum : BYTE { kColorMapRecord = 0x0E, kBitmapRecord = 0x0B, kStartRecord = 0x0F, kEndRecord = 0x10 };
const size_t kFileHeaderSize = 16;
const size_t kBitmapHeadSize = 10;  // width, height, depth, two resolutions
const size_t kMaxCount = 127;
const BYTE kMagic[4] = {0xFF, 0x57, 0x50, 0x43};

size_t BytesPerRow(uint64_t width, int bitCount) { return size_t((width * uint64_t(bitCount) + 7) / 8); }

// Reads a record length at pos: one byte below 0xFF, else 0xFF and a 16-bit
// value, which when its top bit is set is the high half of a 31-bit length
// whose low half follows.
bool ReadLength(const BYTE* data, size_t size, size_t& pos, uint32_t* length)
{
    if (pos >= size) return false;
    const BYTE first = data[pos++];
    if (first != 0xFF) {
        *length = first;
        return true;
    }
    if (size - pos < 2) return false;
    const uint32_t word = LoadU16(data + pos);
    pos += 2;
    if (!(word & 0x8000)) {
        *length = word;
        return true;
    }
    if (size - pos < 2) return false;
    *length = ((word - 0x8000) << 16) | LoadU16(data + pos);
    pos += 2;
    return true;
}
}

WpgError XFileWpg::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    if (size < kFileHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0) return Error::Unsupported;

    const BYTE* map = nullptr;  // the colour map's red, green, blue triples
    size_t mapCount = 0;
    bool haveBitmap = false;
    size_t pos = kFileHeaderSize;
    while (!(map && haveBitmap) && pos < size) {
        const BYTE type = data[pos++];
        uint32_t length = 0;
        if (!ReadLength(data, size, pos, &length) || length > size - pos) return Error::Unsupported;
        const BYTE* body = data + pos;
        pos += length;
        if (type == kEndRecord) break;
        if (type == kColorMapRecord && !map) {
            // First index (ignored), count, then count red, green, blue triples.
            if (length < 4) return Error::Unsupported;
            mapCount = LoadU16(body + 2);
            if ((mapCount != 2 && mapCount != 16 && mapCount != 256) || 4 + 3 * mapCount > length)
                return Error::Unsupported;
            map = body + 4;
        } else if (type == kBitmapRecord && !haveBitmap) {
            const Error error = ReadBitmap(image, body, length);
            if (error != Error::None) return error;
            haveBitmap = true;
        }
    }
    if (!haveBitmap || !map || mapCount < image->ColorCount()) return Error::Unsupported;

    LockedBlock<BYTE> info(image->m_hInfo);
    if (!info) return Error::OutOfMemory;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (UINT i = 0; i < image->ColorCount(); ++i, map += 3) table[i] = {map[2], map[1], map[0], 0};
    return Error::None;
}

// Sets the image up from a bitmap record and decodes its rows.
WpgError XFileWpg::ReadBitmap(XImage* image, const BYTE* body, size_t length)
{
    if (length < kBitmapHeadSize) return Error::Unsupported;
    const int16_t width = int16_t(LoadU16(body));
    const int16_t height = int16_t(LoadU16(body + 2));
    const WORD depth = LoadU16(body + 4);
    if (width <= 0 || height <= 0 || (depth != 1 && depth != 4 && depth != 8)) return Error::Unsupported;
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = depth;
    if (!image->AllocateBlocks()) return Error::OutOfMemory;
    if (!DecodeRows(image, body + kBitmapHeadSize, length - kBitmapHeadSize)) return Error::Unsupported;
    return Error::None;
}

bool XFileWpg::DecodeRows(XImage* image, const BYTE* codes, size_t length)
{
    LockedBlock<BYTE> bits(image->m_hBits);
    if (!bits) return false;
    const int32_t height = image->m_nHeight;
    const size_t stride = image->RowBytes();
    const size_t rowBytes = BytesPerRow(uint32_t(image->m_nWidth), image->m_nBitCount);
    auto rowAt = [&](int32_t y) { return bits.get() + size_t(height - 1 - y) * stride; };

    int32_t y = 0;       // row being filled, top row 0
    size_t column = 0;   // bytes of it already filled
    auto put = [&](BYTE value, size_t count) {
        while (count > 0 && y < height) {
            size_t n = rowBytes - column < count ? rowBytes - column : count;
            std::memset(rowAt(y) + column, value, n);
            column += n;
            count -= n;
            if (column == rowBytes) {
                column = 0;
                ++y;
            }
        }
    };

    size_t i = 0;
    while (i < length && y < height) {
        const BYTE code = codes[i++];
        if (code == 0x00 || code >= 0x80) {
            if (i >= length) break;
            const BYTE operand = codes[i++];
            if (code == 0x00) {
                // Repeat the last completed row; only between rows.
                if (y == 0 || column != 0) return false;
                for (int k = 0; k < operand && y < height; ++k, ++y) std::memcpy(rowAt(y), rowAt(y - 1), rowBytes);
            } else if (code == 0x80) {
                put(0xFF, operand);
            } else {
                put(operand, code - 0x80u);
            }
        } else {
            size_t count = code < length - i ? code : length - i;
            for (size_t k = 0; k < count; ++k) put(codes[i + k], 1);
            i += count;
        }
    }
    return true;
}

size_t XFileWpg::EncodeRow(const BYTE* row, size_t rowBytes, BYTE* out)
{
    size_t written = 0;
    if (rowBytes == 0) return 0;
    // lit bytes ending with the current byte wait as a literal; rep more
    // copies of prev wait as a repeat (never both).
    BYTE prev = row[0];
    size_t lit = 1;
    size_t rep = 0;
    auto writeLiteral = [&](size_t end, size_t count) {
        out[written++] = BYTE(count);
        std::memcpy(out + written, row + end - count, count);
        written += count;
    };
    for (size_t i = 1; i < rowBytes; ++i) {
        const BYTE b = row[i];
        if (b == prev) {
            if (lit > 0) {
                if (lit > 1) writeLiteral(i - 1, lit - 1);
                rep = 2;
                lit = 0;
            } else if (++rep == kMaxCount) {
                out[written++] = 0xFF;
                out[written++] = prev;
                rep = 0;
            }
            continue;
        }
        if (rep > 1) {
            out[written++] = BYTE(0x80 + rep);
            out[written++] = prev;
            rep = 0;
        } else if (rep == 1) {
            rep = 0;
            lit = 1;
        }
        prev = b;
        if (++lit == kMaxCount) {
            writeLiteral(i + 1, lit);
            lit = 0;
        }
    }
    if (rep > 0) {
        out[written++] = BYTE(0x80 + rep);
        out[written++] = prev;
    }
    if (lit > 0) writeLiteral(rowBytes, lit);
    return written;
}

WpgError XFileWpg::WriteImage(const XImage& image, const char* path)
{
    const int bitCount = image.m_nBitCount;
    const int32_t width = image.m_nWidth;
    const int32_t height = image.m_nHeight;
    if (bitCount == 24) return Error::TrueColorImage;
    // The start record gives the size in WPG units (1/1200 inch at 96 dots
    // an inch, 12.6171875 a pixel) in 16 bits; the bitmap record in signed 16 bits.
    const uint32_t unitsPerPixel128 = 1615;  // 12.6171875 x 128
    if (!image.m_hBits || (bitCount != 1 && bitCount != 4 && bitCount != 8) || width <= 0 || height <= 0 ||
        uint64_t(width) * unitsPerPixel128 / 128 > 0xFFFF || uint64_t(height) * unitsPerPixel128 / 128 > 0xFFFF)
        return Error::Unsupported;
    const size_t rowBytes = BytesPerRow(uint32_t(width), bitCount);
    OwnedBlock work;
    if (!work.Allocate(2 * rowBytes + 2)) return Error::OutOfMemory;
    LockedBlock<BYTE> codes(work.get());
    LockedBlock<BYTE> bits(image.m_hBits);
    LockedBlock<BYTE> info(image.m_hInfo);
    if (!codes || !bits || !info) return Error::OutOfMemory;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));

    BYTE head[kFileHeaderSize + 8] = {0xFF, 0x57, 0x50, 0x43, 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0};
    BYTE* start = head + kFileHeaderSize;
    start[0] = kStartRecord;
    start[1] = 6;
    start[2] = 1;  // version
    start[3] = 0;  // flags
    StoreU16(start + 4, uint32_t(uint64_t(width) * unitsPerPixel128 / 128));
    StoreU16(start + 6, uint32_t(uint64_t(height) * unitsPerPixel128 / 128));

    const uint32_t colors = 1u << bitCount;
    BYTE map[8 + 3 * 256];
    map[0] = kColorMapRecord;
    map[1] = 0xFF;
    StoreU16(map + 2, 3 * colors + 4);
    StoreU16(map + 4, 0);  // first index
    StoreU16(map + 6, colors);
    for (uint32_t i = 0; i < colors; ++i) {
        map[8 + 3 * i] = table[i].rgbRed;
        map[9 + 3 * i] = table[i].rgbGreen;
        map[10 + 3 * i] = table[i].rgbBlue;
    }

    uint64_t dataLength = 0;
    auto bitmapHead = [&](BYTE* p) {
        const uint64_t length = dataLength + kBitmapHeadSize;
        p[0] = kBitmapRecord;
        p[1] = 0xFF;
        StoreU16(p + 2, uint32_t(length >> 16) + 0x8000);
        StoreU16(p + 4, uint32_t(length & 0xFFFF));
        StoreU16(p + 6, uint32_t(width));
        StoreU16(p + 8, uint32_t(height));
        StoreU16(p + 10, uint32_t(bitCount));
        StoreU16(p + 12, 95);
        StoreU16(p + 14, 95);
    };
    BYTE bitmap[16];

    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(head, sizeof head);
    file.Write(map, 8 + 3 * colors);
    const uint64_t bitmapAt = file.Position();
    bitmapHead(bitmap);
    file.Write(bitmap, sizeof bitmap);
    const size_t stride = image.RowBytes();
    for (int32_t y = 0; y < height; ++y) {
        const size_t coded = EncodeRow(bits.get() + size_t(height - 1 - y) * stride, rowBytes, codes.get());
        file.Write(codes.get(), coded);
        dataLength += coded;
    }
    const BYTE end[2] = {kEndRecord, 0};
    file.Write(end, sizeof end);
    bitmapHead(bitmap);
    // The length field holds 31 bits.
    if (dataLength + kBitmapHeadSize > 0x7FFFFFFF || !file.Seek(bitmapAt)) return Error::Unsupported;
    file.Write(bitmap, sizeof bitmap);
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
