// Read access to an image's header and pixel blocks while it prints or is
// previewed, checked once against the image's size and bit count. (The
// image operations' ImageLock does the same, but its header brings the
// operations' option structs, whose names clash with the settings'.)
#pragma once

#include "../framework/GlobalBlock.h"
#include "../image/XImage.h"

#include <cstddef>
#include <cstdint>

class PrintPixels {
public:
    explicit PrintPixels(const XImage& image);
    PrintPixels(const PrintPixels&) = delete;
    PrintPixels& operator=(const PrintPixels&) = delete;

    // False when the image has no pixels, an unknown bit count or blocks
    // smaller than its size needs.
    explicit operator bool() const { return m_pBits != nullptr; }

    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }
    int BitCount() const { return m_nBitCount; }
    const BYTE* Bits() const { return m_pBits; }  // bottom-up rows
    size_t BitsSize() const { return m_nBitsSize; }
    const RGBQUAD* Table() const { return m_pTable; }
    int TableSize() const { return m_nTableSize; }  // 0 at 24 bits

private:
    LockedBlock<BYTE> m_info;
    LockedBlock<BYTE> m_bits;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int m_nBitCount = 0;
    size_t m_nBitsSize = 0;
    int m_nTableSize = 0;
    const BYTE* m_pBits = nullptr;
    const RGBQUAD* m_pTable = nullptr;
};
