// The BMP file is a 14-byte file header ("BM", file size, two reserved
// words, pixel offset) in front of a DIB. Reading hands the DIB to
// DecodeDib with the pixel offset made relative to it. The writers refuse an
// image without consistent blocks before they create the file.
#include "XFileBmp.h"

#include "ImageFileBytes.h"
#include "XFileBmpDib.h"
#include "XFileBmpRle.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../resources/resource.h"

#include <cstring>

namespace {
const size_t kFileHeaderSize = 14;

void WriteFileHeader(File& file, uint64_t fileSize, uint32_t pixelOffset)
{
    BYTE header[kFileHeaderSize] = {'B', 'M'};
    StoreU32(header + 2, uint32_t(fileSize));
    StoreU32(header + 10, pixelOffset);
    file.Write(header, sizeof header);
}
}

void XFileBmp::Fail(UINT id)
{
    m_pImage->FreeBlocks();
    m_pImage->m_nOriginId = id;
}

void XFileBmp::ReadImage(const char* path)
{
    ImageFileBytes bytes;
    switch (bytes.Load(path)) {
    case ImageFileBytes::Loaded: Decode(bytes.Data(), bytes.Size()); break;
    case ImageFileBytes::CannotRead: Fail(IDS_UNSUPPORTED_BMP); break;
    case ImageFileBytes::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}

void XFileBmp::Decode(const BYTE* data, size_t size)
{
    if (size < kFileHeaderSize || LoadU16(data) != 0x4D42 || LoadU32(data + 10) < kFileHeaderSize) {
        Fail(IDS_UNSUPPORTED_BMP);
        return;
    }
    const uint64_t bitsOffset = LoadU32(data + 10) - kFileHeaderSize;
    switch (DecodeDib(data + kFileHeaderSize, size - kFileHeaderSize, bitsOffset, m_pImage)) {
    case DibResult::Decoded: break;
    case DibResult::Unsupported: Fail(IDS_UNSUPPORTED_BMP); break;
    case DibResult::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}

bool XFileBmp::CanWrite() const
{
    const XImage& image = *m_pImage;
    return image.m_hBits && image.m_hInfo && image.InfoSize() != 0 &&
           XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount) &&
           GlobalSize(image.m_hInfo) >= image.InfoSize() && GlobalSize(image.m_hBits) >= image.BitsSize();
}

void XFileBmp::WriteImage(const char* path)
{
    if (!CanWrite()) {
        m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
        return;
    }
    const size_t infoSize = m_pImage->InfoSize();
    const size_t bitsSize = m_pImage->BitsSize();
    LockedBlock<BYTE> info(m_pImage->m_hInfo), bits(m_pImage->m_hBits);
    if (!info || !bits) {
        m_pImage->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    File file;
    if (!file.Open(path, File::ForWriting)) {
        m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
        return;
    }
    WriteFileHeader(file, kFileHeaderSize + infoSize + bitsSize, uint32_t(kFileHeaderSize + infoSize));
    file.Write(info.get(), infoSize);
    file.Write(bits.get(), bitsSize);
    file.Close();
    if (file.WriteFailed()) m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
}

void XFileBmp::WriteRleImage(const char* path)
{
    const int bitCount = m_pImage->m_nBitCount;
    if (bitCount != 4 && bitCount != 8) {
        WriteImage(path);
        return;
    }
    if (!CanWrite()) {
        m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
        return;
    }
    const int32_t width = m_pImage->m_nWidth;
    const int32_t height = m_pImage->m_nHeight;
    const size_t infoSize = m_pImage->InfoSize();
    const size_t stride = m_pImage->RowBytes();
    const uint64_t bound = RleRowBound(width) * uint64_t(height);
    OwnedBlock work;
    if (bound > UINT32_MAX - kFileHeaderSize - infoSize || !work.Allocate(size_t(bound))) {
        m_pImage->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    LockedBlock<BYTE> info(m_pImage->m_hInfo), bits(m_pImage->m_hBits), encoded(work.get());
    if (!info || !bits || !encoded) {
        m_pImage->m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    size_t length = 0;
    for (int32_t row = 0; row < height; ++row)
        length += EncodeRleRow(bits.get() + size_t(row) * stride, width, bitCount, encoded.get() + length);

    // The written header says how the rows are coded and how long they
    // are (decoders of compressed bitmaps rely on biSizeImage); the image
    // keeps its own header unchanged.
    BITMAPINFOHEADER header;
    std::memcpy(&header, info.get(), sizeof header);
    header.biCompression = bitCount == 8 ? BI_RLE8 : BI_RLE4;
    header.biSizeImage = DWORD(length);

    File file;
    if (!file.Open(path, File::ForWriting)) {
        m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
        return;
    }
    WriteFileHeader(file, kFileHeaderSize + infoSize + length, uint32_t(kFileHeaderSize + infoSize));
    file.Write(&header, sizeof header);
    file.Write(info.get() + sizeof header, infoSize - sizeof header);
    file.Write(encoded.get(), length);
    file.Close();
    if (file.WriteFailed()) m_pImage->m_nOriginId = IDS_UNSUPPORTED_BMP;
}
