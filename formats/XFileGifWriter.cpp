// GIF writing: a single-image GIF89a file with a full global colour table,
// the image descriptor at (0, 0) and the LZW data of GifLzwEncoder. Rows go
// out top row first; for the interlaced kind in the four-pass order of the
// GIF89a document (rows 0, 8, ...; 4, 12, ...; 2, 6, ...; 1, 3, ...), read
// straight from the pixel block in that order.
//
// Everything that can refuse the image (bit count, 16-bit size fields,
// memory) is checked before the file is created.
#include "XFileGif.h"

#include "GifLzwEncoder.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../framework/Progress.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
// Gathers small writes into 64 KB pieces for the file.
class BufferedFileSink final : public GifByteSink {
public:
    explicit BufferedFileSink(File& file) : m_file(file) {}
    ~BufferedFileSink() { Flush(); }

    void WriteBytes(const BYTE* bytes, size_t count) override
    {
        if (count > sizeof m_buffer - m_nUsed) Flush();
        if (count > sizeof m_buffer) {
            m_file.Write(bytes, count);
            return;
        }
        std::memcpy(m_buffer + m_nUsed, bytes, count);
        m_nUsed += count;
    }
    void Flush()
    {
        m_file.Write(m_buffer, m_nUsed);
        m_nUsed = 0;
    }

private:
    File& m_file;
    size_t m_nUsed = 0;
    BYTE m_buffer[65536];
};

void PutLe16(BYTE* p, int value)
{
    p[0] = BYTE(value);
    p[1] = BYTE(value >> 8);
}

// Expands one stored row into one index byte per pixel.
void UnpackRow(const BYTE* row, int width, int bitCount, BYTE* out)
{
    if (bitCount == 4) {
        for (int x = 0; x < width; ++x) out[x] = (x & 1) ? BYTE(row[x >> 1] & 0x0F) : BYTE(row[x >> 1] >> 4);
    } else {
        for (int x = 0; x < width; ++x) out[x] = BYTE((row[x >> 3] >> (7 - (x & 7))) & 1);
    }
}
}

GifError XFileGif::WriteImage(const XImage& image, const char* path, bool interlaced)
{
    const int bitCount = image.m_nBitCount;
    if (bitCount == 24) return Error::TrueColorImage;
    const int width = image.m_nWidth, height = image.m_nHeight;
    if ((bitCount != 1 && bitCount != 4 && bitCount != 8) || width <= 0 || height <= 0 || width > 0xFFFF ||
        height > 0xFFFF || !image.m_hBits || !image.m_hInfo || GlobalSize(image.m_hBits) < image.BitsSize() ||
        GlobalSize(image.m_hInfo) < image.InfoSize())
        return Error::Unsupported;
    std::unique_ptr<GifLzwEncoder> encoder(new (std::nothrow) GifLzwEncoder);
    std::unique_ptr<BYTE[]> indices(new (std::nothrow) BYTE[size_t(width)]);
    LockedBlock<BYTE> bits(image.m_hBits), info(image.m_hInfo);
    if (!encoder || !indices || !bits || !info) return Error::OutOfMemory;

    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    {
        BufferedFileSink sink(file);
        const int colors = 1 << bitCount;
        BYTE header[13] = {'G', 'I', 'F', '8', '9', 'a'};
        PutLe16(header + 6, width);
        PutLe16(header + 8, height);
        header[10] = bitCount == 1 ? 0x80 : bitCount == 4 ? 0xB3 : 0xF7;
        sink.WriteBytes(header, sizeof header);

        const RGBQUAD* quads = reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
        BYTE table[3 * 256];
        for (int i = 0; i < colors; ++i) {
            table[3 * i] = quads[i].rgbRed;
            table[3 * i + 1] = quads[i].rgbGreen;
            table[3 * i + 2] = quads[i].rgbBlue;
        }
        sink.WriteBytes(table, size_t(3 * colors));

        const int minCodeSize = bitCount == 1 ? 2 : bitCount;
        BYTE descriptor[11] = {0x2C, 0, 0, 0, 0};
        PutLe16(descriptor + 5, width);
        PutLe16(descriptor + 7, height);
        descriptor[9] = interlaced ? 0x40 : 0;
        descriptor[10] = BYTE(minCodeSize);
        sink.WriteBytes(descriptor, sizeof descriptor);

        encoder->Begin(minCodeSize, &sink);
        const size_t stride = image.RowBytes();
        for (int r = 0; r < height; ++r) {
            int y = interlaced ? InterlacedRow(r, height) : r;
            const BYTE* row = bits.get() + size_t(height - 1 - y) * stride;
            if (bitCount == 8) {
                encoder->AddPixels(row, size_t(width));
            } else {
                UnpackRow(row, width, bitCount, indices.get());
                encoder->AddPixels(indices.get(), size_t(width));
            }
            ReportProgress(r, height);
        }
        encoder->Finish();
        static const BYTE kTrailer = 0x3B;
        sink.WriteBytes(&kTrailer, 1);
    }
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
