// libFuzzer target for the ico reader: an image with blocks of the sizes its
// header gives, or the format's message; never a crash.
#include "formats/XFileIco.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    XFileIco(&image).Decode(data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || image.m_nOriginId == 0) __builtin_trap();
        return 0;
    }
    if (GlobalSize(image.m_hBits) != image.BitsSize() || GlobalSize(image.m_hInfo) != image.InfoSize())
        __builtin_trap();
    return 0;
}
