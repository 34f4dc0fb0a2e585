// Scoped block access and result creation for the pixel operations. The
// block sizes are checked here once, so the operations may index any row
// and the full colour table without further bounds checks.
#include "ImageLock.h"

#include <cstring>

ImageLock::ImageLock(const XImage& image)
    : m_info(image.m_hInfo), m_bits(image.m_hBits)
{
    if (!m_info || !m_bits) return;
    if (!XImage::FitsInMemory(image.m_nWidth, image.m_nHeight, image.m_nBitCount)) return;
    const size_t rowBytes = size_t(XImage::RowBytesFor(image.m_nWidth, image.m_nBitCount));
    const size_t infoSize = XImage::InfoSizeFor(image.m_nBitCount);
    if (GlobalSize(image.m_hBits) < rowBytes * size_t(image.m_nHeight) || GlobalSize(image.m_hInfo) < infoSize)
        return;
    m_nWidth = image.m_nWidth;
    m_nHeight = image.m_nHeight;
    m_nBitCount = image.m_nBitCount;
    m_nRowBytes = rowBytes;
    m_nTableSize = int((infoSize - 40) / sizeof(RGBQUAD));
    m_pTable = m_nTableSize ? reinterpret_cast<RGBQUAD*>(m_info.get() + 40) : nullptr;
    m_pBits = m_bits.get();
}

ImageOpResult NewResultImage(const XImage& src, int64_t width, int64_t height, int bitCount, UINT originId)
{
    if (!XImage::FitsInMemory(width, height, bitCount)) return OpFailure(ImageOpError::kOutOfMemory);
    ImageOpResult result;
    result.image.reset(new XImage);
    XImage& image = *result.image;
    image.m_nWidth = int32_t(width);
    image.m_nHeight = int32_t(height);
    image.m_nBitCount = uint16_t(bitCount);
    if (!image.AllocateBlocks()) return OpFailure(ImageOpError::kOutOfMemory);
    if (bitCount == src.m_nBitCount && src.m_hInfo) {
        const size_t infoSize = image.InfoSize();
        LockedBlock<BYTE> from(src.m_hInfo), to(image.m_hInfo);
        if (from && to && GlobalSize(src.m_hInfo) >= infoSize) {
            std::memcpy(to.get(), from.get(), infoSize);
            // The pixels are always written uncompressed.
            auto* header = reinterpret_cast<BITMAPINFOHEADER*>(to.get());
            header->biSize = 40;
            header->biPlanes = 1;
            header->biBitCount = WORD(bitCount);
            header->biCompression = BI_RGB;
        }
    }
    image.UpdateInfoSize();
    image.m_tStamp = src.m_tStamp;
    image.m_nOriginId = originId;
    image.m_rcPlace = RECT{0, 0, LONG(width), LONG(height)};
    image.m_rcCrop = image.m_rcPlace;
    return result;
}
