// The data of format 8 (CF_DIB) is a packed DIB and goes through the BMP
// family's DIB decoder. Format 2 (CF_BITMAP) holds a 24-byte BITMAP record
// and device rows top row first, each padded to 16 bits; only 8 bits per
// pixel (one plane) are read, with the fixed 3-3-2 colour table, because
// device formats of other depths cannot be interpreted without a display
// of exactly that depth.
#include "XFileClp.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <algorithm>
#include <cstring>

namespace {
const uint16_t kClpFileId = 50000;
const size_t kFileHeaderSize = 4;
const size_t kEntrySize = 89;
const uint16_t kFormatBitmap = 2;
const uint16_t kFormatDib = 8;
const size_t kBitmapRecordSize = 24;
}

BmpError XFileClp::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    if (size < kFileHeaderSize + kEntrySize || LoadU16(data) != kClpFileId || LoadU16(data + 2) == 0)
        return Error::Unsupported;
    const BYTE* entry = data + kFileHeaderSize;
    const uint16_t format = LoadU16(entry);
    const uint64_t length = LoadU32(entry + 2);
    const uint64_t offset = LoadU32(entry + 6);
    if (offset > size || (format != kFormatDib && format != kFormatBitmap)) return Error::Unsupported;
    // A data length beyond the file is cut to the bytes present.
    const size_t present = size_t(std::min<uint64_t>(length, size - offset));
    if (format == kFormatBitmap) return DecodeDeviceBitmap(image, data + offset, present);
    return DecodeDib(data + offset, present, kBitsAfterTable, image);
}

BmpError XFileClp::DecodeDeviceBitmap(XImage* image, const BYTE* data, size_t size)
{
    if (size < kBitmapRecordSize) return Error::Unsupported;
    const uint64_t width = LoadU32(data + 4);
    const uint64_t height = LoadU32(data + 8);
    const uint32_t bitCount = uint32_t(LoadU16(data + 16)) * LoadU16(data + 18);
    if (bitCount != 8) return Error::Unsupported;
    if (!XImage::FitsInMemory(int64_t(width), int64_t(height), 8))
        return width && height ? Error::OutOfMemory : Error::Unsupported;
    image->m_nWidth = int32_t(width);
    image->m_nHeight = int32_t(height);
    image->m_nBitCount = 8;
    if (!image->AllocateBlocks()) return Error::OutOfMemory;
    LockedBlock<BYTE> info(image->m_hInfo), bits(image->m_hBits);
    if (!info || !bits) return Error::OutOfMemory;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE((i / 64) * 64), BYTE(((i / 8) % 8) * 32), BYTE((i % 8) * 32), 0};

    const BYTE* rows = data + kBitmapRecordSize;
    const size_t present = size - kBitmapRecordSize;
    const uint64_t deviceStride = (width * 8 + 15) / 16 * 2;
    const size_t stride = image->RowBytes();
    for (uint64_t row = 0; row < height; ++row) {
        const uint64_t from = row * deviceStride;
        if (from >= present) break;
        const size_t bytes = size_t(std::min<uint64_t>(width, present - from));
        std::memcpy(bits.get() + size_t(height - 1 - row) * stride, rows + from, bytes);
    }
    return Error::None;
}

BmpError XFileClp::WriteImage(const XImage& image, const char* path)
{
    if (!image.m_hBits || !image.m_hInfo || !XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount) ||
        GlobalSize(image.m_hInfo) < image.InfoSize() || GlobalSize(image.m_hBits) < image.BitsSize())
        return Error::Unsupported;
    const size_t infoSize = image.InfoSize();
    const size_t bitsSize = image.BitsSize();
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits);
    if (!info || !bits) return Error::OutOfMemory;
    BYTE header[kFileHeaderSize + kEntrySize] = {};
    StoreU16(header, kClpFileId);
    StoreU16(header + 2, 1);
    StoreU16(header + 4, kFormatDib);
    StoreU32(header + 6, uint32_t(infoSize + bitsSize));
    StoreU32(header + 10, uint32_t(sizeof header));
    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(header, sizeof header);
    file.Write(info.get(), infoSize);
    file.Write(bits.get(), bitsSize);
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
