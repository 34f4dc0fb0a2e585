// libFuzzer target for the JPEG reader (see ImageFileFuzz.h). Small results
// are encoded again in memory and must read back with the same size and bit
// count (the coding is lossy, so the pixels are not compared).
#include "formats/XFileJpg.h"

#include "ImageFileFuzz.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    if (!fuzz::Decodes<XFileJpg>(image, data, size)) return 0;
    if (image.m_nBitCount != 8 && image.m_nBitCount != 24) __builtin_trap();
    if (image.BitsSize() > (1u << 16)) return 0;

    std::vector<BYTE> file;
    if (XFileJpg().Encode(image, file) != JpgError::None) __builtin_trap();
    XImage back;
    if (!fuzz::Decodes<XFileJpg>(back, file.data(), file.size()) || back.m_nWidth != image.m_nWidth ||
        back.m_nHeight != image.m_nHeight || back.m_nBitCount != image.m_nBitCount)
        __builtin_trap();
    return 0;
}
