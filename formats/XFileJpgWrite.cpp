// JPEG writing: quality 45, Annex K tables, baseline JFIF layout written
// byte for byte (APP0, DQT x2, SOF0, DHT x4, SOS, data, EOI).
//
// One row of MCUs at a time: the rows are converted into sample planes
// (JpegMcuRowPlanes), each plane's blocks are transformed and quantised in
// one strip, and the blocks Huffman coded in MCU order.
#include "XFileJpg.h"

#include "JpegBitWriter.h"
#include "JpegBlockCoder.h"
#include "JpegFdct.h"
#include "JpegHuffman.h"
#include "JpegMcuRowPlanes.h"
#include "JpegTables.h"
#include "../framework/File.h"
#include "../framework/GlobalBlock.h"
#include "../framework/Progress.h"

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

        const JpegCodeWords words[4] = {JpegCodeWords(huffman[0]), JpegCodeWords(huffman[1]),
                                        JpegCodeWords(huffman[2]), JpegCodeWords(huffman[3])};
        JpegComponentCoder coders[3] = {
            {&words[0], &words[1], 0}, {&words[2], &words[3], 0}, {&words[2], &words[3], 0}};

        // One MCU row at a time: its sample planes, then the quantised
        // blocks of each plane, then the blocks in MCU order.
        JpegMcuRowPlanes planes(bits.get(), stride, width, height, palette, grey);
        const int lumaStrips = grey ? 1 : 2;
        const int blocksPerStrip = planeWidth / 8;
        std::vector<int16_t> lumaBlocks(size_t(lumaStrips) * size_t(blocksPerStrip) * 64);
        std::vector<uint64_t> lumaMasks(size_t(lumaStrips) * size_t(blocksPerStrip));
        std::vector<int16_t> chromaBlocks[2];
        std::vector<uint64_t> chromaMasks[2];
        if (!grey) {
            for (int c = 0; c < 2; ++c) {
                chromaBlocks[c].resize(size_t(mcusX) * 64);
                chromaMasks[c].resize(size_t(mcusX));
            }
        }

        for (int my = 0; my < mcusY; ++my) {
            const int top = my * mcuSize;
            planes.Fill(top);
            for (int strip = 0; strip < lumaStrips; ++strip)
                JpegTransformStrip(planes.Luma() + size_t(strip) * 8 * size_t(planeWidth), size_t(planeWidth),
                                   blocksPerStrip, quant[0], lumaBlocks.data() + size_t(strip * blocksPerStrip) * 64,
                                   lumaMasks.data() + strip * blocksPerStrip);
            if (!grey)
                for (int c = 0; c < 2; ++c)
                    JpegTransformStrip(planes.Chroma(c), size_t(planeWidth / 2), mcusX, quant[1],
                                       chromaBlocks[c].data(), chromaMasks[c].data());

            for (int mx = 0; mx < mcusX; ++mx) {
                if (grey) {
                    JpegEncodeBlock(*out, lumaBlocks.data() + size_t(mx) * 64, lumaMasks[size_t(mx)], coders[0]);
                    continue;
                }
                for (int strip = 0; strip < 2; ++strip)
                    for (int b = 2 * mx; b < 2 * mx + 2; ++b) {
                        const size_t at = size_t(strip * blocksPerStrip + b);
                        JpegEncodeBlock(*out, lumaBlocks.data() + at * 64, lumaMasks[at], coders[0]);
                    }
                for (int c = 0; c < 2; ++c)
                    JpegEncodeBlock(*out, chromaBlocks[c].data() + size_t(mx) * 64, chromaMasks[c][size_t(mx)],
                                    coders[c + 1]);
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
