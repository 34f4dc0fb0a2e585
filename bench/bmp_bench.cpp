// Throughput of the BMP reader and writers on 1920 x 1080 images (24-bit
// and 8-bit, plain and RLE8), single-threaded, in megapixels per second of
// processor time.
// bench/bmp_baseline.py prints the same figures for Pillow.
#include "BestSeconds.h"

#include "formats/XFileBmp.h"

#include "framework/GlobalBlock.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const int kWidth = 1920;
const int kHeight = 1080;
const int kRounds = 10;

// A screenshot-like picture: flat areas with some texture, so that the
// run-length coder sees both runs and literals.
void Fill(XImage& image, int bitCount)
{
    image.m_nWidth = kWidth;
    image.m_nHeight = kHeight;
    image.m_nBitCount = uint16_t(bitCount);
    if (!image.AllocateBlocks()) std::exit(1);
    LockedBlock<BYTE> bits(image.m_hBits);
    std::srand(1);
    const size_t stride = image.RowBytes();
    for (int y = 0; y < kHeight; ++y)
        for (size_t i = 0; i < stride; ++i)
            bits.get()[size_t(y) * stride + i] =
                ((i / 64 + y / 32) % 5 == 0) ? BYTE(std::rand()) : BYTE(i / 300 + y / 200);
}

// Best of kRounds runs in processor time, as the other benchmarks measure.
template <typename F>
double MegapixelsPerSecond(F&& run)
{
    return double(kWidth) * kHeight / 1e6 / BestSeconds(kRounds, run);
}

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (std::FILE* fp = std::fopen(path.c_str(), "rb")) {
        std::fseek(fp, 0, SEEK_END);
        bytes.resize(size_t(std::ftell(fp)));
        std::fseek(fp, 0, SEEK_SET);
        if (std::fread(bytes.data(), 1, bytes.size(), fp) != bytes.size()) bytes.clear();
        std::fclose(fp);
    }
    return bytes;
}

void Bench(const char* label, int bitCount, bool rle)
{
    XImage image;
    Fill(image, bitCount);
    const std::string path = std::string("/tmp/kestrel_bmp_bench") + (rle ? ".rle" : ".bmp");
    const double write = MegapixelsPerSecond([&] {
        if (rle)
            XFileBmp().WriteRleImage(image, path.c_str());
        else
            XFileBmp().WriteImage(image, path.c_str());
    });
    // Reading the file and decoding its bytes from memory, by turns.
    const std::vector<BYTE> bytes = ReadAll(path);
    double readSeconds = 0, decodeSeconds = 0;
    BestSecondsOfBoth(
        kRounds,
        [&] {
            XImage back;
            XFileBmp().ReadImage(&back, path.c_str());
            if (!back.m_hBits) std::exit(1);
        },
        [&] {
            XImage back;
            XFileBmp().Decode(&back, bytes.data(), bytes.size());
            if (!back.m_hBits) std::exit(1);
        },
        readSeconds, decodeSeconds);
    const double megapixels = double(kWidth) * kHeight / 1e6;
    std::printf("%-22s write %8.1f Mpx/s   read %8.1f Mpx/s   decode from memory %8.1f Mpx/s   read/decode %.2f  "
                "(%zu bytes)\n",
                label, write, megapixels / readSeconds, megapixels / decodeSeconds, readSeconds / decodeSeconds,
                bytes.size());
    std::remove(path.c_str());
}
}

int main()
{
    std::printf("Kestrel BMP, %dx%d, best of %d rounds, one thread\n", kWidth, kHeight, kRounds);
    Bench("24-bit BMP", 24, false);
    Bench("8-bit BMP", 8, false);
    Bench("8-bit RLE8", 8, true);
    return 0;
}
