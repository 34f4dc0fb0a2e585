// Helpers shared by the JPEG tests: files, PNM references, images.
#pragma once

#include "formats/XFileJpg.h"
#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

inline std::vector<BYTE> ReadTestFile(const std::string& name)
{
    std::vector<BYTE> data;
    std::FILE* fp = std::fopen((std::string(KESTREL_TEST_DATA) + "/jpg/" + name).c_str(), "rb");
    if (!fp) return data;
    BYTE buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) data.insert(data.end(), buffer, buffer + n);
    std::fclose(fp);
    return data;
}

// A binary PNM (P5 or P6) as top-down samples: 1 or 3 per pixel (R, G, B).
struct Pnm {
    int width = 0, height = 0, channels = 0;
    std::vector<BYTE> samples;
};

inline Pnm ParsePnm(const std::vector<BYTE>& data)
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

// The image's pixels top-down as R, G, B (24-bit) or grey samples (8-bit).
inline std::vector<BYTE> TopDownSamples(const XImage& image)
{
    std::vector<BYTE> out;
    LockedBlock<BYTE> bits(image.m_hBits);
    if (!bits) return out;
    const size_t stride = image.RowBytes();
    for (int y = 0; y < image.m_nHeight; ++y) {
        const BYTE* row = bits.get() + size_t(image.m_nHeight - 1 - y) * stride;
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

// Fills a fresh image of the given size and bit count; pixel(x, y) gives
// the B, G, R bytes (24-bit) or the index (8-bit) of top-down row y.
template <typename F>
void MakeImage(XImage& image, int width, int height, int bitCount, F pixel)
{
    image.m_nWidth = width;
    image.m_nHeight = height;
    image.m_nBitCount = uint16_t(bitCount);
    image.AllocateBlocks();
    LockedBlock<BYTE> bits(image.m_hBits);
    const size_t stride = image.RowBytes();
    for (int y = 0; y < height; ++y) {
        BYTE* row = bits.get() + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) pixel(x, y, row + x * (bitCount / 8));
    }
}

inline void SetPalette(XImage& image, const RGBQUAD* colors)
{
    LockedBlock<BYTE> info(image.m_hInfo);
    std::memcpy(info.get() + sizeof(BITMAPINFOHEADER), colors, 256 * sizeof(RGBQUAD));
}
