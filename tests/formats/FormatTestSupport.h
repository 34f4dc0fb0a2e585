// What the format tests share: little-endian fields, BMP headers laid out by
// hand from the published layouts (not by the code under test), test images,
// image comparisons, file helpers, decoding through a codec, and the PNM
// reader of the JPEG references.
#pragma once

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// -- little-endian fields ------------------------------------------------------

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(BYTE(v));
    b.push_back(BYTE(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v);
    Put16(b, v >> 16);
}
inline uint32_t Get16(const Bytes& b, size_t at) { return uint32_t(b.at(at) | (b.at(at + 1) << 8)); }
inline uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | (Get16(b, at + 2) << 16); }

// -- files ---------------------------------------------------------------------

inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + "kestrel_" + name; }

inline Bytes ReadFileBytes(const std::string& path)
{
    Bytes b;
    if (std::FILE* fp = std::fopen(path.c_str(), "rb")) {
        BYTE buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) b.insert(b.end(), buffer, buffer + n);
        std::fclose(fp);
    }
    return b;
}

inline void WriteFileBytes(const std::string& path, const Bytes& b)
{
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(fp) << path;
    if (!b.empty()) std::fwrite(b.data(), 1, b.size(), fp);
    std::fclose(fp);
}

inline bool FileExists(const std::string& path)
{
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp) std::fclose(fp);
    return fp != nullptr;
}

#ifdef KESTREL_TEST_DATA
// A file of tests/data/jpg.
inline Bytes ReadTestFile(const std::string& name) { return ReadFileBytes(std::string(KESTREL_TEST_DATA) + "/jpg/" + name); }
#endif

// -- BMP headers -----------------------------------------------------------------

inline Bytes InfoHeader(int32_t width, int32_t height, int bitCount, uint32_t compression = 0,
                        uint32_t colorsUsed = 0, uint32_t headerSize = 40)
{
    Bytes b;
    Put32(b, headerSize);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height));
    Put16(b, 1);
    Put16(b, bitCount);
    Put32(b, compression);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, colorsUsed);
    Put32(b, 0);
    b.resize(headerSize, 0);
    return b;
}

// File header + headers/table + pixel data; pixelOffset 0 means right after
// the headers.
inline Bytes BmpFile(const Bytes& headers, const Bytes& pixels, uint32_t pixelOffset = 0)
{
    Bytes b = {'B', 'M'};
    if (!pixelOffset) pixelOffset = uint32_t(14 + headers.size());
    Put32(b, uint32_t(14 + headers.size() + pixels.size()));
    Put32(b, 0);
    Put32(b, pixelOffset);
    b.insert(b.end(), headers.begin(), headers.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

inline void AddQuad(Bytes& b, BYTE red, BYTE green, BYTE blue) { b.insert(b.end(), {blue, green, red, 0}); }

// -- looking into images ---------------------------------------------------------

inline Bytes InfoBytes(const XImage& image)
{
    LockedBlock<BYTE> p(image.m_hInfo);
    return Bytes(p.get(), p.get() + GlobalSize(image.m_hInfo));
}
inline Bytes PixelBytes(const XImage& image)
{
    LockedBlock<BYTE> p(image.m_hBits);
    return Bytes(p.get(), p.get() + GlobalSize(image.m_hBits));
}

inline RGBQUAD ColorAt(const XImage& image, int index)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    return reinterpret_cast<const RGBQUAD*>(info.get() + 40)[index];
}

inline void SetColor(XImage& image, int index, BYTE red, BYTE green, BYTE blue)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    reinterpret_cast<RGBQUAD*>(info.get() + 40)[index] = {blue, green, red, 0};
}

// Sets all 256 entries of an 8-bit image's colour table.
inline void SetPalette(XImage& image, const RGBQUAD* colors)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    std::memcpy(info.get() + sizeof(BITMAPINFOHEADER), colors, 256 * sizeof(RGBQUAD));
}

