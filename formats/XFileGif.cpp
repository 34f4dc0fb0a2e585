// GIF reading: header, colour tables, the block scan up to the first image
// descriptor, sub-block gathering and the placement of decoded rows. The LZW
// stage is GifLzwDecoder; the writer lives in XFileGifWriter.cpp.
//
// Every offset is checked against the bytes that remain. Image data that ends
// early (truncated sub-blocks, damaged codes) keeps the rows decoded so far.
#include "XFileGif.h"

#include "GifLzwDecoder.h"

#include "../framework/GlobalBlock.h"
#include "../framework/Progress.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
const size_t kHeaderBytes = 13;
const size_t kDescriptorBytes = 9;

int BitCountForTable(int tableBits) { return tableBits == 1 ? 1 : tableBits <= 4 ? 4 : 8; }

int ReadLe16(const BYTE* p) { return p[0] | (p[1] << 8); }
}

XFileGif::XFileGif() : m_pImage(nullptr), m_nTableBits(0), m_nBackground(0), m_frame(), m_palette() {}

int XFileGif::InterlacedRow(int index, int height)
{
    const int pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
    if (index < pass1) return 8 * index;
    index -= pass1;
    if (index < pass2) return 4 + 8 * index;
    index -= pass2;
    if (index < pass3) return 2 + 4 * index;
    return 1 + 2 * (index - pass3);
}

GifError XFileGif::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    m_pImage = image;
    return DecodeFirstImage(data, size);
}

bool XFileGif::ReadColorTable(const BYTE* data, size_t size, size_t& pos, int sizeBits)
{
    size_t bytes = size_t(3) << sizeBits;
    if (size - pos < bytes) return false;
    std::memset(m_palette, 0, sizeof m_palette);
    std::memcpy(m_palette, data + pos, bytes);
    pos += bytes;
    return true;
}

bool XFileGif::FindImageSeparator(const BYTE* data, size_t size, size_t& pos) const
{
    while (pos < size) {
        BYTE introducer = data[pos++];
        if (introducer == 0x2C) return true;
        if (introducer == 0x3B) return false;  // trailer before any image
        if (introducer != 0x21) continue;      // stray byte between blocks
        // Extension: label, then sub-blocks up to a zero length byte.
        if (pos >= size) return false;
        ++pos;
        for (;;) {
            if (pos >= size) return false;
            BYTE length = data[pos++];
            if (length == 0) break;
            if (size - pos < length) return false;
            pos += length;
        }
    }
    return false;
}

GifError XFileGif::DecodeFirstImage(const BYTE* data, size_t size)
{
    if (size < kHeaderBytes || std::memcmp(data, "GIF", 3) != 0 ||
        (std::memcmp(data + 3, "87a", 3) != 0 && std::memcmp(data + 3, "89a", 3) != 0))
        return Error::Unsupported;
    const int screenWidth = ReadLe16(data + 6), screenHeight = ReadLe16(data + 8);
    const BYTE screenFlags = data[10];
    if (screenWidth == 0 || screenHeight == 0) return Error::Unsupported;
    m_nBackground = data[11];
    m_nTableBits = (screenFlags & 7) + 1;
    std::memset(m_palette, 0, sizeof m_palette);
    size_t pos = kHeaderBytes;
    if ((screenFlags & 0x80) && !ReadColorTable(data, size, pos, m_nTableBits)) return Error::Unsupported;

    if (!FindImageSeparator(data, size, pos) || size - pos < kDescriptorBytes + 1) return Error::Unsupported;
    const BYTE* descriptor = data + pos;
    m_frame.left = ReadLe16(descriptor);
    m_frame.top = ReadLe16(descriptor + 2);
    m_frame.width = ReadLe16(descriptor + 4);
    m_frame.height = ReadLe16(descriptor + 6);
    m_frame.interlaced = (descriptor[8] & 0x40) != 0;
    pos += kDescriptorBytes;
    if (m_frame.width == 0 || m_frame.height == 0) return Error::Unsupported;
    if (descriptor[8] & 0x80) {
        m_nTableBits = (descriptor[8] & 7) + 1;
        if (!ReadColorTable(data, size, pos, m_nTableBits)) return Error::Unsupported;
    }
    if (size - pos < 2) return Error::Unsupported;  // the code size and at least one block length
    m_frame.minCodeSize = data[pos++];

    // Gather the data sub-blocks into one stream; a file cut short inside
    // them keeps what is there. No data at all is not an image.
    OwnedBlock stream;
    if (!stream.Allocate(size - pos)) return Error::OutOfMemory;
    LockedBlock<BYTE> streamBytes(stream.get());
    if (!streamBytes) return Error::OutOfMemory;
    size_t streamSize = 0;
    while (pos < size) {
        size_t length = data[pos++];
        if (length == 0) break;
        if (length > size - pos) length = size - pos;
        std::memcpy(streamBytes.get() + streamSize, data + pos, length);
        streamSize += length;
        pos += length;
    }
    if (streamSize == 0) return Error::Unsupported;

    std::unique_ptr<GifLzwDecoder> decoder(new (std::nothrow) GifLzwDecoder);
    if (!decoder) return Error::OutOfMemory;
    if (!decoder->Begin(m_frame.minCodeSize, streamBytes.get(), streamSize)) return Error::Unsupported;

    m_pImage->m_nWidth = screenWidth;
    m_pImage->m_nHeight = screenHeight;
    m_pImage->m_nBitCount = uint16_t(BitCountForTable(m_nTableBits));
    if (!m_pImage->AllocateBlocks()) return Error::OutOfMemory;
    StoreColorTable();
    LockedBlock<BYTE> bits(m_pImage->m_hBits);
    if (!bits) return Error::OutOfMemory;
    FillBackground(bits.get());
    return DecodeRows(*decoder, bits.get());
}

