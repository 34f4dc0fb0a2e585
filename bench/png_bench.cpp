// PNG speed: Kestrel's encoder and decoder on a 1920 x 1080 screenshot-like
// picture (flat panels, text-like glyph rows, a noisy photo region), next to
// libdeflate (level 6 over Up-filtered rows, zlib format) and libpng's
// default settings through its simplified API, in the same process. Single
// thread; best of several runs in processor time; megapixels per second.
// Decoding reads both Kestrel's file and libpng's, with each decoder.
// Kestrel's figures are given for each vector path the processor has. The
// Windows build has no reference libraries (KESTREL_BENCH_REFERENCES is
// not defined there) and times Kestrel alone.
#include "BestSeconds.h"

#include "formats/XFilePng.h"
#include "framework/CpuFeatures.h"
#include "framework/GlobalBlock.h"

#ifdef KESTREL_BENCH_REFERENCES
#include <libdeflate.h>
#include <png.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
const int kWidth = 1920, kHeight = 1080, kRuns = 7;

double Megapixels() { return double(kWidth) * kHeight / 1e6; }

// RGB top-down rows: window panels and title bars, rows of glyph-like
// strokes in a few colours, and a photo region of gradients with noise.
std::vector<BYTE> MakeScreen()
{
    std::vector<BYTE> rgb(size_t(kWidth) * kHeight * 3);
    uint32_t seed = 99;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            BYTE* p = &rgb[(size_t(y) * kWidth + x) * 3];
            int r = 236, g = 236, b = 236;
            if (y % 300 < 24) r = 40, g = 90, b = 160;  // title bars
            const bool textRow = y % 300 > 40 && y % 20 < 12 && x % 960 > 30 && x % 960 < 900;
            if (textRow && ((x * 7 + (y % 20) * 13) % 11 < 3 || (x / 6 + y / 20) % 9 == 0)) r = g = b = 20;
            if (x > 1100 && x < 1800 && y > 320 && y < 820) {
                seed = seed * 1103515245u + 12345u;
                const int noise = int((seed >> 16) & 15) - 8;
                r = (x - 1100) * 255 / 700 + noise;
                g = (y - 320) * 255 / 500 - noise;
                b = 128 + noise;
            }
            p[0] = BYTE(r < 0 ? 0 : r > 255 ? 255 : r);
            p[1] = BYTE(g < 0 ? 0 : g > 255 ? 255 : g);
            p[2] = BYTE(b < 0 ? 0 : b > 255 ? 255 : b);
        }
    }
    return rgb;
}

void ToImage(const std::vector<BYTE>& rgb, XImage& image)
{
    image.m_nWidth = kWidth;
    image.m_nHeight = kHeight;
    image.m_nBitCount = 24;
    if (!image.AllocateBlocks()) std::exit(1);
    LockedBlock<BYTE> bits(image.m_hBits);
    const size_t stride = image.RowBytes();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                bits.get()[size_t(kHeight - 1 - y) * stride + 3 * size_t(x) + c] = rgb[(size_t(y) * kWidth + x) * 3 + 2 - c];
}

// The same picture reduced to 8 bits: the panel and text colours and a
// 6x6x6 cube for the photo.
void ToPalette(const std::vector<BYTE>& rgb, XImage& image)
{
    image.m_nWidth = kWidth;
    image.m_nHeight = kHeight;
    image.m_nBitCount = 8;
    if (!image.AllocateBlocks()) std::exit(1);
    LockedBlock<BYTE> info(image.m_hInfo), bits(image.m_hBits);
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + 40);
    for (int i = 0; i < 216; ++i) table[i] = {BYTE(i % 6 * 51), BYTE(i / 6 % 6 * 51), BYTE(i / 36 * 51), 0};
    const size_t stride = image.RowBytes();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const BYTE* p = &rgb[(size_t(y) * kWidth + x) * 3];
            bits.get()[size_t(kHeight - 1 - y) * stride + x] = BYTE(p[0] / 51 * 36 + p[1] / 51 * 6 + p[2] / 51);
        }
}

