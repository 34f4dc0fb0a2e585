// Test images and file helpers shared by the PCX, FST, TIFF and WPG tests.
#pragma once

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace pcxtif {

inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + "kestrel_" + name; }

inline std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline bool FileExists(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

inline uint32_t U16(const std::vector<BYTE>& b, size_t at) { return uint32_t(b.at(at) | (b.at(at + 1) << 8)); }
inline uint32_t U32(const std::vector<BYTE>& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

inline RGBQUAD ColorAt(const XImage& image, int index)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    return reinterpret_cast<const RGBQUAD*>(info.get() + 40)[index];
}

inline ::testing::AssertionResult IsColor(const RGBQUAD& c, int red, int green, int blue)
{
    if (c.rgbRed == red && c.rgbGreen == green && c.rgbBlue == blue && c.rgbReserved == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << int(c.rgbRed) << "," << int(c.rgbGreen) << ","
                                         << int(c.rgbBlue) << "," << int(c.rgbReserved);
}

// Failed reads leave no blocks and the given message id.
inline ::testing::AssertionResult Refused(const XImage& image, UINT id)
{
    if (image.m_hBits || image.m_hInfo) return ::testing::AssertionFailure() << "blocks left behind";
    if (image.m_nOriginId != id) return ::testing::AssertionFailure() << "message " << image.m_nOriginId;
    return ::testing::AssertionSuccess();
}

// Pointer to pixel row y counted from the top (rows are stored bottom-up).
inline BYTE* TopRow(const XImage& image, BYTE* bits, int y)
{
    return bits + size_t(image.m_nHeight - 1 - y) * image.RowBytes();
}

// An image of random pixels (bits past the width stay zero) and a random
// colour table.
inline std::unique_ptr<XImage> MakeImage(int width, int height, int bitCount, unsigned seed = 1)
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

inline void SetColor(XImage& image, int index, BYTE red, BYTE green, BYTE blue)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    reinterpret_cast<RGBQUAD*>(info.get() + 40)[index] = {blue, green, red, 0};
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

// Decodes bytes with codec class C into a fresh image.
template <typename C>
std::unique_ptr<XImage> DecodeWith(const std::vector<BYTE>& bytes)
{
    std::unique_ptr<XImage> image(new XImage);
    C(image.get()).Decode(bytes.data(), bytes.size());
    return image;
}

}  // namespace pcxtif
