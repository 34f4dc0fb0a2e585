// JPEG decoding speed: Kestrel's decoder on a 12-megapixel photo-like
// picture (4000 x 3000, 4:2:0), next to libjpeg-turbo's TurboJPEG API in the
// same process. Single thread; best of several runs, timed in processor
// time (the machine is shared, so wall time says little); megapixels per second.
// libjpeg-turbo uses SIMD unless run with JSIMD_FORCENONE=1 in the
// environment, so run this twice to see both.
//
// Input: libjpeg-turbo's quality-75 and 90 4:2:0 files (islow DCT), and
// Kestrel's own quality-45 file. libjpeg-turbo decodes with its accurate
// integer IDCT and replicating upsampling (TJFLAG_FASTUPSAMPLE), the same
// kind of work Kestrel does; it is timed both into a freshly allocated buffer
// per image (as Kestrel allocates its pixel block) and into one reused buffer.
#include "BestSeconds.h"
#include "JpegBenchPhoto.h"

#include "formats/XFileJpg.h"

#include <turbojpeg.h>

#include <cstdio>
#include <memory>

using namespace jpegbench;

int main(int argc, char** argv)
{
    XImage photo;
    MakePhoto(photo);
    const std::vector<BYTE> bgr = TopDownBgr(photo);
    const char* simd = std::getenv("JSIMD_FORCENONE");
    std::printf("libjpeg-turbo SIMD: %s\n", simd && simd[0] == '1' ? "off (JSIMD_FORCENONE=1)" : "as shipped");

    // Kestrel's own quality-45 file, and libjpeg-turbo's at 75 and 90.
    std::vector<BYTE> ours;
    XFileJpg().Encode(photo, ours);
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