void XFileGif::StoreColorTable()
{
    LockedBlock<BYTE> info(m_pImage->m_hInfo);
    if (!info) return;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (UINT i = 0; i < m_pImage->ColorCount(); ++i)
        table[i] = {m_palette[3 * i + 2], m_palette[3 * i + 1], m_palette[3 * i], 0};
}

void XFileGif::FillBackground(BYTE* bits) const
{
    const int bitCount = m_pImage->m_nBitCount;
    const BYTE index = BYTE(m_nBackground & ((1 << bitCount) - 1));
    if (index == 0) return;  // the block is zero-filled
    const size_t stride = m_pImage->RowBytes();
    const size_t width = size_t(m_pImage->m_nWidth);
    const size_t fullBytes = width * size_t(bitCount) / 8;
    const BYTE pattern = bitCount == 8 ? index : bitCount == 4 ? BYTE(index * 0x11) : BYTE(0xFF);
    for (int32_t y = 0; y < m_pImage->m_nHeight; ++y) {
        BYTE* row = bits + size_t(y) * stride;
        std::memset(row, pattern, fullBytes);
        // The last byte of a 1- or 4-bit row may be shared with padding bits.
        size_t leftover = width * size_t(bitCount) % 8;
        if (leftover) row[fullBytes] = BYTE(pattern & ~(0xFF >> leftover));
    }
}

void XFileGif::StorePixels(BYTE* bits, int y, int x, const BYTE* indices, size_t n) const
{
    const int width = m_pImage->m_nWidth;
    if (y >= m_pImage->m_nHeight || x >= width) return;
    if (n > size_t(width - x)) n = size_t(width - x);
    BYTE* row = bits + size_t(m_pImage->m_nHeight - 1 - y) * m_pImage->RowBytes();
    switch (m_pImage->m_nBitCount) {
    case 8:
        std::memcpy(row + x, indices, n);
        break;
    case 4:
        for (size_t i = 0; i < n; ++i, ++x) {
            BYTE& b = row[x >> 1];
            BYTE v = indices[i] & 0x0F;
            b = (x & 1) ? BYTE((b & 0xF0) | v) : BYTE((b & 0x0F) | (v << 4));
        }
        break;
    default:
        for (size_t i = 0; i < n; ++i, ++x) {
            BYTE mask = BYTE(0x80 >> (x & 7));
            BYTE& b = row[x >> 3];
            b = (indices[i] & 1) ? BYTE(b | mask) : BYTE(b & ~mask);
        }
        break;
    }
}

GifError XFileGif::DecodeRows(GifLzwDecoder& decoder, BYTE* bits) const
{
    const size_t width = size_t(m_frame.width);
    std::unique_ptr<BYTE[]> row(new (std::nothrow) BYTE[width]);
    if (!row) return Error::OutOfMemory;
    for (int r = 0; r < m_frame.height; ++r) {
        size_t got = decoder.ReadPixels(row.get(), width);
        int y = m_frame.interlaced ? InterlacedRow(r, m_frame.height) : r;
        StorePixels(bits, m_frame.top + y, m_frame.left, row.get(), got);
        ReportProgress(r, m_frame.height);
        if (got < width) break;  // damaged or short data: keep what came
    }
    return Error::None;
}
