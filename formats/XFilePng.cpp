// Reading goes chunks -> one buffer of all IDAT data -> inflate, at most
// the number of filtered bytes the header implies -> each row, as soon as
// it is whole, unfiltered and converted into the image: no buffer of the
// whole filtered image. Pixels are placed through their pass's position,
// so plain and Adam7 images share one path.
#include "XFilePng.h"

#include "Inflate.h"
#include "PngChunks.h"
#include "PngFilters.h"

#include "../framework/GlobalBlock.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {
struct PngAncillary {
    RGBQUAD palette[256] = {};
    int paletteCount = 0;
    BYTE paletteAlpha[256];
    bool transparentKey = false;  // tRNS of a grey or RGB image
    uint32_t key[3] = {};
};

int OnWhite(int v, int a) { return (v * a + 255 * (255 - a) + 127) / 255; }

int OutputBitCount(const PngHeader& h)
{
    if (h.colorType == 2 || h.colorType == 6) return 24;
    if (h.bitDepth == 1) return 1;
    if (h.colorType == 3 && h.bitDepth <= 4) return 4;
    return 8;
}

// Converts one unfiltered pass row into the image.
class PixelWriter {
public:
    PixelWriter(const PngHeader& h, const PngAncillary& extra, BYTE* bits, size_t stride, int outBitCount)
        : m_h(h), m_extra(extra), m_pBits(bits), m_nStride(stride), m_nOutBits(outBitCount),
          m_nMax((1u << (h.bitDepth == 16 ? 16 : h.bitDepth)) - 1)
    {
    }

    void Row(const BYTE* row, const PngPass& pass, uint32_t passRow)
    {
        const uint32_t y = pass.y0 + passRow * pass.dy;
        BYTE* out = m_pBits + size_t(m_h.height - 1 - y) * m_nStride;
        if (pass.dx == 1 && m_h.bitDepth == 8 && !m_extra.transparentKey && FastRow(row, out)) return;
        const int channels = m_h.Channels();
        for (uint32_t i = 0; i < pass.width; ++i) {
            const uint32_t x = pass.x0 + i * pass.dx;
            const size_t first = size_t(i) * channels;
            if (m_nOutBits == 24) {
                int c[3];
                bool keyed = m_extra.transparentKey;
                for (int k = 0; k < 3; ++k) {
                    const uint32_t v = Sample(row, first + k);
                    keyed = keyed && v == m_extra.key[k];
                    c[k] = To8(v);
                }
                const int a = keyed ? 0 : channels == 4 ? To8(Sample(row, first + 3)) : 255;
                BYTE* pixel = out + 3 * size_t(x);
                for (int k = 0; k < 3; ++k) pixel[2 - k] = BYTE(OnWhite(c[k], a));
                continue;
            }
            const uint32_t v = Sample(row, first);
            int index;
            if (m_h.colorType == 3) {
                index = int(v);
            } else if (m_nOutBits == 1) {
                index = m_extra.transparentKey && v == m_extra.key[0] ? 1 : int(v);
            } else {
                const bool keyed = m_extra.transparentKey && v == m_extra.key[0];
                const int a = keyed ? 0 : channels == 2 ? To8(Sample(row, first + 1)) : 255;
                index = OnWhite(To8(v), a);
            }
            PutIndex(out, x, index);
        }
    }

private:
    // The common 8-bit layouts of a plain image, without the per-sample
    // dispatch.
    bool FastRow(const BYTE* row, BYTE* out) const
    {
        const size_t width = m_h.width;
        switch (m_h.colorType) {
        case 0:
        case 3: std::memcpy(out, row, width); return true;
        case 2: SwapRedBlueRow(row, nullptr, out, 3 * width); return true;
        case 6:
            for (size_t x = 0; x < width; ++x, row += 4, out += 3) {
                const int a = row[3];
                out[0] = BYTE(OnWhite(row[2], a));
                out[1] = BYTE(OnWhite(row[1], a));
                out[2] = BYTE(OnWhite(row[0], a));
            }
            return true;
        default: return false;
        }
    }

    uint32_t Sample(const BYTE* row, size_t i) const
    {
        switch (m_h.bitDepth) {
        case 16: return uint32_t(row[2 * i]) << 8 | row[2 * i + 1];
        case 8: return row[i];
        default: {
            const size_t bit = i * size_t(m_h.bitDepth);
            return (row[bit / 8] >> (8 - m_h.bitDepth - bit % 8)) & m_nMax;
        }
        }
    }

