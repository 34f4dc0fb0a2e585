// libFuzzer target for the BMP reader: any input ends in an image with
// blocks of exactly the sizes its header gives, or in the format's message;
// never in a crash, hang or overrun. 4- and 8-bit results are run-length
// coded and decoded again in memory and must come back unchanged.
#include "formats/XFileBmp.h"
#include "formats/XFileBmpRle.h"

#include "framework/GlobalBlock.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    XFileBmp(&image).Decode(data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || image.m_nOriginId == 0) __builtin_trap();
        return 0;
    }
    if (GlobalSize(image.m_hBits) != image.BitsSize() || GlobalSize(image.m_hInfo) != image.InfoSize())
        __builtin_trap();
    const int bitCount = image.m_nBitCount;
    if ((bitCount != 4 && bitCount != 8) || image.BitsSize() > (1u << 20)) return 0;

    LockedBlock<BYTE> bits(image.m_hBits);
    const size_t stride = image.RowBytes();
    std::vector<BYTE> coded(size_t(RleRowBound(image.m_nWidth)) * size_t(image.m_nHeight));
    size_t length = 0;
    for (int32_t row = 0; row < image.m_nHeight; ++row)
        length += EncodeRleRow(bits.get() + size_t(row) * stride, image.m_nWidth, bitCount, coded.data() + length);
    std::vector<BYTE> back(image.BitsSize());
    DecodeRle(coded.data(), length, bitCount, back.data(), image.m_nWidth, image.m_nHeight, stride);
    // The padding bits of each row are not coded; compare the pixels only.
    const size_t used = (size_t(image.m_nWidth) * bitCount + 7) / 8;
    const BYTE lastMask = (image.m_nWidth * bitCount) % 8 ? BYTE(0xF0) : BYTE(0xFF);
    for (int32_t row = 0; row < image.m_nHeight; ++row) {
        const BYTE* a = bits.get() + size_t(row) * stride;
        const BYTE* b = back.data() + size_t(row) * stride;
        if (std::memcmp(a, b, used - 1) != 0 || ((a[used - 1] ^ b[used - 1]) & lastMask)) __builtin_trap();
    }
    return 0;
}
