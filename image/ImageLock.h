// How the pixel operations reach an image's blocks: a scoped lock over the
// header and pixel blocks that checks them against the image's size and bit
// count, and the creation of a result image through XImage's allocation
// gate. The operations never touch XImage's block handles themselves, so a
// change in how XImage holds its blocks ends here.
#pragma once

#include "ImageOps.h"
#include "XImage.h"

#include "../framework/GlobalBlock.h"

#include <cstdint>

// Read access to an image's rows and colour table for the life of a scope.
// False when the image has no pixels, a bit count other than 1, 4, 8 or 24,
// a size beyond the allocation gate, or blocks smaller than its size needs.
class ImageLock {
public:
    explicit ImageLock(const XImage& image);
    ImageLock(const ImageLock&) = delete;
    ImageLock& operator=(const ImageLock&) = delete;

    explicit operator bool() const { return m_pBits != nullptr; }

    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }
    int BitCount() const { return m_nBitCount; }
    size_t RowBytes() const { return m_nRowBytes; }
    size_t BitsSize() const { return m_nRowBytes * size_t(m_nHeight); }
    // Entries in the colour table: 2, 16 or 256; 0 at 24 bits.
    int TableSize() const { return m_nTableSize; }

    // Stored row y, counted from the bottom row.
    const BYTE* Row(int32_t y) const { return m_pBits + size_t(y) * m_nRowBytes; }
    const RGBQUAD* Table() const { return m_pTable; }

protected:
    LockedBlock<BYTE> m_info;
    LockedBlock<BYTE> m_bits;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int m_nBitCount = 0;
    size_t m_nRowBytes = 0;
    int m_nTableSize = 0;
    BYTE* m_pBits = nullptr;
    RGBQUAD* m_pTable = nullptr;
};

// The same with write access, for a result image being built.
class ImageWriteLock : public ImageLock {
public:
    explicit ImageWriteLock(XImage& image) : ImageLock(image) {}

    BYTE* Row(int32_t y) const { return m_pBits + size_t(y) * m_nRowBytes; }
    RGBQUAD* Table() const { return m_pTable; }
};

// A width x height result at bitCount, allocated through XImage's gate
// (zero-filled pixels). When bitCount equals the source's, the source's
// header with its colour table is copied and its size fields updated;
// otherwise the header is fresh and the table black. The result takes the
// source's time stamp and the given origin id; its placement and cropping
// rectangle cover the whole result. kOutOfMemory when the gate refuses.
ImageOpResult NewResultImage(const XImage& src, int64_t width, int64_t height, int bitCount,
                             UINT originId);

inline ImageOpResult OpFailure(ImageOpError error)
{
    ImageOpResult result;
    result.error = error;
    return result;
}
