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
// Starts a chunk: room for its length, which EndChunk fills in, and its
// type. Returns where it starts.
size_t BeginChunk(std::vector<BYTE>& out, const char* type)
{
    const size_t start = out.size();
    out.resize(start + 4);
    out.insert(out.end(), type, type + 4);
    return start;
}

// Ends the chunk begun at start with what follows it as its data.
void EndChunk(std::vector<BYTE>& out, size_t start)
{
    const size_t length = out.size() - start - 8;
    StoreBigU32(&out[start], uint32_t(length));
    BYTE crc[4];
    StoreBigU32(crc, UpdateCrc32(0, out.data() + start + 4, length + 4));
    out.insert(out.end(), crc, crc + 4);
}

void AppendChunk(std::vector<BYTE>& out, const char* type, const BYTE* data, size_t length)
{
    const size_t start = BeginChunk(out, type);
    out.insert(out.end(), data, data + length);
    EndChunk(out, start);
}

// The zlib stream of the filtered rows, top row first: filter type byte,
// then the row, each filtered straight into the deflater's buffer.
void CompressRows(const XImage& image, const BYTE* bits, std::vector<BYTE>& out)
{
    const size_t stride = image.RowBytes();
    const bool rgb = image.m_nBitCount == 24;
    const size_t rowBytes = (size_t(image.m_nWidth) * image.m_nBitCount + 7) / 8;
    // Room for what a screen picture compresses to, so that the stream is
    // seldom moved as it grows.
    out.reserve(out.size() + (rowBytes + 1) * size_t(image.m_nHeight) / 4);
    ZlibDeflater deflater(out);
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
        // The stream is compressed straight into the first IDAT chunk.
        // Chunks hold at most 1 MiB, so that a reader never has to hold a
        // huge one to check its CRC: a longer stream's rest is moved into
        // chunks of its own.
        const size_t kChunk = size_t(1) << 20;
        const size_t first = BeginChunk(out, "IDAT");
        CompressRows(image, bits.get(), out);
        const size_t firstEnd = first + 8 + kChunk;
        const std::vector<BYTE> rest(out.size() > firstEnd ? out.begin() + ptrdiff_t(firstEnd) : out.end(), out.end());
        out.resize(out.size() - rest.size());
        EndChunk(out, first);
        for (size_t at = 0; at < rest.size(); at += kChunk)
            AppendChunk(out, "IDAT", rest.data() + at, rest.size() - at < kChunk ? rest.size() - at : kChunk);
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
