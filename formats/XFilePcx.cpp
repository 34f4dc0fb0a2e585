// PCX codec. The reader decodes exactly planes x bytes-per-line bytes per
// row into a line buffer (run bytes that spill past a line are dropped, as
// the format's own readers do) and then rearranges the planes into the
// image's packed, bottom-up rows. Only the four plane layouts the writer
// produces are accepted: anything else would make the rearranging read past
// the line. An 8-bit file's data ends where its 769-byte palette begins.
#include "XFilePcx.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>

namespace {
const size_t kPaletteTail = 769;  // 0x0C and 256 x (red, green, blue)
const int kMaxRun = 63;

// The display size that written headers record.
void DisplaySize(WORD& width, WORD& height)
{
#ifdef _WIN32
    width = WORD(GetSystemMetrics(SM_CXSCREEN));
    height = WORD(GetSystemMetrics(SM_CYSCREEN));
#else
    width = height = 0;
#endif
}

bool IsKnownLayout(int bitsPerPlane, int planes)
{
    return (bitsPerPlane == 1 && (planes == 1 || planes == 4)) || (bitsPerPlane == 8 && (planes == 1 || planes == 3));
}

// Encodes one plane: runs of equal bytes, at most 63; a lone byte below 0xC0
// stands for itself. Returns the bytes written to out (at most 2 x size).
size_t EncodePlane(const BYTE* in, size_t size, BYTE* out)
{
    size_t written = 0;
    size_t i = 0;
    while (i < size) {
        BYTE value = in[i];
        size_t run = 1;
        while (i + run < size && run < kMaxRun && in[i + run] == value) ++run;
        if (run == 1 && value < 0xC0) {
            out[written++] = value;
        } else {
            out[written++] = BYTE(0xC0 + run);
            out[written++] = value;
        }
        i += run;
    }
    return written;
}
}

XFilePcx::XFilePcx() : m_header{}, m_nResolutionX(0), m_nResolutionY(0)
{
    DisplaySize(m_nResolutionX, m_nResolutionY);
}

void XFilePcx::SetResolution(WORD horizontal, WORD vertical)
{
    m_nResolutionX = horizontal;
    m_nResolutionY = vertical;
}

PcxError XFilePcx::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    if (size < kHeaderSize) return Error::Unsupported;
    std::memcpy(m_header, data, kHeaderSize);
    const int version = m_header[1];
    const int bitsPerPlane = m_header[3];
    const int planes = m_header[65];
    const size_t planeBytes = LoadU16(m_header + 66);
    // The corners are unsigned; a right edge left of the left edge is an error.
    const int32_t width = int32_t(LoadU16(m_header + 8)) - LoadU16(m_header + 4) + 1;
    const int32_t height = int32_t(LoadU16(m_header + 10)) - LoadU16(m_header + 6) + 1;
    if (version < 3 || !IsKnownLayout(bitsPerPlane, planes) || width <= 0 || height <= 0) return Error::Unsupported;
    // Each plane line must hold the row's pixels.
    if (uint64_t(planeBytes) * 8 < uint64_t(width) * uint64_t(bitsPerPlane)) return Error::Unsupported;

    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitsPerPlane * planes);
    if (!image->AllocateBlocks()) return Error::OutOfMemory;

    const bool hasPalette = image->m_nBitCount == 8 && size >= kHeaderSize + kPaletteTail;
    const size_t dataEnd = hasPalette ? size - kPaletteTail : size;
    if (!DecodeRows(image, data, dataEnd, bitsPerPlane, planes, planeBytes)) return Error::Unsupported;

    LockedBlock<BYTE> info(image->m_hInfo);
    if (!info) return Error::OutOfMemory;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    if (image->m_nBitCount == 1 || image->m_nBitCount == 4) {
        const int count = image->m_nBitCount == 1 ? 2 : 16;
        for (int i = 0; i < count; ++i) {
            const BYTE* rgb = m_header + 16 + 3 * i;
            table[i] = {rgb[2], rgb[1], rgb[0], 0};
        }
        // A two-colour table whose colours are equal (commonly all zero in
        // files that leave the table unset) would hide the picture entirely;
        // such files are meant as black on white.
        if (count == 2 && std::memcmp(&table[0], &table[1], sizeof(RGBQUAD)) == 0) {
            table[0] = {0, 0, 0, 0};
            table[1] = {255, 255, 255, 0};
        }
    } else if (hasPalette) {
        // The byte before the 768 colour bytes is not examined.
        const BYTE* rgb = data + size - 768;
        for (int i = 0; i < 256; ++i, rgb += 3) table[i] = {rgb[2], rgb[1], rgb[0], 0};
    }
    // Without room for a palette an 8-bit image keeps its all-black table.
    return Error::None;
}

