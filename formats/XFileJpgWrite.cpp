// JPEG writing: quality 45, Annex K tables, baseline JFIF layout written
// byte for byte (APP0, DQT x2, SOF0, DHT x4, SOS, data, EOI).
//
// One row of MCUs at a time: the rows are fetched into full-width sample
// planes (padded to whole MCUs by repeating the last column and the last
// row, which equals padding each cut MCU), converted to YCbCr in place,
// then each block is taken from its plane (averaged for the 2x2-subsampled
// chroma), transformed, quantised and Huffman coded.
#include "XFileJpg.h"

#include "JpegBitWriter.h"
#include "JpegBlockCoder.h"
#include "JpegColor.h"
#include "JpegFdct.h"
#include "JpegHuffman.h"
#include "JpegTables.h"
#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../framework/Progress.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
void AppendBe16(std::vector<BYTE>& v, int value)
{
    v.push_back(BYTE(value >> 8));
    v.push_back(BYTE(value));
}

void AppendQuant(std::vector<BYTE>& v, const JpegQuantTable& table, int number)
{
    v.push_back(0xFF);
    v.push_back(0xDB);
    AppendBe16(v, table.eightBit ? 0x43 : 0x83);
    v.push_back(BYTE((table.eightBit ? 0x00 : 0x10) | number));
    for (int k = 0; k < 64; ++k) {
        if (!table.eightBit) v.push_back(BYTE(table.value[k] >> 8));
        v.push_back(BYTE(table.value[k]));
    }
}

void AppendHuffman(std::vector<BYTE>& v, const JpegHuffmanCodes& codes, int classAndNumber)
{
    v.push_back(0xFF);
    v.push_back(0xC4);
    AppendBe16(v, 2 + 1 + 16 + codes.valueCount);
    v.push_back(BYTE(classAndNumber));
    v.insert(v.end(), codes.counts, codes.counts + 16);
    v.insert(v.end(), codes.values, codes.values + codes.valueCount);
}

class MemorySink : public JpegByteSink {
public:
    explicit MemorySink(std::vector<BYTE>& out) : m_out(out) {}
    void Write(const BYTE* data, size_t size) override { m_out.insert(m_out.end(), data, data + size); }

private:
    std::vector<BYTE>& m_out;
};

class FileSink : public JpegByteSink {
public:
    explicit FileSink(File& file) : m_file(file) {}
    void Write(const BYTE* data, size_t size) override { m_file.Write(data, size); }

private:
    File& m_file;
};

// True when every palette entry is grey (red = green = blue).
bool HasGreyPalette(const RGBQUAD* colors)
{
    for (int i = 0; i < 256; ++i)
        if (colors[i].rgbRed != colors[i].rgbGreen || colors[i].rgbRed != colors[i].rgbBlue) return false;
    return true;
}
}

JpgError XFileJpg::CanEncode(const XImage& image)
{
    if (image.m_nBitCount < 8) return Error::BelowEightBits;
    // The frame header holds width and height in 16 bits each.
    if ((image.m_nBitCount != 8 && image.m_nBitCount != 24) || image.m_nWidth <= 0 || image.m_nHeight <= 0 ||
        image.m_nWidth > 65535 || image.m_nHeight > 65535 || !image.m_hBits ||
        (image.m_nBitCount == 8 && !image.m_hInfo) ||
        !XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount))
        return Error::Unsupported;
    return Error::None;
}

JpgError XFileJpg::WriteImage(const XImage& image, const char* path)
{
    const Error refusal = CanEncode(image);
    if (refusal != Error::None) return refusal;
    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    FileSink sink(file);
    const Error error = EncodeTo(image, sink);
    if (error != Error::None) return error;
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}

JpgError XFileJpg::Encode(const XImage& image, std::vector<BYTE>& out)
{
    out.clear();
    const Error refusal = CanEncode(image);
    if (refusal != Error::None) return refusal;
    MemorySink sink(out);
    return EncodeTo(image, sink);
}

