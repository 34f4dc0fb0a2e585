// The BMP file is a 14-byte file header ("BM", file size, two reserved
// words, pixel offset) in front of a DIB. Reading hands the DIB to
// DecodeDib with the pixel offset made relative to it. The writers refuse an
// image without consistent blocks before they create the file.
#include "XFileBmp.h"

#include "XFileBmpRle.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

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

bool CanWrite(const XImage& image)
{
    return image.m_hBits && image.m_hInfo && image.InfoSize() != 0 &&
           XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount) &&
           GlobalSize(image.m_hInfo) >= image.InfoSize() && GlobalSize(image.m_hBits) >= image.BitsSize();
}
}

BmpError XFileBmp::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    if (size < kFileHeaderSize || LoadU16(data) != 0x4D42 || LoadU32(data + 10) < kFileHeaderSize)
        return Error::Unsupported;
    const uint64_t bitsOffset = LoadU32(data + 10) - kFileHeaderSize;
    return DecodeDib(data + kFileHeaderSize, size - kFileHeaderSize, bitsOffset, image, MappedSource());
}

BmpError XFileBmp::WriteImage(const XImage& image, const char* path)
{
    if (!CanWrite(image)) return Error::Unsupported;
    const size_t infoSize = image.InfoSize();
    const size_t bitsSize = image.BitsSize();
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits);
    if (!info || !bits) return Error::OutOfMemory;
    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    WriteFileHeader(file, kFileHeaderSize + infoSize + bitsSize, uint32_t(kFileHeaderSize + infoSize));
    file.Write(info.get(), infoSize);
    file.Write(bits.get(), bitsSize);
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}

BmpError XFileBmp::WriteRleImage(const XImage& image, const char* path)
{
    const int bitCount = image.m_nBitCount;
    if (bitCount != 4 && bitCount != 8) return WriteImage(image, path);
    if (!CanWrite(image)) return Error::Unsupported;
    const int32_t width = image.m_nWidth;
    const int32_t height = image.m_nHeight;
    const size_t infoSize = image.InfoSize();
    const size_t stride = image.RowBytes();
    const uint64_t bound = RleRowBound(width) * uint64_t(height);
    OwnedBlock work;
    if (bound > UINT32_MAX - kFileHeaderSize - infoSize || !work.Allocate(size_t(bound))) return Error::OutOfMemory;
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits), encoded(work.get());
    if (!info || !bits || !encoded) return Error::OutOfMemory;
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
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    WriteFileHeader(file, kFileHeaderSize + infoSize + length, uint32_t(kFileHeaderSize + infoSize));
    file.Write(&header, sizeof header);
    file.Write(info.get() + sizeof header, infoSize - sizeof header);
    file.Write(encoded.get(), length);
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
