// Shared body of the PCX, FST, TIFF and WPG fuzz targets: any input must end
// in an image or in the format's message, never in a crash, hang or overrun.
// Small images that decode are written back and read again; the second
// reading must give the same size, colours and pixels (pixels compared
// within the width: a reader may keep file bytes in a row's padding).
#pragma once

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace pcxtif {

inline bool SamePixels(const XImage& a, const XImage& b)
{
    LockedBlock<BYTE> bitsA(a.m_hBits), bitsB(b.m_hBits);
    const uint64_t usedBits = uint64_t(a.m_nWidth) * a.m_nBitCount;
    const size_t whole = size_t(usedBits / 8);
    const int rest = int(usedBits % 8);
    for (int32_t y = 0; y < a.m_nHeight; ++y) {
        const BYTE* rowA = bitsA.get() + size_t(y) * a.RowBytes();
        const BYTE* rowB = bitsB.get() + size_t(y) * b.RowBytes();
        if (std::memcmp(rowA, rowB, whole) != 0) return false;
        const BYTE mask = BYTE(0xFF00 >> rest);
        if (rest && ((rowA[whole] ^ rowB[whole]) & mask)) return false;
    }
    return true;
}

template <typename Codec>
int FuzzOne(const uint8_t* data, size_t size, const char* extension)
{
    XImage image;
    Codec(&image).Decode(data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || image.m_nOriginId == 0) __builtin_trap();
        return 0;
    }
    if (image.m_nWidth > 512 || image.m_nHeight > 512) return 0;
    static const std::string path = "/tmp/fuzz_pcxtif_" + std::to_string(getpid()) + "." + extension;
    Codec(&image).WriteImage(path.c_str());
    if (image.m_nOriginId != 0) {
        std::remove(path.c_str());
        return 0;  // a writer refusal (bit count, sizes) is an answer too
    }
    XImage back;
    Codec(&back).ReadImage(path.c_str());
    std::remove(path.c_str());
    if (!back.m_hBits || back.m_nBitCount != image.m_nBitCount || back.m_nWidth != image.m_nWidth ||
        back.m_nHeight != image.m_nHeight || !SamePixels(image, back))
        __builtin_trap();
    LockedBlock<BYTE> infoA(image.m_hInfo), infoB(back.m_hInfo);
    if (std::memcmp(infoA.get() + 40, infoB.get() + 40, image.InfoSize() - 40) != 0) __builtin_trap();
    return 0;
}

}  // namespace pcxtif
