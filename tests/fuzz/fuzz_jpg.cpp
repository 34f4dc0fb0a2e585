// libFuzzer target for the JPEG reader: any input ends in an image with
// blocks of the sizes its frame gives, or in a message id; never in a
// crash, hang or overrun. Small results are written again by the encoder
// and must read back with the same size and bit count.
#include "formats/XFileJpg.h"

#include "framework/GlobalBlock.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    XFileJpg(&image).Decode(data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || image.m_nOriginId == 0) __builtin_trap();
        return 0;
    }
    if (GlobalSize(image.m_hBits) != image.BitsSize() || GlobalSize(image.m_hInfo) != image.InfoSize())
        __builtin_trap();
    if (image.m_nBitCount != 8 && image.m_nBitCount != 24) __builtin_trap();
    if (image.BitsSize() > (1u << 16)) return 0;

    std::vector<BYTE> file;
    if (!XFileJpg(&image).Encode(file)) __builtin_trap();
    XImage back;
    XFileJpg(&back).Decode(file.data(), file.size());
    if (!back.m_hBits || back.m_nWidth != image.m_nWidth || back.m_nHeight != image.m_nHeight ||
        back.m_nBitCount != image.m_nBitCount)
        __builtin_trap();
    return 0;
}
