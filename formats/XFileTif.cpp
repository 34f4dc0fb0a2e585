// TIFF codec (TIFF 6.0, section 2 baseline; PackBits from section 9).
// Reading: every value is fetched through ReadValue, which follows the
// standard's rule that a value of at most four bytes sits in the entry
// itself and a longer one at the offset the entry holds, and checks that it
// lies inside the file. Rows are read top first; a strip, a row or a
// PackBits literal that would pass the end of the file refuses the file, and
// PackBits runs that spill past a row are dropped.
// Writing: the directory order and field types are fixed (see WriteImage);
// the strip byte counts become LONG where a SHORT cannot hold them.
#include "XFileTif.h"

#include "FileRuns.h"
#include "SwapRedBlue.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>
#include <vector>

namespace {
enum : WORD { kByte = 1, kShort = 3, kLong = 4 };
enum : uint32_t { kNoCompression = 1, kPackBits = 32773 };

size_t TypeSize(WORD type) { return type == kByte ? 1 : type == kShort ? 2 : type == kLong ? 4 : 0; }

uint64_t BytesPerRow(uint64_t width, int bitCount) { return (width * uint64_t(bitCount) + 7) / 8; }

BYTE ReversedBits(BYTE b)
{
    b = BYTE((b & 0xF0) >> 4 | (b & 0x0F) << 4);
    b = BYTE((b & 0xCC) >> 2 | (b & 0x33) << 2);
    return BYTE((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

void ReverseBits(BYTE* p, size_t count)
{
    for (size_t i = 0; i < count; ++i) p[i] = ReversedBits(p[i]);
}

// Perceived brightness, enough to tell which of two colours is the lighter.
int Brightness(const RGBQUAD& c) { return 30 * c.rgbRed + 59 * c.rgbGreen + 11 * c.rgbBlue; }
}

XFileTif::XFileTif()
    : m_pImage(nullptr), m_pData(nullptr), m_nSize(0), m_nWidth(0), m_nHeight(0), m_nCompression(kNoCompression),
      m_nPhotometric(-1), m_nSamples(1), m_nRowsPerStrip(0), m_nPlanar(1), m_nBitCount(0), m_bLowBitFirst(false),
      m_bitsPerSample{},
      m_stripOffsets{}, m_colorMap{}
{
}

TifError XFileTif::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    m_pImage = image;
    m_pData = data;
    m_nSize = size;
    if (!ParseDirectory()) return Error::Unsupported;
    image->m_nWidth = int32_t(m_nWidth);
    image->m_nHeight = int32_t(m_nHeight);
    image->m_nBitCount = uint16_t(m_nBitCount);
    // ReadStrips writes every row or refuses the file.
    if (!image->AllocateBlocksToOverwrite()) return Error::OutOfMemory;
    if (!BuildColors() || !ReadStrips()) return Error::Unsupported;
    return Error::None;
}

bool XFileTif::ReadValue(const Entry& entry, uint32_t index, uint32_t* value) const
{
    const size_t unit = TypeSize(entry.type);
    if (unit == 0 || index >= entry.count) return false;
    const uint64_t total = uint64_t(entry.count) * unit;
    const uint64_t base = total <= 4 ? entry.valueAt : LoadU32(m_pData + entry.valueAt);
    const uint64_t at = base + uint64_t(index) * unit;
    if (at + unit > m_nSize) return false;
    const BYTE* p = m_pData + at;
    *value = unit == 1 ? p[0] : unit == 2 ? LoadU16(p) : LoadU32(p);
    return true;
}

bool XFileTif::ParseDirectory()
{
    if (m_nSize < 8 || m_pData[0] != 'I' || m_pData[1] != 'I' || LoadU16(m_pData + 2) != 42) return false;
    const uint32_t directory = LoadU32(m_pData + 4);
    if (directory > m_nSize - 2) return false;
    const uint32_t entries = LoadU16(m_pData + directory);
    if ((m_nSize - directory - 2) / 12 < entries) return false;

    uint32_t photometric = 0, fillOrder = 1;
    bool hasPhotometric = false;
    for (uint32_t i = 0; i < entries; ++i) {
        const BYTE* e = m_pData + directory + 2 + 12 * size_t(i);
        const Entry entry = {LoadU16(e + 2), LoadU32(e + 4), size_t(e + 8 - m_pData)};
        bool ok = true;
        switch (LoadU16(e)) {
        case 256: ok = ReadValue(entry, 0, &m_nWidth); break;
        case 257: ok = ReadValue(entry, 0, &m_nHeight); break;
        case 258: m_bitsPerSample = entry; break;
        case 259: ok = ReadValue(entry, 0, &m_nCompression); break;
        case 262: ok = hasPhotometric = ReadValue(entry, 0, &photometric); break;
        case 266: ok = ReadValue(entry, 0, &fillOrder); break;
        case 273: m_stripOffsets = entry; break;
        case 277: ok = ReadValue(entry, 0, &m_nSamples); break;
        case 278: ok = ReadValue(entry, 0, &m_nRowsPerStrip); break;
        case 284: ok = ReadValue(entry, 0, &m_nPlanar); break;
        case 320: m_colorMap = entry; break;
        default: break;
        }
        if (!ok) return false;
    }

    if (m_nWidth == 0 || m_nHeight == 0 || m_stripOffsets.count == 0) return false;
    if (fillOrder != 1 && fillOrder != 2) return false;
    m_bLowBitFirst = fillOrder == 2;
    if ((m_nCompression != kNoCompression && m_nCompression != kPackBits) ||
        (hasPhotometric && photometric > 3) || (m_nPlanar != 1 && m_nPlanar != 2))
        return false;

    uint32_t bits = 1;
    if (m_bitsPerSample.count && !ReadValue(m_bitsPerSample, 0, &bits)) return false;
    if (m_nSamples == 1) {
        if (bits != 1 && bits != 4 && bits != 8) return false;
        m_nBitCount = int(bits);
    } else if (m_nSamples == 3) {
        // Red, green and blue of 8 bits each, interleaved in one plane.
        uint32_t green = 0, blue = 0;
        if (!ReadValue(m_bitsPerSample, 1, &green) || !ReadValue(m_bitsPerSample, 2, &blue) || bits != 8 ||
            green != 8 || blue != 8 || m_nPlanar != 1)
            return false;
        m_nBitCount = 24;
    } else {
        return false;
    }

    if (hasPhotometric)
        m_nPhotometric = int(photometric);
    else
        m_nPhotometric = m_nSamples == 3 ? 2 : (m_nBitCount > 1 && m_colorMap.count) ? 3 : 1;
    if (m_nBitCount == 1 && m_nPhotometric == 3) return false;
    if (m_nCompression == kPackBits && m_nBitCount != 1) return false;
    return true;
}

bool XFileTif::BuildColors()
{
    if (m_nBitCount == 24) return true;
    LockedBlock<BYTE> info(m_pImage->m_hInfo);
    if (!info) return false;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));
    const uint32_t count = 1u << m_nBitCount;
    if (m_nBitCount == 1) {
        const BYTE first = m_nPhotometric == 0 ? 255 : 0;  // 0 is white when white is zero
        table[0] = {first, first, first, 0};
        table[1] = {BYTE(255 - first), BYTE(255 - first), BYTE(255 - first), 0};
        return true;
    }
    if (m_nPhotometric == 0 || m_nPhotometric == 1) {
        // Grey levels spread over 0..255 (a 4-bit 15 is white).
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t level = (m_nPhotometric == 0 ? count - 1 - i : i) * 255 / (count - 1);
            table[i] = {BYTE(level), BYTE(level), BYTE(level), 0};
        }
        return true;
    }
    // Palette: all reds, then all greens, then all blues, 16 bits each.
    if (m_colorMap.count < 3 * count) return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t red = 0, green = 0, blue = 0;
        if (!ReadValue(m_colorMap, i, &red) || !ReadValue(m_colorMap, count + i, &green) ||
            !ReadValue(m_colorMap, 2 * count + i, &blue))
            return false;
        table[i] = {BYTE(blue >> 8), BYTE(green >> 8), BYTE(red >> 8), 0};
    }
    return true;
}

