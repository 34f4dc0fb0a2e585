// The encoder's samples of one row of MCUs: a luma plane of 8 rows (grey)
// or 16 rows (colour) and, for colour, Cb and Cr planes of 8 rows at half
// width, converted straight from the image's bottom-up rows. The planes
// are padded to whole MCUs by repeating the image's last column and last
// row, which equals padding each cut MCU on its own.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <vector>

class JpegMcuRowPlanes {
public:
    // bits: the image's rows, bottom-up, stride bytes apart; 24-bit BGR
    // without a palette, else 8-bit indices into it. A grey image's
    // indices are its grey levels. The caller keeps bits and palette alive.
    JpegMcuRowPlanes(const BYTE* bits, size_t stride, int width, int height, const RGBQUAD* palette, bool grey);

    // Converts the MCU row whose first line is image row top (from the top).
    void Fill(int top);

    int McuSize() const { return m_bGrey ? 8 : 16; }
    // Luma plane width in samples; the chroma planes hold half of it.
    int PlaneWidth() const { return m_nPlaneWidth; }
    const BYTE* Luma() const { return m_luma.data(); }
    const BYTE* Chroma(int c) const { return m_chroma[c].data(); }

private:
    const BYTE* SourceRow(int y) const;

    const BYTE* m_pBits;
    size_t m_nStride;
    int m_nWidth, m_nHeight;
    const RGBQUAD* m_pPalette;
    bool m_bGrey;
    int m_nPlaneWidth;
    // Pixels are converted where they lie but for what the plane needs past
    // the image's last even column, copied into m_tail with the last pixel
    // repeated; a palette row is first expanded into m_expanded.
    int m_nDirectPairs;
    int m_nTailPixels;
    std::vector<BYTE> m_luma, m_chroma[2], m_expanded[2];
    BYTE m_tail[2][3 * 17];
};
