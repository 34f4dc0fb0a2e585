// JPEG decoding speed: Kestrel's decoder on a 12-megapixel photo-like
// picture (4000 x 3000, 4:2:0), on each vector path the processor has.
// Single thread; best of several runs, timed in processor time (the machine
// is shared, so wall time says little); megapixels per second.
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

#include <cstdio>
#include <memory>

using namespace jpegbench;

namespace {
const int kDecodeRuns = 5;

struct Speeds {
    double fresh = 0, reused = 0;  // Mpx/s
};

// Kestrel into a new pixel block per image, and into reused.
Speeds DecodeOurs(const std::vector<BYTE>& file, std::vector<BYTE>& reused, size_t stride)
{
    Speeds s;
    XImage image;
    s.fresh = Megapixels() / BestSeconds(kDecodeRuns, [&] { XFileJpg().Decode(&image, file.data(), file.size()); });
    bool decoded = image.m_hBits != nullptr;
    s.reused = Megapixels() / BestSeconds(kDecodeRuns, [&] {
        JpegDecoder decoder;
        decoded &= decoder.Start(file.data(), file.size()) && decoder.DecodeInto(reused.data(), stride);
    });
    if (!decoded) std::printf("Kestrel failed to decode a file\n");
    return s;
}

#ifdef KESTREL_BENCH_REFERENCES
Speeds DecodeTurbo(tjhandle decompressor, const std::vector<BYTE>& file, std::vector<BYTE>& reused)
{
    Speeds s;
    int status = 0;
    s.fresh = Megapixels() / BestSeconds(kDecodeRuns, [&] {
        std::unique_ptr<BYTE[]> pixels(new BYTE[reused.size()]);
        status |= tjDecompress2(decompressor, file.data(), file.size(), pixels.get(), kWidth, 0, kHeight, TJPF_BGR,
                                TJFLAG_FASTUPSAMPLE);
    });
    s.reused = Megapixels() / BestSeconds(kDecodeRuns, [&] {
        status |= tjDecompress2(decompressor, file.data(), file.size(), reused.data(), kWidth, 0, kHeight, TJPF_BGR,
                                TJFLAG_FASTUPSAMPLE);
    });
    if (status) std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(decompressor));
    return s;
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
            const Speeds ours = DecodeOurs(file.bytes, reused, stride);
            std::printf("decode %-12s %8zu bytes  %-6s  Kestrel %6.1f / %6.1f", file.label, file.bytes.size(),
                        SimdLevelName(SimdLevel(level)), ours.fresh, ours.reused);
#ifdef KESTREL_BENCH_REFERENCES
            // Measured again next to each of our paths, so each ratio comes
            // from figures taken moments apart.
            const Speeds turbo = DecodeTurbo(decompressor, file.bytes, reused);
            std::printf("  libjpeg-turbo %6.1f / %6.1f  ratios %.2f %.2f", turbo.fresh, turbo.reused,
                        ours.fresh / turbo.fresh, ours.reused / turbo.reused);
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
