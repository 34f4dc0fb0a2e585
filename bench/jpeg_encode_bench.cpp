// JPEG encoding speed: Kestrel's encoder on a 12-megapixel photo-like
// picture (4000 x 3000) at quality 45, 4:2:0, next to libjpeg-turbo's
// TurboJPEG API with the accurate DCT at the same quality and sampling, in
// the same process. Single thread; best of several runs in processor time;
// megapixels per second. libjpeg-turbo uses SIMD unless run with
// JSIMD_FORCENONE=1 in the environment.
#include "BestSeconds.h"
#include "JpegBenchPhoto.h"

#include "formats/XFileJpg.h"

#include <turbojpeg.h>

#include <cstdio>

using namespace jpegbench;

int main()
{
    XImage photo;
    MakePhoto(photo);
    const std::vector<BYTE> bgr = TopDownBgr(photo);
    const char* simd = std::getenv("JSIMD_FORCENONE");
    std::printf("libjpeg-turbo SIMD: %s\n", simd && simd[0] == '1' ? "off (JSIMD_FORCENONE=1)" : "as shipped");

    std::vector<BYTE> ours;
    const double kestrel = Megapixels() / BestSeconds(kRuns, [&] { XFileJpg().Encode(photo, ours); });
    tjhandle compressor = tjInitCompress();
    unsigned char* theirs = nullptr;
    unsigned long theirsSize = 0;
    const double turbo = Megapixels() / BestSeconds(kRuns, [&] {
        tjFree(theirs);
        theirs = nullptr;
        if (tjCompress2(compressor, bgr.data(), kWidth, 0, kHeight, TJPF_BGR, &theirs, &theirsSize, TJSAMP_420, 45,
                        TJFLAG_ACCURATEDCT))
            std::printf("libjpeg-turbo failed: %s\n", tjGetErrorStr2(compressor));
    });
    std::printf("encode q45 4:2:0   Kestrel %7.1f Mpx/s (%zu bytes)  libjpeg-turbo %7.1f Mpx/s (%lu bytes)  ratio %.2f\n",
                kestrel, ours.size(), turbo, theirsSize, kestrel / turbo);
    tjFree(theirs);
    tjDestroy(compressor);
    return 0;
}
