// GDI half of XImage: header blocks from a palette or the screen, pixels
// from a device bitmap, the logical palette, and readying an image for
// display (the dithered 8-bit copy on displays below 15 bits).
#include "XImage.h"

#include "../framework/Display.h"
#include "../framework/GdiHandles.h"
#include "../framework/GlobalBlock.h"
#include "../resources/resource.h"

#include <cstring>
#include <vector>

namespace {
int ScreenDepth()
{
    const int depth = DisplayDepth();
    return depth > 0 ? depth : 24;
}

// A logical palette of count RGBQUAD entries (version 0x300, flags 0).
HPALETTE PaletteFromTable(const RGBQUAD* table, UINT count)
{
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(count);
    for (UINT i = 0; i < count; ++i)
        palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return CreatePalette(palette);
}

RGBQUAD* ColorTable(BYTE* info) { return reinterpret_cast<RGBQUAD*>(info + sizeof(BITMAPINFOHEADER)); }
}

void XImage::InfoFromPalette(HPALETTE palette)
{
    if (m_nBitCount > 8) m_nBitCount = 24;
    if (!MakeInfo() || m_nBitCount > 8 || !palette) return;
    LockedBlock<BYTE> info(m_hInfo);
    if (!info) return;
    UINT count = ColorCount();
    std::vector<PALETTEENTRY> entries(count);
    UINT got = GetPaletteEntries(palette, 0, count, entries.data());
    RGBQUAD* table = ColorTable(info.get());
    for (UINT i = 0; i < got && i < count; ++i)
        table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
}

void XImage::InfoFromScreen()
{
    if (m_nBitCount > 8) m_nBitCount = 24;
    if (!MakeInfo() || m_nBitCount > 8) return;
    LockedBlock<BYTE> info(m_hInfo);
    if (!info) return;
    RGBQUAD* table = ColorTable(info.get());
    UINT count = ColorCount();
    int depth = ScreenDepth();
    if (depth >= 8) {
        WindowDC screen(nullptr);
        std::vector<PALETTEENTRY> entries(count);
        UINT got = screen ? GetSystemPaletteEntries(screen.get(), 0, count, entries.data()) : 0;
        if (got >= count) {
            for (UINT i = 0; i < count; ++i) table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        } else {
            // A display without a hardware palette has no system palette to
            // read; the halftone colours are what GDI maps such bitmaps to.
            std::memcpy(table, HalftonePalette(), count * sizeof(RGBQUAD));
        }
        return;
    }
    if (depth <= 1) {
        table[0] = {0, 0, 0, 0};
        if (count > 1) table[1] = {255, 255, 255, 0};
        return;
    }
    UINT displayColors = 1u << depth;
    for (UINT i = 0; i < count && i < displayColors && i < 16; ++i) table[i] = kStandard16[i];
}

void XImage::BitsFromBitmap() { BitsFromBorrowedBitmap(m_bitmap); }

void XImage::BitsFromBorrowedBitmap(HBITMAP bitmap)
{
    if (!bitmap || !m_hInfo) return;
    OwnedBlock bits;
    if (!FitsInMemory(m_nWidth, m_nHeight, m_nBitCount) || !bits.Allocate(BitsSize())) {
        m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    // GetDIBits rewrites the colour table of the format it is given, so it
    // gets a copy and the header block keeps the table built for it.
    OwnedBlock format(DuplicateBlock(m_hInfo, InfoSize()));
    if (!format) {
        m_nOriginId = IDS_INSUFFICIENT_MEMORY;
        return;
    }
    MakePalette();
    {
        WindowDC screen(nullptr);
        LockedBlock<BYTE> out(bits.get());
        LockedBlock<BITMAPINFO> info(format.get());
        if (!screen || !out || !info) {
            m_nOriginId = IDS_INSUFFICIENT_MEMORY;
            return;
        }
        SelectedPalette palette(screen.get(), m_palette, FALSE);
        int rows = GetDIBits(screen.get(), bitmap, 0, UINT(m_nHeight), out.get(), info.get(), DIB_RGB_COLORS);
        // When the device bitmap is deeper than the image, GDI picks the
        // colour table itself and the indices refer to that table; the
        // header block takes it over so that pixels and table agree.
        LockedBlock<BYTE> header(m_hInfo);
        if (rows > 0 && header && m_nBitCount <= 8)
            std::memcpy(ColorTable(header.get()), ColorTable(reinterpret_cast<BYTE*>(info.get())),
                        ColorCount() * sizeof(RGBQUAD));
    }
    m_palette.reset();
    m_hBits.reset(bits.release());
}

void XImage::MakePalette()
{
    m_palette.reset();
    if (m_nBitCount > 8 || !m_hInfo) return;
    LockedBlock<BYTE> info(m_hInfo);
    if (info) m_palette.reset(PaletteFromTable(ColorTable(info.get()), ColorCount()));
    if (!m_palette) m_palette.reset(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
}

void XImage::PrepareForShow()
{
    m_nColors = 0;
    m_bSelected = FALSE;
    m_bTopBorder = FALSE;
    ForgetDisplayCopy();
    m_rcCrop = RECT{0, 0, m_nWidth, m_nHeight};
    if (m_nBitCount == 24 && ScreenDepth() < 15 && MakeDitheredCopy()) {
        m_palette.reset(PaletteFromTable(HalftonePalette(), 256));
        return;
    }
    MakePalette();
}
