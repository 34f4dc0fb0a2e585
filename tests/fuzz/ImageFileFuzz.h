// The one harness of the image-file fuzz targets. Any input must end in an
// image whose blocks have exactly the sizes of its width, height and bit
// count, or in a codec error with no blocks left; never in a crash, hang or
// overrun. Small images that decode are written back and read again; the
// second reading must give the same size, bit count, colours and pixels
// (pixels compared within the width: a reader may keep file bytes in a
// row's padding).
#pragma once

#include "framework/GlobalBlock.h"
#include "image/XImage.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace fuzz {

// Decodes data with Codec into image; true when an image came out.
template <typename Codec>
bool Decodes(XImage& image, const uint8_t* data, size_t size)
{
    const typename Codec::Error error = Codec().Decode(&image, data, size);
    if (!image.m_hBits) {
        if (image.m_hInfo || error == Codec::Error::None) __builtin_trap();
        return false;
    }
    if (error != Codec::Error::None || !image.m_hInfo || GlobalSize(image.m_hBits) != image.BitsSize() ||
        GlobalSize(image.m_hInfo) != image.InfoSize())
        __builtin_trap();
    return true;
}

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

inline bool SameColors(const XImage& a, const XImage& b)
{
    LockedBlock<BYTE> infoA(a.m_hInfo), infoB(b.m_hInfo);
    return std::memcmp(infoA.get() + 40, infoB.get() + 40, a.InfoSize() - 40) == 0;
}

// Writes image with write(image, path), which returns Codec's error, and
// reads it back with Codec.
template <typename Codec, typename Write>
void WritesBack(const XImage& image, const char* extension, Write write)
{
    if (image.m_nWidth > 512 || image.m_nHeight > 512) return;
    static const std::string path = "/tmp/fuzz_" + std::to_string(getpid()) + "." + extension;
    if (write(image, path.c_str()) != Codec::Error::None) __builtin_trap();
    XImage back;
    Codec().ReadImage(&back, path.c_str());
    std::remove(path.c_str());
    if (!back.m_hBits || back.m_nBitCount != image.m_nBitCount || back.m_nWidth != image.m_nWidth ||
        back.m_nHeight != image.m_nHeight || !SamePixels(image, back) || !SameColors(image, back))
        __builtin_trap();
}

// The whole target of a format that is only read.
template <typename Codec>
int ReadOnly(const uint8_t* data, size_t size)
{
    XImage image;
    Decodes<Codec>(image, data, size);
    return 0;
}

// The whole target of a format that is read and written.
template <typename Codec>
int ReadAndWriteBack(const uint8_t* data, size_t size, const char* extension)
{
    XImage image;
    if (Decodes<Codec>(image, data, size))
        WritesBack<Codec>(image, extension, [](const XImage& i, const char* p) { return Codec().WriteImage(i, p); });
    return 0;
}

}  // namespace fuzz
