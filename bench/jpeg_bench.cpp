// JPEG speed: Kestrel's decoder and encoder on a 12-megapixel photo-like
// picture (4000 x 3000, 4:2:0), next to libjpeg-turbo's TurboJPEG API in the
// same process. Single thread; best of several runs, timed in processor
// time (the machine is shared, so wall time says little); megapixels per second.
// libjpeg-turbo uses SIMD unless run with JSIMD_FORCENONE=1 in the
// environment, so run this twice to see both.
//
// Decoding input: libjpeg-turbo's quality-75 4:2:0 file (islow DCT), and
// Kestrel's own quality-45 file. libjpeg-turbo decodes with its accurate
// integer IDCT and replicating upsampling (TJFLAG_FASTUPSAMPLE), the same
// kind of work Kestrel does; it is timed both into a freshly allocated buffer
// per image (as Kestrel allocates its pixel block) and into one reused buffer.
// Encoding: quality 45, 4:2:0, accurate DCT.
#include "BestSeconds.h"

#include "formats/XFileJpg.h"
#include "framework/GlobalBlock.h"

#include <turbojpeg.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {
const int kWidth = 4000, kHeight = 3000, kRuns = 3;

double Megapixels() { return double(kWidth) * kHeight / 1e6; }

// Smooth shapes, edges and a little noise, as B, G, R bottom-up rows.
void MakePhoto(XImage& image)
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
}

int main(int argc, char** argv)
{
    XImage photo;
    MakePhoto(photo);
    std::vector<BYTE> bgr(size_t(kWidth) * kHeight * 3);
    {
        // Top-down copy for TurboJPEG.
        LockedBlock<BYTE> bits(photo.m_hBits);
        const size_t stride = photo.RowBytes();
        for (int y = 0; y < kHeight; ++y)
            std::copy(bits.get() + size_t(kHeight - 1 - y) * stride, bits.get() + size_t(kHeight - 1 - y) * stride + kWidth * 3,
                      bgr.begin() + long(size_t(y) * kWidth * 3));
    }
    const char* simd = std::getenv("JSIMD_FORCENONE");
    std::printf("libjpeg-turbo SIMD: %s\n", simd && simd[0] == '1' ? "off (JSIMD_FORCENONE=1)" : "as shipped");

    // Encoding.
    std::vector<BYTE> ours;
    double t = BestSeconds(kRuns, [&] { XFileJpg().Encode(photo, ours); });
    double kestrelEncode = Megapixels() / t;
    tjhandle compressor = tjInitCompress();
    unsigned char* theirs = nullptr;
    unsigned long theirsSize = 0;
    auto compress = [&](int quality) {
        tjFree(theirs);
        theirs = nullptr;
        if (tjCompress2(compressor, bgr.data(), kWidth, 0, kHeight, TJPF_BGR, &theirs, &theirsSize, TJSAMP_420, quality,
                        TJFLAG_ACCURATEDCT))
            std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(compressor));
    };
    t = BestSeconds(kRuns, [&] { compress(45); });
    double turboEncode = Megapixels() / t;
    std::printf("encode q45 4:2:0   Kestrel %7.1f Mpx/s (%zu bytes)  libjpeg-turbo %7.1f Mpx/s (%lu bytes)  ratio %.2f\n",
                kestrelEncode, ours.size(), turboEncode, theirsSize, kestrelEncode / turboEncode);

    // Decoding.
    tjhandle decompressor = tjInitDecompress();
    std::vector<BYTE> reused(bgr.size());
    auto decodeBoth = [&](const BYTE* file, size_t size, const char* label) {
        XImage image;
        double k = Megapixels() / BestSeconds(kRuns, [&] { XFileJpg().Decode(&image, file, size); });
        if (!image.m_hBits) std::printf("Kestrel failed to decode %s\n", label);
        int status = 0;
        // libjpeg-turbo into a fresh buffer per image, as Kestrel allocates its
        // pixel block (page faults included), and into one reused buffer.
        double fresh = Megapixels() / BestSeconds(kRuns, [&] {
            std::unique_ptr<BYTE[]> pixels(new BYTE[bgr.size()]);
            status |= tjDecompress2(decompressor, file, size, pixels.get(), kWidth, 0, kHeight, TJPF_BGR,
                                    TJFLAG_FASTUPSAMPLE);
        });
        double warm = Megapixels() / BestSeconds(kRuns, [&] {
            status |= tjDecompress2(decompressor, file, size, reused.data(), kWidth, 0, kHeight, TJPF_BGR,
                                    TJFLAG_FASTUPSAMPLE);
        });
        if (status) std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(decompressor));
        std::printf("decode %-12s %8zu bytes  Kestrel %6.1f Mpx/s  libjpeg-turbo %6.1f (fresh buffer) %6.1f (reused)"
                    "  ratios %.2f %.2f\n",
                    label, size, k, fresh, warm, k / fresh, k / warm);
    };
    compress(75);
    std::vector<BYTE> turboFile(theirs, theirs + theirsSize);
    compress(90);
    std::vector<BYTE> turboFile90(theirs, theirs + theirsSize);
    decodeBoth(turboFile.data(), turboFile.size(), "q75 (turbo)");
    decodeBoth(turboFile90.data(), turboFile90.size(), "q90 (turbo)");
    decodeBoth(ours.data(), ours.size(), "q45 (ours)");

    // Optional: a JPEG file of exactly 4000 x 3000 named on the command line.
    if (argc > 1) {
        std::FILE* fp = std::fopen(argv[1], "rb");
        std::vector<BYTE> file;
        BYTE buffer[65536];
        size_t n;
        while (fp && (n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) file.insert(file.end(), buffer, buffer + n);
        if (fp) std::fclose(fp);
        decodeBoth(file.data(), file.size(), "given file");
    }

    tjFree(theirs);
    tjDestroy(compressor);
    tjDestroy(decompressor);
    return 0;
}
