// JPEG decoding speed: Kestrel's decoder on a 12-megapixel photo-like
// picture (4000 x 3000, 4:2:0), on each vector path the processor has.
// Single thread; best of several runs, timed in processor time (the machine
// is shared, so wall time says little), the decoders taking turns run by
// run; megapixels per second.
//
// Each file is decoded two ways: into a freshly allocated pixel block per
// image, as opening a file does (page faults included), and into one
// reused buffer, which leaves the decoding alone.
//
// Where the reference library is linked (KESTREL_BENCH_REFERENCES, the host
// build), libjpeg-turbo's TurboJPEG API decodes the same files in the same
// run, the same two ways: its accurate integer IDCT and replicating
// upsampling (TJFLAG_FASTUPSAMPLE), the same kind of work Kestrel does. It
// uses SIMD unless run with JSIMD_FORCENONE=1 in the environment. Its
// quality-75 and 90 4:2:0 files (islow DCT) join Kestrel's own quality-45
// file. Under Windows only Kestrel's file is decoded.
#include "BestSeconds.h"
#include "JpegBenchPhoto.h"

#include "formats/JpegDecoder.h"
#include "formats/XFileJpg.h"
#include "framework/CpuFeatures.h"

#ifdef KESTREL_BENCH_REFERENCES
#include <turbojpeg.h>
#endif

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace jpegbench;

namespace {
const int kDecodeRuns = 5;
// Decodes per timed run, so that a run spans many ticks of a coarse clock
// (Windows' clock() counts wall time in steps of about 15 ms).
const int kDecodesPerRun = 4;

template <typename Work>
double SecondsPerDecode(Work work)
{
    return BestSeconds(1, [&] {
               for (int i = 0; i < kDecodesPerRun; ++i) work();
           }) /
           kDecodesPerRun;
}

// Best times in seconds, into a fresh block per image and into one reused
// buffer.
struct Times {
    double fresh = 1e30, reused = 1e30;

    void Take(double freshSeconds, double reusedSeconds)
    {
        fresh = std::min(fresh, freshSeconds);
        reused = std::min(reused, reusedSeconds);
    }
};

// One run of Kestrel each way; false when the file does not decode.
bool DecodeOurs(const std::vector<BYTE>& file, std::vector<BYTE>& reused, size_t stride, Times& times)
{
    XImage image;
    bool decoded = true;
    const double fresh = SecondsPerDecode([&] { XFileJpg().Decode(&image, file.data(), file.size()); });
    decoded &= image.m_hBits != nullptr;
    times.Take(fresh, SecondsPerDecode([&] {
                   JpegDecoder decoder;
                   decoded &= decoder.Start(file.data(), file.size()) && decoder.DecodeInto(reused.data(), stride);
               }));
    return decoded;
}

#ifdef KESTREL_BENCH_REFERENCES
// One run of libjpeg-turbo each way; false when it fails.
bool DecodeTurbo(tjhandle decompressor, const std::vector<BYTE>& file, std::vector<BYTE>& reused, Times& times)
{
    int status = 0;
    const double fresh = SecondsPerDecode([&] {
        std::unique_ptr<BYTE[]> pixels(new BYTE[reused.size()]);
        status |= tjDecompress2(decompressor, file.data(), file.size(), pixels.get(), kWidth, 0, kHeight, TJPF_BGR,
                                TJFLAG_FASTUPSAMPLE);
    });
    times.Take(fresh, SecondsPerDecode([&] {
                   status |= tjDecompress2(decompressor, file.data(), file.size(), reused.data(), kWidth, 0, kHeight,
                                           TJPF_BGR, TJFLAG_FASTUPSAMPLE);
               }));
    return status == 0;
}

std::vector<BYTE> TurboFile(const std::vector<BYTE>& bgr, int quality)
{
    tjhandle compressor = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    if (tjCompress2(compressor, bgr.data(), kWidth, 0, kHeight, TJPF_BGR, &data, &size, TJSAMP_420, quality,
                    TJFLAG_ACCURATEDCT))
        std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(compressor));
    std::vector<BYTE> file(data, data + size);
    tjFree(data);
    tjDestroy(compressor);
    return file;
}
#endif

struct Labelled {
    const char* label;
    std::vector<BYTE> bytes;
};
}

int main(int argc, char** argv)
{
    XImage photo;
    MakePhoto(photo);
    const size_t stride = photo.RowBytes();
    std::vector<BYTE> reused(stride * kHeight);

    std::vector<Labelled> files;
#ifdef KESTREL_BENCH_REFERENCES
    const std::vector<BYTE> bgr = TopDownBgr(photo);
    files.push_back({"q75 (turbo)", TurboFile(bgr, 75)});
    files.push_back({"q90 (turbo)", TurboFile(bgr, 90)});
#endif
    files.push_back({"q45 (ours)", {}});
    XFileJpg().Encode(photo, files.back().bytes);

    // Optional: a JPEG file of exactly 4000 x 3000 named on the command line.
    if (argc > 1) {
        std::FILE* fp = std::fopen(argv[1], "rb");
        Labelled given{"given file", {}};
        BYTE buffer[65536];
        size_t n;
        while (fp && (n = std::fread(buffer, 1, sizeof buffer, fp)) > 0)
            given.bytes.insert(given.bytes.end(), buffer, buffer + n);
        if (fp) std::fclose(fp);
        files.push_back(given);
    }

#ifdef KESTREL_BENCH_REFERENCES
    const char* simd = std::getenv("JSIMD_FORCENONE");
    std::printf("libjpeg-turbo SIMD: %s\n", simd && simd[0] == '1' ? "off (JSIMD_FORCENONE=1)" : "as shipped");
    tjhandle decompressor = tjInitDecompress();
#endif
    std::printf("Mpx/s into a fresh block per image / into a reused buffer\n");
    for (const Labelled& file : files) {
        for (int level = int(DetectedSimdLevel()); level >= 0; --level) {
            ForceSimdLevel(SimdLevel(level));
            // The decoders take turns, so that both meet the same moments of
            // a shared machine.
            Times ours, turbo;
            bool ok = true;
            for (int run = 0; run < kDecodeRuns; ++run) {
                ok &= DecodeOurs(file.bytes, reused, stride, ours);
#ifdef KESTREL_BENCH_REFERENCES
                if (!DecodeTurbo(decompressor, file.bytes, reused, turbo))
                    std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(decompressor));
#endif
            }
            if (!ok) std::printf("Kestrel failed to decode %s\n", file.label);
            std::printf("decode %-12s %8zu bytes  %-6s  Kestrel %6.1f / %6.1f", file.label, file.bytes.size(),
                        SimdLevelName(SimdLevel(level)), Megapixels() / ours.fresh, Megapixels() / ours.reused);
#ifdef KESTREL_BENCH_REFERENCES
            std::printf("  libjpeg-turbo %6.1f / %6.1f  ratios %.2f %.2f", Megapixels() / turbo.fresh,
                        Megapixels() / turbo.reused, turbo.fresh / ours.fresh, turbo.reused / ours.reused);
#endif
            std::printf("\n");
        }
    }
    ForceSimdLevel(SimdLevel::kAvx2);
#ifdef KESTREL_BENCH_REFERENCES
    tjDestroy(decompressor);
#endif
    return 0;
}