    int To8(uint32_t v) const { return m_nMax == 255 ? int(v) : int((v * 255 + m_nMax / 2) / m_nMax); }

    void PutIndex(BYTE* out, uint32_t x, int index) const
    {
        switch (m_nOutBits) {
        case 1: out[x / 8] |= BYTE(index << (7 - x % 8)); break;
        case 4: out[x / 2] |= BYTE(x % 2 ? index : index << 4); break;
        default: out[x] = BYTE(index); break;
        }
    }

    const PngHeader& m_h;
    const PngAncillary& m_extra;
    BYTE* m_pBits;
    size_t m_nStride;
    int m_nOutBits;
    uint32_t m_nMax;
};

// Takes the inflated rows of every pass as they come, unfilters each into
// a row of its own (the inflate window must keep the filtered bytes) and
// hands it to the pixel writer.
class RowAssembler : public InflateSink {
public:
    RowAssembler(const PngHeader& h, const PngPass* passes, int passCount, PixelWriter& writer)
        : m_h(h), m_pPasses(passes), m_nPassCount(passCount), m_writer(writer),
          m_nBytesPerPixel(h.BitsPerPixel() >= 8 ? size_t(h.BitsPerPixel() / 8) : 1)
    {
        size_t widest = 0;
        for (int i = 0; i < passCount; ++i) widest = std::max(widest, size_t(PngRowBytes(h, passes[i].width)));
        // Not zero-filled first: a row is read only once it is whole.
        m_current.reset(new BYTE[widest + 1]);
        m_previous.reset(new BYTE[widest + 1]);
        StartPass();
    }

    bool Take(const BYTE* data, size_t size) override
    {
        while (size) {
            if (Complete()) return false;
            const size_t piece = std::min(m_nRowBytes + 1 - m_nFill, size);
            std::memcpy(m_current.get() + m_nFill, data, piece);
            m_nFill += piece;
            data += piece;
            size -= piece;
            if (m_nFill == m_nRowBytes + 1 && !FinishRow()) return false;
        }
        return true;
    }

    bool Complete() const { return m_nPass == m_nPassCount; }

private:
    // Skips the passes a small image leaves empty.
    void StartPass()
    {
        while (m_nPass < m_nPassCount && (!m_pPasses[m_nPass].width || !m_pPasses[m_nPass].height)) ++m_nPass;
        if (!Complete()) m_nRowBytes = size_t(PngRowBytes(m_h, m_pPasses[m_nPass].width));
        m_nRow = 0;
    }

    bool FinishRow()
    {
        BYTE* row = m_current.get() + 1;
        const BYTE* previous = m_nRow ? m_previous.get() + 1 : nullptr;
        if (!UnfilterPngRow(m_current[0], row, previous, m_nRowBytes, m_nBytesPerPixel)) return false;
        m_writer.Row(row, m_pPasses[m_nPass], m_nRow);
        m_current.swap(m_previous);
        m_nFill = 0;
        if (++m_nRow == m_pPasses[m_nPass].height) {
            ++m_nPass;
            StartPass();
        }
        return true;
    }

    const PngHeader& m_h;
    const PngPass* m_pPasses;
    int m_nPassCount;
    PixelWriter& m_writer;
    size_t m_nBytesPerPixel;
    std::unique_ptr<BYTE[]> m_current, m_previous;  // filter type byte, then the row
    int m_nPass = 0;
    uint32_t m_nRow = 0;
    size_t m_nRowBytes = 0;
    size_t m_nFill = 0;
};

bool ReadPalette(const PngChunk& chunk, PngAncillary& extra)
{
    if (chunk.length % 3 || chunk.length == 0 || chunk.length > 768) return false;
    extra.paletteCount = int(chunk.length / 3);
    for (int i = 0; i < extra.paletteCount; ++i) {
        const BYTE* p = chunk.data + 3 * i;
        extra.palette[i] = {p[2], p[1], p[0], 0};
    }
    return true;
}

