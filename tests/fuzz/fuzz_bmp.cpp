// libFuzzer target for the BMP reader (see ImageFileFuzz.h). 4- and 8-bit
// results are run-length coded and decoded again in memory and must come
// back unchanged.
#include "formats/XFileBmp.h"
#include "formats/XFileBmpRle.h"

#include "ImageFileFuzz.h"

#include <cstdlib>
#include <vector>

namespace {
// Pixel bytes the header claims. Claims up to the 1 GiB limit are valid and
// allocate the whole image; above 64 MiB they only cost time under the
// sanitizers, so the fuzzer spends its runs elsewhere (the unit tests cover
// the largest claims).
uint64_t ClaimedPixelBytes(const uint8_t* data, size_t size)
{
    if (size < 30) return 0;
    auto u16 = [&](size_t at) { return uint64_t(data[at] | data[at + 1] << 8); };
    auto i32 = [&](size_t at) { return int64_t(int32_t(u16(at) | u16(at + 2) << 16)); };
    const bool core = u16(14) == 12 && u16(16) == 0;
    const uint64_t width = core ? u16(18) : uint64_t(std::llabs(i32(18)));
    const uint64_t height = core ? u16(20) : uint64_t(std::llabs(i32(22)));
    const uint64_t bits = core ? u16(24) : u16(28);
    return width * height * bits / 8;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (ClaimedPixelBytes(data, size) > (64u << 20)) return 0;
    XImage image;
    if (!fuzz::Decodes<XFileBmp>(image, data, size)) return 0;
    const int bitCount = image.m_nBitCount;
    if ((bitCount != 4 && bitCount != 8) || image.BitsSize() > (1u << 16)) return 0;

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