inline ::testing::AssertionResult IsColor(const RGBQUAD& c, int red, int green, int blue)
{
    if (c.rgbRed == red && c.rgbGreen == green && c.rgbBlue == blue && c.rgbReserved == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << int(c.rgbRed) << "," << int(c.rgbGreen) << ","
                                         << int(c.rgbBlue) << "," << int(c.rgbReserved);
}

// Pointer to pixel row y counted from the top (rows are stored bottom-up).
inline BYTE* TopRow(const XImage& image, BYTE* bits, int y)
{
    return bits + size_t(image.m_nHeight - 1 - y) * image.RowBytes();
}

// The colour index at column x of row y counted from the top.
inline int PixelAt(const XImage& image, int x, int y)
{
    LockedBlock<BYTE> bits(image.m_hBits);
    const BYTE* row = TopRow(image, bits.get(), y);
    switch (image.m_nBitCount) {
    case 8: return row[x];
    case 4: return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    default: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

// The image's pixels top-down as R, G, B (24-bit) or grey samples (8-bit).
inline Bytes TopDownSamples(const XImage& image)
{
    Bytes out;
    LockedBlock<BYTE> bits(image.m_hBits);
    if (!bits) return out;
    for (int y = 0; y < image.m_nHeight; ++y) {
        const BYTE* row = TopRow(image, bits.get(), y);
        for (int x = 0; x < image.m_nWidth; ++x) {
            if (image.m_nBitCount == 24) {
                out.push_back(row[3 * x + 2]);
                out.push_back(row[3 * x + 1]);
                out.push_back(row[3 * x]);
            } else {
                out.push_back(row[x]);
            }
        }
    }
    return out;
}

// Same size, bit count, pixel bytes and colour table.
inline ::testing::AssertionResult SameImage(const XImage& a, const XImage& b)
{
    if (!a.m_hBits || !b.m_hBits) return ::testing::AssertionFailure() << "missing pixel block";
    if (a.m_nWidth != b.m_nWidth || a.m_nHeight != b.m_nHeight || a.m_nBitCount != b.m_nBitCount)
        return ::testing::AssertionFailure() << a.m_nWidth << "x" << a.m_nHeight << "x" << a.m_nBitCount << " vs "
                                             << b.m_nWidth << "x" << b.m_nHeight << "x" << b.m_nBitCount;
    LockedBlock<BYTE> bitsA(a.m_hBits), bitsB(b.m_hBits), infoA(a.m_hInfo), infoB(b.m_hInfo);
    if (std::memcmp(bitsA.get(), bitsB.get(), a.BitsSize()) != 0) return ::testing::AssertionFailure() << "pixels differ";
    if (std::memcmp(infoA.get() + 40, infoB.get() + 40, a.InfoSize() - 40) != 0)
        return ::testing::AssertionFailure() << "colours differ";
    return ::testing::AssertionSuccess();
}

// -- test images -----------------------------------------------------------------

// An image of random pixels (bits past the width stay zero) and a random
// colour table.
inline std::unique_ptr<XImage> RandomImage(int width, int height, int bitCount, unsigned seed = 1)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    if (!image->AllocateBlocks()) return image;
    std::mt19937 random(seed);
    LockedBlock<BYTE> bits(image->m_hBits);
    const size_t used = size_t((uint64_t(width) * bitCount + 7) / 8);
    for (int y = 0; y < height; ++y) {
        BYTE* row = bits.get() + size_t(y) * image->RowBytes();
        for (size_t i = 0; i < used; ++i) row[i] = BYTE(random());
        const int spare = int(used * 8 - uint64_t(width) * bitCount);
        if (spare) row[used - 1] &= BYTE(0xFF << spare);
    }
    LockedBlock<BYTE> info(image->m_hInfo);
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + 40);
    for (UINT i = 0; i < image->ColorCount(); ++i) table[i] = {BYTE(random()), BYTE(random()), BYTE(random()), 0};
    return image;
}

// An 8- or 24-bit image; pixel(x, y, p) stores the index (8-bit) or the B, G,
// R bytes (24-bit) of row y counted from the top at p. The table stays black.
template <typename F>
void FillImage(XImage& image, int width, int height, int bitCount, F pixel)
{
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = uint16_t(bitCount);
    ASSERT_TRUE(image.AllocateBlocks());
    LockedBlock<BYTE> bits(image.m_hBits);
    for (int y = 0; y < height; ++y) {
        BYTE* row = TopRow(image, bits.get(), y);
        for (int x = 0; x < width; ++x) pixel(x, y, row + x * (bitCount / 8));
    }
}

// A 1-, 4- or 8-bit image whose pixel (x, y) is index(x, y), row y counted
// from the top, with a colour table whose entries all differ.
template <typename F>
void IndexImage(XImage& image, int width, int height, int bitCount, F index)
{
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = uint16_t(bitCount);
    ASSERT_TRUE(image.AllocateBlocks());
    LockedBlock<BYTE> bits(image.m_hBits), info(image.m_hInfo);
    for (int i = 0; i < (1 << bitCount); ++i) {
        BYTE* quad = info.get() + 40 + 4 * i;  // blue, green, red, 0
        quad[0] = BYTE(i);
        quad[1] = BYTE(255 - i);
        quad[2] = BYTE(i * 7);
    }
    for (int y = 0; y < height; ++y) {
        BYTE* row = TopRow(image, bits.get(), y);
        for (int x = 0; x < width; ++x) {
            const int v = index(x, y) & ((1 << bitCount) - 1);
            if (bitCount == 8)
                row[x] = BYTE(v);
            else if (bitCount == 4)
                row[x >> 1] |= BYTE((x & 1) ? v : v << 4);
            else
                row[x >> 3] |= BYTE(v << (7 - (x & 7)));
        }
    }
}

// -- decoding through a codec ----------------------------------------------------

// Decodes bytes with codec C into a fresh image.
template <typename C>
std::unique_ptr<XImage> DecodeWith(const Bytes& bytes)
{
    std::unique_ptr<XImage> image(new XImage);
    C().Decode(image.get(), bytes.data(), bytes.size());
    return image;
}

// Decoding bytes with codec C fails as an unsupported file and leaves no
// blocks behind.
template <typename C>
::testing::AssertionResult DecodeRefused(const Bytes& bytes)
{
    XImage image;
    const typename C::Error error = C().Decode(&image, bytes.data(), bytes.size());
    if (image.m_hBits || image.m_hInfo) return ::testing::AssertionFailure() << "blocks left behind";
    if (error != C::Error::Unsupported) return ::testing::AssertionFailure() << "error " << int(error);
    return ::testing::AssertionSuccess();
}

// -- PNM references --------------------------------------------------------------

// A binary PNM (P5 or P6) as top-down samples: 1 or 3 per pixel (R, G, B).
struct Pnm {
    int width = 0, height = 0, channels = 0;
    Bytes samples;
};

inline Pnm ParsePnm(const Bytes& data)
{
    Pnm pnm;
    std::string text(data.begin(), data.end());
    int maxval = 0, consumed = 0;
    char kind = 0;
    if (std::sscanf(text.c_str(), "P%c %d %d %d%n", &kind, &pnm.width, &pnm.height, &maxval, &consumed) != 4)
        return pnm;
    pnm.channels = kind == '6' ? 3 : 1;
    pnm.samples.assign(data.begin() + consumed + 1, data.end());
    return pnm;
}