// tRNS: alpha per palette entry, or the one grey or RGB value (16-bit
// fields) that is transparent.
void ReadTransparency(const PngChunk& chunk, const PngHeader& h, PngAncillary& extra)
{
    if (h.colorType == 3) {
        for (uint32_t i = 0; i < chunk.length && i < 256; ++i) extra.paletteAlpha[i] = chunk.data[i];
    } else if ((h.colorType == 0 && chunk.length >= 2) || (h.colorType == 2 && chunk.length >= 6)) {
        extra.transparentKey = true;
        for (int k = 0; k < (h.colorType == 0 ? 1 : 3); ++k)
            extra.key[k] = uint32_t(chunk.data[2 * k]) << 8 | chunk.data[2 * k + 1];
    }
}

void WriteTable(const PngHeader& h, const PngAncillary& extra, XImage* image, BYTE* info)
{
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info + sizeof(BITMAPINFOHEADER));
    if (h.colorType == 3) {
        const int count = std::min(extra.paletteCount, 1 << image->m_nBitCount);
        for (int i = 0; i < count; ++i) {
            const RGBQUAD& c = extra.palette[i];
            const int a = extra.paletteAlpha[i];
            table[i] = {BYTE(OnWhite(c.rgbBlue, a)), BYTE(OnWhite(c.rgbGreen, a)), BYTE(OnWhite(c.rgbRed, a)), 0};
        }
    } else if (image->m_nBitCount == 1) {
        table[0] = {0, 0, 0, 0};
        table[1] = {255, 255, 255, 0};
    }
}

PngError DecodePng(XImage* image, const BYTE* data, size_t size)
{
    if (size < 8 || std::memcmp(data, kPngSignature, 8) != 0) return PngError::Unsupported;
    PngChunkReader chunks(data + 8, size - 8);
    PngChunk chunk;
    if (!chunks.Next(chunk) || std::strcmp(chunk.type, "IHDR") != 0) return PngError::Unsupported;
    PngHeader h;
    if (!ParsePngHeader(chunk.data, chunk.length, h)) return PngError::Unsupported;

    PngAncillary extra;
    std::memset(extra.paletteAlpha, 255, sizeof extra.paletteAlpha);
    std::vector<BYTE> compressed;
    bool ended = false;
    while (!ended && chunks.Next(chunk)) {
        if (!std::strcmp(chunk.type, "IDAT")) {
            compressed.insert(compressed.end(), chunk.data, chunk.data + chunk.length);
        } else if (!std::strcmp(chunk.type, "PLTE")) {
            if (!ReadPalette(chunk, extra)) return PngError::Unsupported;
        } else if (!std::strcmp(chunk.type, "tRNS")) {
            ReadTransparency(chunk, h, extra);
        } else if (!std::strcmp(chunk.type, "IEND")) {
            ended = true;
        } else if (!(chunk.type[0] & 0x20)) {
            return PngError::Unsupported;  // a critical chunk we do not know
        }
    }
    if (chunks.Damaged() || compressed.empty() || (h.colorType == 3 && extra.paletteCount == 0))
        return PngError::Unsupported;

    PngPass passes[7];
    const int passCount = PngPasses(h, passes);
    uint64_t total = 0;
    for (int i = 0; i < passCount; ++i)
        if (passes[i].width) total += uint64_t(passes[i].height) * (1 + PngRowBytes(h, passes[i].width));
    const int outBitCount = OutputBitCount(h);
    if (total > XImage::kMaxBitsSize || !XImage::FitsInMemory(h.width, h.height, outBitCount))
        return PngError::Unsupported;

    image->m_nWidth = int32_t(h.width);
    image->m_nHeight = int32_t(h.height);
    image->m_nBitCount = uint16_t(outBitCount);
    if (!image->AllocateBlocks()) return PngError::OutOfMemory;
    if (outBitCount == 8 && h.colorType != 3) image->SetGrayTable();
    LockedBlock<BYTE> info(image->m_hInfo), bits(image->m_hBits);
    if (!info || !bits) return PngError::OutOfMemory;
    WriteTable(h, extra, image, info.get());

    PixelWriter writer(h, extra, bits.get(), image->RowBytes(), outBitCount);
    RowAssembler rows(h, passes, passCount, writer);
    switch (InflateZlib(compressed.data(), compressed.size(), size_t(total), rows)) {
    case InflateError::None: break;
    case InflateError::OutOfMemory: return PngError::OutOfMemory;
    default: return PngError::Unsupported;
    }
    return rows.Complete() ? PngError::None : PngError::Unsupported;
}
}

PngError XFilePng::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    try {
        return DecodePng(image, data, size);
    } catch (const std::bad_alloc&) {
        return Error::OutOfMemory;
    }
}
