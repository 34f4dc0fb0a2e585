// Byte-level builders of BMP, CLP and icon files for the format tests, laid
// out by hand from the published file layouts (not by the code under test).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v);
    Put16(b, v >> 16);
}
inline uint32_t Get32(const Bytes& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

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

inline void AddQuad(Bytes& b, uint8_t red, uint8_t green, uint8_t blue)
{
    b.insert(b.end(), {blue, green, red, 0});
}

inline Bytes InfoBytes(const XImage& image)
{
    LockedBlock<uint8_t> p(image.m_hInfo);
    return Bytes(p.get(), p.get() + GlobalSize(image.m_hInfo));
}
inline Bytes PixelBytes(const XImage& image)
{
    LockedBlock<uint8_t> p(image.m_hBits);
    return Bytes(p.get(), p.get() + GlobalSize(image.m_hBits));
}

inline std::string TempPath(const std::string& name)
{
    return testing::TempDir() + name;
}

inline Bytes ReadFileBytes(const std::string& path)
{
    Bytes b;
    if (std::FILE* fp = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(fp)) != EOF) b.push_back(uint8_t(c));
        std::fclose(fp);
    }
    return b;
}
inline void WriteFileBytes(const std::string& path, const Bytes& b)
{
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    std::fwrite(b.data(), 1, b.size(), fp);
    std::fclose(fp);
}
