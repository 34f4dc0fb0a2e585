// The writer's filters are fixed: None for palette rows, whose indexes do
// not predict each other arithmetically, and Up for RGB rows, which turns
// the flat areas and repeated rows of a screen picture into zero runs for
// the match finder at the cost of one subtraction per byte.
#include "XFilePng.h"

#include "Deflate.h"
#include "PngChunks.h"
#include "PngFilters.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>
#include <new>

namespace {
void AppendChunk(std::vector<BYTE>& out, const char* type, const BYTE* data, size_t length)
{
    BYTE field[4];
    StoreBigU32(field, uint32_t(length));
    out.insert(out.end(), field, field + 4);
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + length);
    StoreBigU32(field, UpdateCrc32(0, out.data() + start, length + 4));
    out.insert(out.end(), field, field + 4);
}

// The zlib stream of the filtered rows, top row first: filter type byte,
// then the row, each filtered straight into the deflater's buffer.
void CompressRows(const XImage& image, const BYTE* bits, std::vector<BYTE>& compressed)
{
    const size_t stride = image.RowBytes();
    const bool rgb = image.m_nBitCount == 24;
    const size_t rowBytes = (size_t(image.m_nWidth) * image.m_nBitCount + 7) / 8;
    // Room for what a screen picture compresses to, so that the stream is
    // seldom moved as it grows.
    compressed.reserve((rowBytes + 1) * size_t(image.m_nHeight) / 4);
    ZlibDeflater deflater(compressed);
    for (int32_t y = image.m_nHeight - 1; y >= 0; --y) {
        const BYTE* in = bits + size_t(y) * stride;
        const bool first = y == image.m_nHeight - 1;
        BYTE* out = deflater.Room(rowBytes + 1);
        out[0] = rgb && !first ? 2 : 0;
        if (rgb) SwapRedBlueRow(in, first ? nullptr : in + stride, out + 1, rowBytes);
        else std::memcpy(out + 1, in, rowBytes);
        deflater.Append(rowBytes + 1);
    }
    deflater.Finish();
}
}

PngError XFilePng::Encode(const XImage& image, std::vector<BYTE>& out)
{
    const int bitCount = image.m_nBitCount;
    if (!image.m_hBits || !image.m_hInfo || !XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, bitCount) ||
        GlobalSize(image.m_hBits) < image.BitsSize() || GlobalSize(image.m_hInfo) < image.InfoSize())
        return Error::Unsupported;
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits);
    if (!info || !bits) return Error::OutOfMemory;
    try {
        out.assign(kPngSignature, kPngSignature + 8);
        BYTE header[13];
        StoreBigU32(header, uint32_t(image.m_nWidth));
        StoreBigU32(header + 4, uint32_t(image.m_nHeight));
        header[8] = BYTE(bitCount == 24 ? 8 : bitCount);
        header[9] = bitCount == 24 ? 2 : 3;
        header[10] = header[11] = header[12] = 0;
        AppendChunk(out, "IHDR", header, sizeof header);
        if (bitCount != 24) {
            const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
            BYTE palette[3 * 256];
            const int count = 1 << bitCount;
            for (int i = 0; i < count; ++i) {
                palette[3 * i] = table[i].rgbRed;
                palette[3 * i + 1] = table[i].rgbGreen;
                palette[3 * i + 2] = table[i].rgbBlue;
            }
            AppendChunk(out, "PLTE", palette, size_t(3 * count));
        }
        std::vector<BYTE> compressed;
        CompressRows(image, bits.get(), compressed);
        // IDAT chunks of at most 1 MiB: a reader never has to hold a huge
        // chunk to check its CRC.
        const size_t kChunk = size_t(1) << 20;
        out.reserve(out.size() + compressed.size() + (compressed.size() / kChunk + 2) * 12);
        for (size_t at = 0; at < compressed.size(); at += kChunk) {
            const size_t length = compressed.size() - at < kChunk ? compressed.size() - at : kChunk;
            AppendChunk(out, "IDAT", compressed.data() + at, length);
        }
        AppendChunk(out, "IEND", nullptr, 0);
    } catch (const std::bad_alloc&) {
        return Error::OutOfMemory;
    }
    return Error::None;
}

PngError XFilePng::WriteImage(const XImage& image, const char* path)
{
    std::vector<BYTE> encoded;
    const Error error = Encode(image, encoded);
    if (error != Error::None) return error;
    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(encoded.data(), encoded.size());
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
