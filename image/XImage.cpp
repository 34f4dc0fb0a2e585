// Portable half of XImage: block sizes, header construction, the global
// blocks, and the ordered-dither display copy. Every size is computed in
// 64 bits and gated by FitsInMemory before any allocation.
#include "XImage.h"

#include "../resources/resource.h"

#include <cstring>

namespace {
const BYTE kDitherThreshold[8][8] = {
    {0, 38, 9, 47, 2, 40, 11, 50},  {25, 12, 35, 22, 27, 15, 37, 24},
    {6, 44, 3, 41, 8, 47, 5, 43},   {31, 19, 28, 15, 34, 21, 31, 18},
    {1, 39, 11, 49, 0, 39, 10, 48}, {27, 14, 36, 23, 26, 13, 35, 23},
    {7, 46, 4, 43, 7, 45, 3, 42},   {33, 20, 30, 17, 32, 19, 29, 16},
};

struct HalftoneTable {
    RGBQUAD entries[256];
    HalftoneTable()
    {
        static const BYTE low[10][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                        {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                        {192, 220, 192}, {166, 202, 240}};
        static const BYTE high[10][3] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                         {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                         {0, 255, 255},   {255, 255, 255}};
        for (int i = 0; i < 10; ++i) {
            entries[i] = {low[i][2], low[i][1], low[i][0], 0};
            entries[246 + i] = {high[i][2], high[i][1], high[i][0], 0};
        }
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    entries[10 + 36 * r + 6 * g + b] = {BYTE(51 * b), BYTE(51 * g), BYTE(51 * r), 0};
        for (int k = 0; k < 20; ++k) {
            BYTE v = BYTE(16 + 12 * k);
            entries[226 + k] = {v, v, v, 0};
        }
    }
};

const HalftoneTable kHalftone;
}

const RGBQUAD* HalftonePalette() { return kHalftone.entries; }

const RGBQUAD kStandard16[16] = {
    {0, 0, 0, 0},     {0, 0, 128, 0},     {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},   {128, 0, 128, 0},   {128, 128, 0, 0}, {128, 128, 128, 0},
    {192, 192, 192, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},   {255, 0, 255, 0},   {255, 255, 0, 0}, {255, 255, 255, 0},
};

HGLOBAL DuplicateBlock(HGLOBAL h, size_t size)
{
    OwnedBlock copy;
    if (!h || !copy.Allocate(size, GMEM_MOVEABLE)) return nullptr;
    LockedBlock<BYTE> from(h), to(copy.get());
    if (!from || !to) return nullptr;
    std::memcpy(to.get(), from.get(), size);
    return copy.release();
}

int DitherLevel(int value, int x, int y)
{
    return value / 51 + (value % 51 > kDitherThreshold[y & 7][x & 7] ? 1 : 0);
}

XImage::XImage()
    : m_nWidth(0), m_nHeight(0), m_nBitCount(0), m_nColors(0), m_bSelected(FALSE), m_bTopBorder(FALSE),
      m_tStamp(0), m_nOriginId(0), m_rcPlace{0, 0, 0, 0}, m_rcCrop{0, 0, 0, 0}
{
}

uint64_t XImage::RowBytesFor(int64_t width, int bitCount)
{
    if (width <= 0 || bitCount <= 0) return 0;
    return (uint64_t(width) * uint64_t(bitCount) + 31) / 32 * 4;
}

size_t XImage::InfoSizeFor(int bitCount)
{
    switch (bitCount) {
    case 1: return 40 + 2 * 4;
    case 4: return 40 + 16 * 4;
    case 8: return 40 + 256 * 4;
    case 24: return 40;
    default: return 0;
    }
}

bool XImage::FitsInMemory(int64_t width, int64_t height, int bitCount)
{
    if (width <= 0 || height <= 0 || InfoSizeFor(bitCount) == 0) return false;
    // Both factors are below 2^31 after this, so the product cannot wrap.
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
    return RowBytesFor(width, bitCount) * uint64_t(height) <= kMaxBitsSize;
}

size_t XImage::RowBytes() const { return size_t(RowBytesFor(m_nWidth, m_nBitCount)); }

size_t XImage::BitsSize() const
{
    return m_nHeight > 0 ? size_t(RowBytesFor(m_nWidth, m_nBitCount) * uint64_t(m_nHeight)) : 0;
}

size_t XImage::InfoSize() const { return InfoSizeFor(m_nBitCount); }

UINT XImage::ColorCount() const { return m_nBitCount >= 16 ? 0 : UINT(uint16_t(1u << m_nBitCount)); }

bool XImage::MakeInfo()
{
    size_t size = InfoSize();
    if (size == 0) return false;
    OwnedBlock info;
    if (!info.Allocate(size)) return false;
    {
        LockedBlock<BITMAPINFOHEADER> header(info.get());
        if (!header) return false;
        header->biSize = 40;
        header->biWidth = m_nWidth;
        header->biHeight = m_nHeight;
        header->biPlanes = 1;
        header->biBitCount = m_nBitCount;
    }
    m_hInfo.reset(info.release());
    return true;
}

bool XImage::AllocateBlocks() { return AllocateBits(GHND); }

bool XImage::AllocateBlocksToOverwrite() { return AllocateBits(GMEM_MOVEABLE); }

bool XImage::AllocateBits(UINT flags)
{
    FreeBlocks();
    OwnedBlock bits;
    if (FitsInMemory(m_nWidth, m_nHeight, m_nBitCount) && bits.Allocate(BitsSize(), flags) && MakeInfo()) {
        m_hBits.reset(bits.release());
        return true;
    }
    FreeBlocks();
    m_nOriginId = IDS_INSUFFICIENT_MEMORY;
    return false;
}

void XImage::UpdateInfoSize()
{
    LockedBlock<BITMAPINFOHEADER> header(m_hInfo);
    if (!header) return;
    header->biWidth = m_nWidth;
    header->biHeight = m_nHeight;
    header->biSizeImage = DWORD(BitsSize());
}

bool XImage::CopyAttributes(const XImage& src)
{
    m_nWidth = src.m_nWidth;
    m_nHeight = src.m_nHeight;
    m_nBitCount = src.m_nBitCount;
    m_tStamp = src.m_tStamp;
    m_nOriginId = src.m_nOriginId;
    m_rcPlace = src.m_rcPlace;
    m_rcCrop = src.m_rcCrop;
    ForgetDisplayCopy();
    m_nColors = 0;
    m_bSelected = FALSE;
    m_bTopBorder = FALSE;
    FreeBlocks();
    if (!src.m_hBits) return true;
    m_hBits.reset(DuplicateBlock(src.m_hBits, GlobalSize(src.m_hBits)));
    m_hInfo.reset(DuplicateBlock(src.m_hInfo, GlobalSize(src.m_hInfo)));
    if (m_hBits && m_hInfo) return true;
    FreeBlocks();
    m_nOriginId = IDS_INSUFFICIENT_MEMORY;
    return false;
}

void XImage::Reset()
{
    m_nWidth = m_nHeight = 0;
    m_nBitCount = 0;
    FreeBlocks();
    ForgetDisplayCopy();
    m_nColors = 0;
    m_bSelected = FALSE;
    m_tStamp = 0;
    m_nOriginId = 0;
    m_rcPlace = m_rcCrop = RECT{0, 0, 0, 0};
}

void XImage::SetGrayTable()
{
    if (m_nBitCount != 8) return;
    LockedBlock<BYTE> info(m_hInfo);
    if (!info) return;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.get() + 40);
    for (int i = 0; i < 256; ++i) table[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
}

void XImage::FreeBlocks()
{
    m_hBits.reset();
    m_hInfo.reset();
}

void XImage::ForgetDisplayCopy()
{
    m_hShowBits.reset();
    m_hShowInfo.reset();
}

bool XImage::MakeDitheredCopy()
{
    ForgetDisplayCopy();
    if (m_nBitCount != 24 || !FitsInMemory(m_nWidth, m_nHeight, 8)) return false;
    size_t showRow = size_t(RowBytesFor(m_nWidth, 8));
    size_t srcRow = RowBytes();
    OwnedBlock showBits, showInfo;
    if (!showBits.Allocate(showRow * size_t(m_nHeight)) || !showInfo.Allocate(InfoSizeFor(8))) return false;
    {
        LockedBlock<BYTE> src(m_hBits), dst(showBits.get()), info(showInfo.get());
        if (!src || !dst || !info) return false;
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.get());
        header->biSize = 40;
        header->biWidth = m_nWidth;
        header->biHeight = m_nHeight;
        header->biPlanes = 1;
        header->biBitCount = 8;
        header->biClrUsed = 256;
        std::memcpy(info.get() + 40, HalftonePalette(), 256 * sizeof(RGBQUAD));
        for (int32_t y = 0; y < m_nHeight; ++y) {
            const BYTE* in = src.get() + size_t(y) * srcRow;
            BYTE* out = dst.get() + size_t(y) * showRow;
            for (int32_t x = 0; x < m_nWidth; ++x, in += 3)
                out[x] = BYTE(10 + 36 * DitherLevel(in[2], x, y) + 6 * DitherLevel(in[1], x, y) +
                              DitherLevel(in[0], x, y));
        }
    }
    m_hShowBits.reset(showBits.release());
    m_hShowInfo.reset(showInfo.release());
    return true;
}
