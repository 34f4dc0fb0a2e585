// Checked access to an image's blocks for printing (see PrintPixels.h).
#include "PrintPixels.h"

PrintPixels::PrintPixels(const XImage& image) : m_info(image.m_hInfo), m_bits(image.m_hBits)
{
    if (!m_info || !m_bits) return;
    if (!XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount)) return;
    const size_t bitsSize = size_t(XImage::RowBytesFor(image.m_nWidth, image.m_nBitCount)) * size_t(image.m_nHeight);
    const size_t infoSize = XImage::InfoSizeFor(image.m_nBitCount);
    if (GlobalSize(image.m_hBits) < bitsSize || GlobalSize(image.m_hInfo) < infoSize) return;
    m_nWidth = image.m_nWidth;
    m_nHeight = image.m_nHeight;
    m_nBitCount = image.m_nBitCount;
    m_nBitsSize = bitsSize;
    // The header is 40 bytes, the full colour table follows it.
    m_nTableSize = int((infoSize - 40) / sizeof(RGBQUAD));
    m_pTable = m_nTableSize ? reinterpret_cast<const RGBQUAD*>(m_info.get() + 40) : nullptr;
    m_pBits = m_bits.get();
}
