// libFuzzer target for the GIF reader: any input must end in an image or in
// the format's message, never in a crash, hang or overrun. Inputs that decode
// are written back and read again, so the writer sees odd sizes and tables.
#include "formats/XFileGif.h"

#include "framework/GlobalBlock.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    XFileGif(&image).Decode(data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || image.m_nOriginId == 0) __builtin_trap();
        return 0;
    }
    if (image.m_nWidth > 512 || image.m_nHeight > 512) return 0;
    static const std::string path = "/tmp/fuzz_gif_" + std::to_string(getpid()) + ".gif";
    XFileGif(&image).WriteImage(path.c_str(), size & 1);
    XImage back;
    XFileGif(&back).ReadImage(path.c_str());
    std::remove(path.c_str());
    if (!back.m_hBits || back.m_nBitCount != image.m_nBitCount || back.m_nWidth != image.m_nWidth ||
        back.m_nHeight != image.m_nHeight)
        __builtin_trap();
    LockedBlock<BYTE> a(image.m_hBits), b(back.m_hBits), infoA(image.m_hInfo), infoB(back.m_hInfo);
    if (std::memcmp(a.get(), b.get(), image.BitsSize()) != 0 ||
        std::memcmp(infoA.get(), infoB.get(), image.InfoSize()) != 0)
        __builtin_trap();
    return 0;
}