bool XFileTif::ReadStrips()
{
    uint32_t rowsPerStrip = m_nRowsPerStrip;
    if (rowsPerStrip == 0 || rowsPerStrip > m_nHeight || m_stripOffsets.count == 1) rowsPerStrip = m_nHeight;
    const uint32_t strips = (m_nHeight - 1) / rowsPerStrip + 1;
    if (m_stripOffsets.count < strips) return false;

    LockedBlock<BYTE> bits(m_pImage->m_hBits);
    if (!bits) return false;
    const size_t stride = m_pImage->RowBytes();
    const size_t rowBytes = size_t(BytesPerRow(m_nWidth, m_nBitCount));
    FileRuns runs(m_pData, m_nSize, MappedSource());
    size_t pos = 0;
    for (uint32_t y = 0; y < m_nHeight; ++y) {
        if (y % rowsPerStrip == 0) {
            uint32_t offset = 0;
            if (!ReadValue(m_stripOffsets, y / rowsPerStrip, &offset)) return false;
            pos = offset;
        }
        BYTE* row = bits.get() + size_t(m_nHeight - 1 - y) * stride;
        std::memset(row + rowBytes, 0, stride - rowBytes);
        if (m_nCompression == kNoCompression) {
            const BYTE* in = runs.Get(pos, rowBytes);
            if (!in) return false;
            if (m_nBitCount == 24) {
                CopySwappingRedBlue(row, in, m_nWidth);
            } else {
                std::memcpy(row, in, rowBytes);
            }
            if (m_bLowBitFirst) ReverseBits(row, rowBytes);
            pos += rowBytes;
            continue;
        }
        size_t produced = 0;
        while (produced < rowBytes) {
            if (pos >= m_nSize) return false;
            const BYTE n = m_bLowBitFirst ? ReversedBits(m_pData[pos]) : m_pData[pos];
            ++pos;
            if (n < 128) {
                const size_t count = size_t(n) + 1;
                if (m_nSize - pos < count) return false;
                const size_t kept = count < rowBytes - produced ? count : rowBytes - produced;
                std::memcpy(row + produced, m_pData + pos, kept);
                if (m_bLowBitFirst) ReverseBits(row + produced, kept);
                produced += kept;
                pos += count;
            } else if (n > 128) {
                if (pos >= m_nSize) return false;
                size_t count = 257 - size_t(n);
                if (count > rowBytes - produced) count = rowBytes - produced;
                const BYTE value = m_bLowBitFirst ? ReversedBits(m_pData[pos]) : m_pData[pos];
                ++pos;
                std::memset(row + produced, value, count);
                produced += count;
            }
        }
    }
    return true;
}

