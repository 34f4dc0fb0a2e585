// The data of format 8 (CF_DIB) is a packed DIB and goes through the BMP
// family's DIB decoder. Format 2 (CF_BITMAP) holds a 24-byte BITMAP record
// and device rows top row first, each padded to 16 bits; only 8 bits per
// pixel (one plane) are read, with the fixed 3-3-2 colour table, because
// device formats of other depths cannot be interpreted without a display
// of exactly that depth.
#include "XFileClp.h"

#include "ImageFileBytes.h"
#include "XFileBmpDib.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../resources/resource.h"

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

void XFileClp::Fail(UINT id)
{
    m_pImage->FreeBlocks();
    m_pImage->m_nOriginId = id;
}

void XFileClp::ReadImage(const char* path)
{
    ImageFileBytes bytes;
    switch (bytes.Load(path)) {
    case ImageFileBytes::Loaded: Decode(bytes.Data(), bytes.Size()); break;
    case ImageFileBytes::CannotRead: Fail(IDS_UNSUPPORTED_CLP); break;
    case ImageFileBytes::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}

void XFileClp::Decode(const BYTE* data, size_t size)
{
    if (size < kFileHeaderSize + kEntrySize || LoadU16(data) != kClpFileId || LoadU16(data + 2) == 0) {
        Fail(IDS_UNSUPPORTED_CLP);
        return;
    }
    const BYTE* entry = data + kFileHeaderSize;
    const uint16_t format = LoadU16(entry);
    const uint64_t length = LoadU32(entry + 2);
    const uint64_t offset = LoadU32(entry + 6);
    if (offset > size || (format != kFormatDib && format != kFormatBitmap)) {
        Fail(IDS_UNSUPPORTED_CLP);
        return;
    }
    // A data length beyond the file is cut to the bytes present.
    const size_t present = size_t(std::min<uint64_t>(length, size - offset));
    if (format == kFormatBitmap) {
        DecodeDeviceBitmap(data + offset, present);
        return;
    }
    switch (DecodeDib(data + offset, present, kBitsAfterTable, m_pImage)) {
    case DibResult::Decoded: break;
    case DibResult::Unsupported: Fail(IDS_UNSUPPORTED_CLP); break;
    case DibResult::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}

void XFileClp::DecodeDeviceBitmap(const BYTE* data, size_t size)
{
    if (size < kBitmapRecordSize) {
        Fail(IDS_UNSUPPORTED_CLP);
        return;
    }
    const uint64_t width = LoadU32(data + 4);
    const uint64_t height = LoadU32(data + 8);
    const uint32_t bitCount = uint32_t(LoadU16(data + 16)) * LoadU16(data + 18);
    if (bitCount != 8) {
        Fail(IDS_UNSUPPORTED_CLP);
        return;
    }
    if (!XImage::FitsInMemory(int64_t(width), int64_t(height), 8)) {
        Fail(width && height ? IDS_INSUFFICIENT_MEMORY : IDS_UNSUPPORTED_CLP);
        return;
    }
    m_pImage->m_nWidth = int32_t(width);
    m_pImage->m_nHeight = int32_t(height);
    m_pImage->m_nBitCount = 8;
    if (!m_pImage->AllocateBlocks()) return;
    LockedBlock<BYTE> info(m_pImage->m_hInfo), bits(m_pImage->m_hBits);
    if (!info || !bits) {
        Fail(IDS_INSUFFICIENT_MEMORY);
        return;
    }
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE((i / 64) * 64), BYTE(((i / 8) % 8) * 32), BYTE((i % 8) * 32), 0};

    const BYTE* rows = data + kBitmapRecordSize;
    const size_t present = size - kBitmapRecordSize;
    const uint64_t deviceStride = (width * 8 + 15) / 16 * 2;
    const size_t stride = m_pImage->RowBytes();
    for (uint64_t row = 0; row < height; ++row) {
        const uint64_t from = row * deviceStride;
        if (from >= present) break;
        const size_t bytes = size_t(std::min<uint64_t>(width, present - from));
        std::memcpy(bits.get() + size_t(height - 1 - row) * stride, rows + from, bytes);
    }
}

void XFileClp::WriteImage(const char* path)
{
    XImage& image = *m_pImage;
    if (!image.m_hBits || !image.m_hInfo || !XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount) ||
        GlobalSize(image.m_hInfo) < image.InfoSize() || GlobalSize(image.m_hBits) < image.BitsSize()) {
        image.m_nOriginId = IDS_UNSUPPORTED_CLP;
        return;
    }
    const size_t infoSize = image.InfoSize();
    const size_t bitsSize = image.BitsSize();
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits);
    if (!info || !bits) {
        image.m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    BYTE header[kFileHeaderSize + kEntrySize] = {};
    StoreU16(header, kClpFileId);
    StoreU16(header + 2, 1);
    StoreU16(header + 4, kFormatDib);
    StoreU32(header + 6, uint32_t(infoSize + bitsSize));
    StoreU32(header + 10, uint32_t(sizeof header));
    File file;
    if (!file.Open(path, File::ForWriting)) {
        image.m_nOriginId = IDS_UNSUPPORTED_CLP;
        return;
    }
    file.Write(header, sizeof header);
    file.Write(info.get(), infoSize);
    file.Write(bits.get(), bitsSize);
    file.Close();
    if (file.WriteFailed()) image.m_nOriginId = IDS_UNSUPPORTED_CLP;
}
