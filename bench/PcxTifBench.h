// Shared timing for the PCX, FST, TIFF and WPG benchmarks: a 1920 x 1080
// screen-like image (flat areas with noisy detail, the content captures
// usually have) written to and read from a temporary file, in megapixels a second.
#pragma once

#include "BestSeconds.h"

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace pcxtif {

const int kWidth = 1920;
const int kHeight = 1080;

inline std::unique_ptr<XImage> ScreenImage(int bitCount)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = kWidth;
    image->m_nHeight = kHeight;
    image->m_nBitCount = uint16_t(bitCount);
    if (!image->AllocateBlocks()) return image;
    std::mt19937 random(42);
    LockedBlock<BYTE> bits(image->m_hBits);
    const size_t used = size_t(kWidth) * bitCount / 8;
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = bits.get() + size_t(y) * image->RowBytes();
        // Window-like bands of one colour, and a text-like noisy strip.
        for (size_t i = 0; i < used; ++i)
            row[i] = ((y / 40) % 3 == 0 && i % 600 < 200) ? BYTE(random()) : BYTE((y / 40) * 17 + (i / 300) * 5);
    }
    LockedBlock<BYTE> info(image->m_hInfo);
    for (UINT i = 0; i < image->ColorCount() * 4; ++i) info.get()[40 + i] = (i % 4 == 3) ? 0 : BYTE(random());
    return image;
}

inline std::vector<BYTE> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Report(const char* what, int bitCount, double seconds, size_t fileBytes)
{
    std::printf("%-28s %2d-bit  %8.1f Mpx/s  (%zu bytes)\n", what, bitCount,
                double(kWidth) * kHeight / 1e6 / seconds, fileBytes);
}

// Writes and reads image with codec C: file write, file read, and decoding
// from memory alone (the last two by turns).
template <typename C>
void BenchCodec(const char* name, int bitCount)
{
    auto image = ScreenImage(bitCount);
    const std::string path = std::string("/tmp/kestrel_bench_") + name;
    const double write = BestSeconds(5, [&] { C().WriteImage(*image, path.c_str()); });
    const std::vector<BYTE> file = ReadAll(path);
    double read = 0, decode = 0;
    BestSecondsOfBoth(
        9,
        [&] {
            XImage back;
            C().ReadImage(&back, path.c_str());
        },
        [&] {
            XImage back;
            C().Decode(&back, file.data(), file.size());
        },
        read, decode);
    const std::string label(name);
    Report((label + " write").c_str(), bitCount, write, file.size());
    Report((label + " read").c_str(), bitCount, read, file.size());
    Report((label + " decode (memory)").c_str(), bitCount, decode, file.size());
    std::printf("%-28s %2d-bit  %8.2f  (2 or less: within twice)\n", (label + " read/decode").c_str(), bitCount,
                read / decode);
    std::remove(path.c_str());
}

}  // namespace pcxtif