#ifdef KESTREL_BENCH_REFERENCES
std::vector<BYTE> UpFiltered(const std::vector<BYTE>& rgb)
{
    const size_t row = size_t(kWidth) * 3;
    std::vector<BYTE> out((row + 1) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        BYTE* o = &out[(row + 1) * y];
        o[0] = y ? 2 : 0;
        for (size_t i = 0; i < row; ++i) o[1 + i] = BYTE(rgb[row * y + i] - (y ? rgb[row * (y - 1) + i] : 0));
    }
    return out;
}

std::vector<BYTE> LibpngEncode(const std::vector<BYTE>& rgb)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
    std::vector<BYTE> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) std::exit(1);
    out.resize(size);
    return out;
}

void LibpngDecode(const std::vector<BYTE>& file, std::vector<BYTE>& rgb)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) std::exit(1);
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) std::exit(1);
}
#endif
}

int main()
{
    const std::vector<BYTE> rgb = MakeScreen();
    XImage screen, palette;
    ToImage(rgb, screen);
    ToPalette(rgb, palette);
    const double mpx = Megapixels();

    std::vector<BYTE> ours, oursPalette;
    XFilePng().Encode(screen, ours);
#ifdef KESTREL_BENCH_REFERENCES
    std::vector<BYTE> theirs = LibpngEncode(rgb), deflated, out;
#endif
    // The references are timed again next to each of Kestrel's paths, so
    // that every ratio comes from figures taken moments apart.
    for (int level = 0; level <= int(DetectedSimdLevel()); ++level) {
        ForceSimdLevel(SimdLevel(level));
        XImage image;
        const double ourEncode = BestSeconds(kRuns, [&] { XFilePng().Encode(screen, ours); });
        const double ourPalette = BestSeconds(kRuns, [&] { XFilePng().Encode(palette, oursPalette); });
        const double ourDecode = BestSeconds(kRuns, [&] {
            if (XFilePng().Decode(&image, ours.data(), ours.size()) != PngError::None) std::exit(1);
        });
        std::printf("Kestrel, %s path                Mpx/s     bytes\n", SimdLevelName(SimdLevel(level)));
        std::printf("  encode 24-bit               %7.1f %9zu\n", mpx / ourEncode, ours.size());
        std::printf("  encode 8-bit palette        %7.1f %9zu\n", mpx / ourPalette, oursPalette.size());
        std::printf("  decode Kestrel's file       %7.1f\n", mpx / ourDecode);
#ifdef KESTREL_BENCH_REFERENCES
        const double theirDecode = BestSeconds(kRuns, [&] {
            if (XFilePng().Decode(&image, theirs.data(), theirs.size()) != PngError::None) std::exit(1);
        });
        libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
        const double deflateEncode = BestSeconds(kRuns, [&] {
            const std::vector<BYTE> filtered = UpFiltered(rgb);
            deflated.resize(libdeflate_zlib_compress_bound(compressor, filtered.size()));
            deflated.resize(libdeflate_zlib_compress(compressor, filtered.data(), filtered.size(), deflated.data(),
                                                     deflated.size()));
        });
        libdeflate_free_compressor(compressor);
        const double libpngEncode = BestSeconds(kRuns, [&] { theirs = LibpngEncode(rgb); });
        const double libpngDecodeOurs = BestSeconds(kRuns, [&] { LibpngDecode(ours, out); });
        const double libpngDecodeTheirs = BestSeconds(kRuns, [&] { LibpngDecode(theirs, out); });
        std::printf("  decode libpng's file        %7.1f\n", mpx / theirDecode);
        std::printf("  encode libdeflate 6, Up     %7.1f %9zu\n", mpx / deflateEncode, deflated.size());
        std::printf("  encode libpng default       %7.1f %9zu\n", mpx / libpngEncode, theirs.size());
        std::printf("  decode libpng: Kestrel's file %5.1f, libpng's file %5.1f\n", mpx / libpngDecodeOurs,
                    mpx / libpngDecodeTheirs);
        std::printf("  encode %.2fx libdeflate, %.2fx libpng, size %.3fx libpng; decode %.2fx and %.2fx libpng\n",
                    deflateEncode / ourEncode, libpngEncode / ourEncode, double(ours.size()) / double(theirs.size()),
                    libpngDecodeOurs / ourDecode, libpngDecodeTheirs / theirDecode);
#endif
    }
    return 0;
}
