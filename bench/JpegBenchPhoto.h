// A 4000 x 3000 photo-like 24-bit picture for the JPEG benchmarks: smooth
// shapes, edges and a little noise, and a top-down BGR copy for libraries
// that take one.
#pragma once

#include "image/XImage.h"
#include "framework/GlobalBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace jpegbench {
const int kWidth = 4000, kHeight = 3000, kRuns = 3;

inline double Megapixels() { return double(kWidth) * kHeight / 1e6; }

// Smooth shapes, edges and a little noise, as B, G, R bottom-up rows.
inline void MakePhoto(XImage& image)
{
    image.m_nWidth = kWidth;
    image.m_nHeight = kHeight;
    image.m_nBitCount = 24;
    if (!image.AllocateBlocks()) std::exit(1);
    LockedBlock<BYTE> bits(image.m_hBits);
    std::vector<double> sx(kWidth), cy(kHeight);
    for (int x = 0; x < kWidth; ++x) sx[x] = std::sin(x / 230.0);
    for (int y = 0; y < kHeight; ++y) cy[y] = std::cos(y / 310.0);
    uint32_t seed = 12345;
    const size_t stride = image.RowBytes();
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = bits.get() + size_t(y) * stride;
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = int((seed >> 16) & 31) - 16;
            int r = int(128 + 100 * sx[x] * cy[y]) + noise;
            int g = int(128 + 90 * sx[(x + y) % kWidth]) - noise;
            int b = (x * 127 / kWidth + y * 127 / kHeight) + noise;
            if ((x / 600 + y / 500) % 3 == 0) r = 220 + noise, g = 40, b = 50;
            row[3 * x] = BYTE(b < 0 ? 0 : b > 255 ? 255 : b);
            row[3 * x + 1] = BYTE(g < 0 ? 0 : g > 255 ? 255 : g);
            row[3 * x + 2] = BYTE(r < 0 ? 0 : r > 255 ? 255 : r);
        }
    }
}

inline std::vector<BYTE> TopDownBgr(const XImage& photo)
{
    std::vector<BYTE> bgr(size_t(kWidth) * kHeight * 3);
    LockedBlock<BYTE> bits(photo.m_hBits);
    const size_t stride = photo.RowBytes();
    for (int y = 0; y < kHeight; ++y)
        std::copy(bits.get() + size_t(kHeight - 1 - y) * stride, bits.get() + size_t(kHeight - 1 - y) * stride + kWidth * 3,
                  bgr.begin() + long(size_t(y) * kWidth * 3));
    return bgr;
}
}