TifError XFileTif::WriteImage(const XImage& image, const char* path)
{
    const int bitCount = image.m_nBitCount;
    const int32_t width = image.m_nWidth;
    const int32_t height = image.m_nHeight;
    // Width, height and rows per strip are written as SHORT.
    if (!image.m_hBits || XImage::InfoSizeFor(bitCount) == 0 || width <= 0 || height <= 0 ||
        width > 0xFFFF || height > 0xFFFF)
        return Error::Unsupported;
    const uint32_t rowBytes = uint32_t(BytesPerRow(uint32_t(width), bitCount));
    uint32_t rowsPerStrip = uint32_t(height);
    if (bitCount != 1) {
        rowsPerStrip = 8192 / rowBytes;
        if (rowsPerStrip < 1) rowsPerStrip = 1;
        if (rowsPerStrip > uint32_t(height)) rowsPerStrip = uint32_t(height);
    }
    const uint32_t strips = (uint32_t(height) - 1) / rowsPerStrip + 1;
    // SHORT byte counts need every count below 65536; two SHORTs would also
    // fit in the entry itself, where readers look for them instead of at an
    // offset, so two strips get LONG counts as well.
    const bool longCounts = strips == 1 || strips == 2 || uint64_t(rowBytes) * rowsPerStrip > 0xFFFF;

    LockedBlock<BYTE> bits(image.m_hBits);
    LockedBlock<BYTE> info(image.m_hInfo);
    if (!bits || !info) return Error::OutOfMemory;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(info.get() + sizeof(BITMAPINFOHEADER));

    const uint32_t colors = bitCount == 4 || bitCount == 8 ? 1u << bitCount : 0;
    const uint32_t entries = colors ? 11 : 10;
    const uint32_t extraAt = 14 + 12 * entries;
    const uint32_t extraBytes = bitCount == 24 ? 6 : colors * 6;
    const uint32_t offsetsAt = extraAt + extraBytes;
    const uint32_t countsAt = offsetsAt + (strips > 1 ? 4 * strips : 0);
    const uint32_t dataAt = countsAt + (strips > 1 ? (longCounts ? 4 : 2) * strips : 0);

    // A 1-bit image is stored bilevel; its index 0 is written as white when
    // its colour 0 is the lighter one, so that black and white survive.
    int photometric = bitCount == 24 ? 2 : colors ? 3 : 1;
    if (bitCount == 1 && Brightness(table[0]) > Brightness(table[1])) photometric = 0;

    std::vector<BYTE> head;
    try {
        head.assign(dataAt, 0);
    } catch (...) {
        return Error::OutOfMemory;
    }
    BYTE* h = head.data();
    h[0] = 'I';
    h[1] = 'I';
    StoreU16(h + 2, 42);
    StoreU32(h + 4, 8);
    StoreU16(h + 8, entries);
    BYTE* e = h + 10;
    auto entry = [&e](WORD tag, WORD type, uint32_t count, uint32_t value) {
        StoreU16(e, tag);
        StoreU16(e + 2, type);
        StoreU32(e + 4, count);
        if (type == kShort && count == 1)
            StoreU16(e + 8, value);
        else
            StoreU32(e + 8, value);
        e += 12;
    };
    entry(254, kLong, 1, 0);
    entry(256, kShort, 1, uint32_t(width));
    entry(257, kShort, 1, uint32_t(height));
    entry(278, kShort, 1, rowsPerStrip);
    entry(277, kShort, 1, bitCount == 24 ? 3 : 1);
    entry(259, kShort, 1, kNoCompression);
    entry(273, kLong, strips, strips == 1 ? dataAt : offsetsAt);
    entry(279, longCounts ? kLong : kShort, strips, strips == 1 ? rowBytes * rowsPerStrip : countsAt);
    entry(262, kShort, 1, uint32_t(photometric));
    entry(258, kShort, bitCount == 24 ? 3 : 1, bitCount == 24 ? extraAt : uint32_t(bitCount));
    if (colors) entry(320, kShort, 3 * colors, extraAt);
    StoreU32(e, 0);  // no further directory

    BYTE* extra = h + extraAt;
    if (bitCount == 24) {
        for (int i = 0; i < 3; ++i) StoreU16(extra + 2 * i, 8);
    } else {
        for (uint32_t i = 0; i < colors; ++i) {
            const RGBQUAD& c = table[i];
            const bool white = c.rgbRed == 255 && c.rgbGreen == 255 && c.rgbBlue == 255;
            StoreU16(extra + 2 * i, white ? 65535 : c.rgbRed * 256u);
            StoreU16(extra + 2 * (colors + i), white ? 65535 : c.rgbGreen * 256u);
            StoreU16(extra + 2 * (2 * colors + i), white ? 65535 : c.rgbBlue * 256u);
        }
    }
    if (strips > 1) {
        for (uint32_t s = 0; s < strips; ++s) {
            const uint32_t rows = s + 1 < strips ? rowsPerStrip : uint32_t(height) - s * rowsPerStrip;
            StoreU32(h + offsetsAt + 4 * s, dataAt + s * rowsPerStrip * rowBytes);
            if (longCounts)
                StoreU32(h + countsAt + 4 * s, rows * rowBytes);
            else
                StoreU16(h + countsAt + 2 * s, rows * rowBytes);
        }
    }

    std::vector<BYTE> line;
    if (bitCount == 24) {
        try {
            line.resize(rowBytes);
        } catch (...) {
            return Error::OutOfMemory;
        }
    }
    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(h, head.size());
    const size_t stride = image.RowBytes();
    for (int32_t y = 0; y < height; ++y) {
        const BYTE* row = bits.get() + size_t(height - 1 - y) * stride;
        if (bitCount == 24) {
            // Stored blue, green, red; written red, green, blue.
            CopySwappingRedBlue(line.data(), row, size_t(width));
            row = line.data();
        }
        file.Write(row, rowBytes);
    }
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
