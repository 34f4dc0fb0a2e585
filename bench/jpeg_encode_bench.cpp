// JPEG encoding speed: Kestrel's encoder on a 12-megapixel photo-like
// picture (4000 x 3000) at quality 45, 4:2:0, on each vector path the
// processor has, next to libjpeg-turbo's TurboJPEG API with the accurate
// DCT at the same quality and sampling, in the same process (where the
// reference is built in). The runs are interleaved and each figure is the
// best of them in processor time; a run encodes the picture kEncodes times,
// as Windows counts processor time in ticks of 10 ms or more. Single
// thread; megapixels per second.
// libjpeg-turbo takes its best SIMD unless run with JSIMD_FORCENONE=1 or
// JSIMD_FORCESSE2=1 in the environment. The paths' files are also compared
// byte for byte.
#include "BestSeconds.h"
#include "JpegBenchPhoto.h"

#include "formats/XFileJpg.h"
#include "framework/CpuFeatures.h"

#ifdef KESTREL_BENCH_REFERENCES
#include <turbojpeg.h>
#endif

#include <cstdio>

using namespace jpegbench;

int main()
{
    const int kRounds = 5, kEncodes = 8;
    XImage photo;
    MakePhoto(photo);
    const int levels = int(DetectedSimdLevel()) + 1;
    std::vector<BYTE> files[3];
    double best[3] = {1e30, 1e30, 1e30};
#ifdef KESTREL_BENCH_REFERENCES
    const std::vector<BYTE> bgr = TopDownBgr(photo);
    const char* none = std::getenv("JSIMD_FORCENONE");
    const char* sse2 = std::getenv("JSIMD_FORCESSE2");
    std::printf("libjpeg-turbo SIMD: %s\n", none && none[0] == '1'   ? "off (JSIMD_FORCENONE=1)"
                                            : sse2 && sse2[0] == '1' ? "SSE2 (JSIMD_FORCESSE2=1)"
                                                                     : "as shipped");
    tjhandle compressor = tjInitCompress();
    unsigned char* theirs = nullptr;
    unsigned long theirsSize = 0;
    double turboBest = 1e30;
#endif
    for (int round = 0; round < kRounds; ++round) {
        for (int level = 0; level < levels; ++level) {
            ForceSimdLevel(SimdLevel(level));
            const double seconds = BestSeconds(1, [&] {
                for (int i = 0; i < kEncodes; ++i) XFileJpg().Encode(photo, files[level]);
            });
            if (seconds < best[level]) best[level] = seconds;
        }
#ifdef KESTREL_BENCH_REFERENCES
        const double seconds = BestSeconds(1, [&] {
            for (int i = 0; i < kEncodes; ++i) {
                tjFree(theirs);
                theirs = nullptr;
                if (tjCompress2(compressor, bgr.data(), kWidth, 0, kHeight, TJPF_BGR, &theirs, &theirsSize, TJSAMP_420,
                                45, TJFLAG_ACCURATEDCT))
                    std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(compressor));
            }
        });
        if (seconds < turboBest) turboBest = seconds;
#endif
    }
    ForceSimdLevel(SimdLevel::kAvx2);

    std::printf("encode q45 4:2:0, %d x %d\n", kWidth, kHeight);
#ifdef KESTREL_BENCH_REFERENCES
    const double turbo = kEncodes * Megapixels() / turboBest;
    std::printf("  %-14s %7.1f Mpx/s  (%lu bytes)\n", "libjpeg-turbo", turbo, theirsSize);
#endif
    for (int level = 0; level < levels; ++level) {
        const double ours = kEncodes * Megapixels() / best[level];
        std::printf("  Kestrel %-6s %7.1f Mpx/s  (%zu bytes, %s)", SimdLevelName(SimdLevel(level)), ours,
                    files[level].size(), files[level] == files[0] ? "same file as scalar" : "DIFFERS FROM SCALAR");
#ifdef KESTREL_BENCH_REFERENCES
        std::printf("  ratio %.2f", ours / turbo);
#endif
        std::printf("\n");
    }
#ifdef KESTREL_BENCH_REFERENCES
    tjFree(theirs);
    tjDestroy(compressor);
#endif
    return 0;
}