JpgError XFileJpg::EncodeTo(const XImage& image, JpegByteSink& sink)
{
    try {
        const int width = image.m_nWidth, height = image.m_nHeight;
        LockedBlock<BYTE> bits(image.m_hBits);
        LockedBlock<BYTE> info(image.m_hInfo);
        if (!bits || (image.m_nBitCount == 8 && !info)) return Error::OutOfMemory;
        const RGBQUAD* palette =
            image.m_nBitCount == 8 ? reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER)) : nullptr;
        const bool grey = palette && HasGreyPalette(palette);
        const int components = grey ? 1 : 3;
        const int mcuSize = grey ? 8 : 16;
        const int mcusX = (width + mcuSize - 1) / mcuSize;
        const int mcusY = (height + mcuSize - 1) / mcuSize;
        const int planeWidth = mcusX * mcuSize;
        const size_t stride = image.RowBytes();

        std::unique_ptr<JpegQuantTable[]> quant(new JpegQuantTable[2]);
        quant[0].Build(kJpegLuminanceQuant, kQuality);
        quant[1].Build(kJpegChrominanceQuant, kQuality);
        std::unique_ptr<JpegHuffmanTable[]> huffman(new JpegHuffmanTable[4]);
        const JpegHuffmanCodes* codeSets[4] = {&kJpegDcLuminance, &kJpegAcLuminance, &kJpegDcChrominance,
                                           &kJpegAcChrominance};
        for (int i = 0; i < 4; ++i) huffman[i].Build(codeSets[i]->counts, codeSets[i]->values, codeSets[i]->valueCount);

        // Header, written from one buffer.
        std::vector<BYTE> head = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00,
                                  0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
        AppendQuant(head, quant[0], 0);
        AppendQuant(head, quant[1], 1);
        head.push_back(0xFF);
        head.push_back(quant[0].eightBit && quant[1].eightBit ? 0xC0 : 0xC1);
        AppendBe16(head, 8 + 3 * components);
        head.push_back(8);
        AppendBe16(head, height);
        AppendBe16(head, width);
        head.push_back(BYTE(components));
        for (int c = 0; c < components; ++c) {
            head.push_back(BYTE(c + 1));
            head.push_back(BYTE(c == 0 && !grey ? 0x22 : 0x11));
            head.push_back(BYTE(c == 0 ? 0 : 1));
        }
        AppendHuffman(head, kJpegDcLuminance, 0x00);
        AppendHuffman(head, kJpegAcLuminance, 0x10);
        AppendHuffman(head, kJpegDcChrominance, 0x01);
        AppendHuffman(head, kJpegAcChrominance, 0x11);
        head.push_back(0xFF);
        head.push_back(0xDA);
        AppendBe16(head, 6 + 2 * components);
        head.push_back(BYTE(components));
        for (int c = 0; c < components; ++c) {
            head.push_back(BYTE(c + 1));
            head.push_back(BYTE(c == 0 ? 0x00 : 0x11));
        }
        head.push_back(0x00);
        head.push_back(0x3F);
        head.push_back(0x00);

        std::unique_ptr<JpegBitWriter> out(new JpegBitWriter(sink));
        out->PutBytes(head.data(), head.size());

        JpegComponentCoder coders[3] = {
            {&huffman[0], &huffman[1], 0}, {&huffman[2], &huffman[3], 0}, {&huffman[2], &huffman[3], 0}};
        const JpegQuantTable* quantFor[3] = {&quant[0], &quant[1], &quant[1]};
        int16_t zigzag[64];
        std::vector<BYTE> planes[3];
        for (int c = 0; c < components; ++c) planes[c].resize(size_t(planeWidth) * size_t(mcuSize));
        alignas(16) int16_t block[64];

        for (int my = 0; my < mcusY; ++my) {
            // Fetch the rows inside the image, padded to whole MCUs.
            const int top = my * mcuSize;
            const int rows = height - top < mcuSize ? height - top : mcuSize;
            for (int r = 0; r < rows; ++r) {
                const BYTE* src = bits.get() + size_t(height - 1 - (top + r)) * stride;
                const size_t at = size_t(r) * size_t(planeWidth);
                if (grey) {
                    BYTE* p = planes[0].data() + at;
                    std::memcpy(p, src, size_t(width));
                    std::memset(p + width, p[width - 1], size_t(planeWidth - width));
                    continue;
                }
                BYTE* py = planes[0].data() + at;
                BYTE* pcb = planes[1].data() + at;
                BYTE* pcr = planes[2].data() + at;
                for (int x = 0; x < width; ++x) {
                    int red, green, blue;
                    if (palette) {
                        const RGBQUAD& q = palette[src[x]];
                        red = q.rgbRed, green = q.rgbGreen, blue = q.rgbBlue;
                    } else {
                        blue = src[3 * x], green = src[3 * x + 1], red = src[3 * x + 2];
                    }
                    py[x] = JpegLuma(red, green, blue);
                    pcb[x] = JpegBlueChroma(red, green, blue);
                    pcr[x] = JpegRedChroma(red, green, blue);
                }
                for (int c = 0; c < 3; ++c) {
                    BYTE* p = planes[c].data() + at;
                    std::memset(p + width, p[width - 1], size_t(planeWidth - width));
                }
            }
            for (int c = 0; c < components; ++c)
                for (int r = rows; r < mcuSize; ++r)
                    std::memcpy(planes[c].data() + size_t(r) * size_t(planeWidth),
                                planes[c].data() + size_t(rows - 1) * size_t(planeWidth), size_t(planeWidth));

            for (int mx = 0; mx < mcusX; ++mx) {
                const int left = mx * mcuSize;
                // Luminance (or grey): 1 or 2x2 blocks copied from the plane.
                const int lumaBlocks = grey ? 1 : 2;
                for (int bv = 0; bv < lumaBlocks; ++bv) {
                    for (int bh = 0; bh < lumaBlocks; ++bh) {
                        const BYTE* p = planes[0].data() + size_t(bv * 8) * size_t(planeWidth) + size_t(left + bh * 8);
                        for (int i = 0; i < 8; ++i, p += planeWidth)
                            for (int j = 0; j < 8; ++j) block[8 * i + j] = int16_t(p[j] - 128);
                        JpegForwardDct(block);
                        JpegEncodeBlock(*out, zigzag, JpegQuantizeBlock(block, *quantFor[0], zigzag), coders[0]);
                    }
                }
                if (grey) continue;
                // Chrominance: each sample the rounded mean of 2x2 plane samples.
                for (int c = 1; c < 3; ++c) {
                    const BYTE* p = planes[c].data() + size_t(left);
                    for (int i = 0; i < 8; ++i, p += 2 * planeWidth) {
                        const BYTE* q = p + planeWidth;
                        for (int j = 0; j < 8; ++j) {
                            int sum = p[2 * j] + p[2 * j + 1] + q[2 * j] + q[2 * j + 1];
                            block[8 * i + j] = int16_t(((sum + 2) >> 2) - 128);
                        }
                    }
                    JpegForwardDct(block);
                    JpegEncodeBlock(*out, zigzag, JpegQuantizeBlock(block, *quantFor[c], zigzag), coders[c]);
                }
            }
            int done = top + mcuSize;
            ReportProgress(done < height ? done : height, height);
        }

        out->AlignWithOnes();
        static const BYTE kEnd[2] = {0xFF, 0xD9};
        out->PutBytes(kEnd, 2);
        out->Drain();
        return Error::None;
    } catch (const std::bad_alloc&) {
        return Error::OutOfMemory;
    }
}