bool XFilePcx::DecodeRows(XImage* image, const BYTE* data, size_t dataEnd, int bitsPerPlane, int planes,
                          size_t planeBytes)
{
    const size_t lineBytes = size_t(planes) * planeBytes;
    OwnedBlock lineBlock;
    if (!lineBlock.Allocate(lineBytes)) return false;
    LockedBlock<BYTE> line(lineBlock.get());
    LockedBlock<BYTE> bits(image->m_hBits);
    if (!line || !bits) return false;

    const int32_t width = image->m_nWidth;
    const int32_t height = image->m_nHeight;
    const size_t stride = image->RowBytes();
    size_t pos = kHeaderSize;
    for (int32_t y = 0; y < height; ++y) {
        size_t filled = 0;
        while (filled < lineBytes) {
            if (pos >= dataEnd) return false;  // the data stops before the last row
            BYTE value = data[pos++];
            size_t count = 1;
            if (value >= 0xC0) {
                if (pos >= dataEnd) return false;
                count = value - 0xC0;
                value = data[pos++];
            }
            if (count > lineBytes - filled) count = lineBytes - filled;
            std::memset(line.get() + filled, value, count);
            filled += count;
        }

        BYTE* row = bits.get() + size_t(height - 1 - y) * stride;
        const BYTE* in = line.get();
        if (planes == 1) {
            std::memcpy(row, in, planeBytes < stride ? planeBytes : stride);
        } else if (bitsPerPlane == 1) {
            // Four 1-bit planes: plane k gives bit k of each pixel.
            for (int32_t x = 0; x < width; ++x) {
                const size_t byte = size_t(x) >> 3;
                const int shift = 7 - (x & 7);
                int pixel = 0;
                for (int k = 0; k < 4; ++k) pixel |= ((in[k * planeBytes + byte] >> shift) & 1) << k;
                row[x >> 1] |= BYTE((x & 1) ? pixel : pixel << 4);
            }
        } else {
            // Red, green and blue planes become blue, green, red triples.
            for (int32_t x = 0; x < width; ++x) {
                row[3 * size_t(x)] = in[2 * planeBytes + size_t(x)];
                row[3 * size_t(x) + 1] = in[planeBytes + size_t(x)];
                row[3 * size_t(x) + 2] = in[size_t(x)];
            }
        }
    }
    return true;
}

PcxError XFilePcx::WriteImage(const XImage& image, const char* path)
{
    const int bitCount = image.m_nBitCount;
    const int bitsPerPlane = (bitCount == 1 || bitCount == 4) ? 1 : 8;
    const int planes = bitCount == 4 ? 4 : bitCount == 24 ? 3 : 1;
    const int32_t width = image.m_nWidth;
    const int32_t height = image.m_nHeight;
    const uint64_t planeBytes = (uint64_t(bitsPerPlane) * uint64_t(width > 0 ? width : 0) + 15) / 16 * 2;
    // The corners and the line length are 16-bit fields.
    if (!image.m_hBits || XImage::InfoSizeFor(bitCount) == 0 || width <= 0 || height <= 0 ||
        width > 0x10000 || height > 0x10000 || planeBytes > 0xFFFF)
        return Error::Unsupported;

    const size_t lineBytes = size_t(planes) * size_t(planeBytes);
    OwnedBlock work;
    if (!work.Allocate(3 * lineBytes)) return Error::OutOfMemory;  // the split planes, then their codes
    LockedBlock<BYTE> workBytes(work.get());
    LockedBlock<BYTE> bits(image.m_hBits);
    LockedBlock<BYTE> info(image.m_hInfo);
    if (!workBytes || !bits || !info) return Error::OutOfMemory;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));

    BYTE header[kHeaderSize] = {};
    header[0] = 10;
    header[1] = bitCount == 1 ? 3 : 5;
    header[2] = 1;
    header[3] = BYTE(bitsPerPlane);
    StoreU16(header + 8, uint32_t(width - 1));
    StoreU16(header + 10, uint32_t(height - 1));
    StoreU16(header + 12, m_nResolutionX);
    StoreU16(header + 14, m_nResolutionY);
    if (bitCount <= 4) {
        for (int i = 0; i < (1 << bitCount); ++i) {
            header[16 + 3 * i] = table[i].rgbRed;
            header[17 + 3 * i] = table[i].rgbGreen;
            header[18 + 3 * i] = table[i].rgbBlue;
        }
    }
    header[65] = BYTE(planes);
    StoreU16(header + 66, uint32_t(planeBytes));

    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(header, kHeaderSize);

    const size_t stride = image.RowBytes();
    BYTE* line = workBytes.get();
    BYTE* codes = line + lineBytes;
    for (int32_t y = 0; y < height; ++y) {
        const BYTE* row = bits.get() + size_t(height - 1 - y) * stride;
        if (planes == 1) {
            std::memcpy(line, row, size_t(planeBytes));
        } else {
            std::memset(line, 0, lineBytes);
            for (int32_t x = 0; x < width; ++x) {
                const size_t byte = size_t(x) >> 3;
                if (bitCount == 4) {
                    const int pixel = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
                    const BYTE mask = BYTE(0x80 >> (x & 7));
                    for (int k = 0; k < 4; ++k)
                        if (pixel & (1 << k)) line[k * planeBytes + byte] |= mask;
                } else {
                    line[size_t(x)] = row[3 * size_t(x) + 2];
                    line[planeBytes + size_t(x)] = row[3 * size_t(x) + 1];
                    line[2 * planeBytes + size_t(x)] = row[3 * size_t(x)];
                }
            }
        }
        size_t coded = 0;
        for (int k = 0; k < planes; ++k) coded += EncodePlane(line + k * planeBytes, size_t(planeBytes), codes + coded);
        file.Write(codes, coded);
    }

    if (bitCount == 8) {
        BYTE palette[kPaletteTail];
        palette[0] = 0x0C;
        for (int i = 0; i < 256; ++i) {
            palette[1 + 3 * i] = table[i].rgbRed;
            palette[2 + 3 * i] = table[i].rgbGreen;
            palette[3 + 3 * i] = table[i].rgbBlue;
        }
        file.Write(palette, kPaletteTail);
    }
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
