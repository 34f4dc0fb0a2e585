#include "JpegMcuRowPlanes.h"

#include "JpegEncoderColor.h"

#include <cstring>

JpegMcuRowPlanes::JpegMcuRowPlanes(const BYTE* bits, size_t stride, int width, int height, const RGBQUAD* palette,
                                   bool grey)
    : m_pBits(bits), m_nStride(stride), m_nWidth(width), m_nHeight(height), m_pPalette(palette), m_bGrey(grey)
{
    const int mcuSize = McuSize();
    m_nPlaneWidth = (width + mcuSize - 1) / mcuSize * mcuSize;
    m_nDirectPairs = palette ? m_nPlaneWidth / 2 : width / 2;
    m_nTailPixels = m_nPlaneWidth - 2 * m_nDirectPairs;
    m_luma.resize(size_t(m_nPlaneWidth) * size_t(mcuSize));
    if (grey) return;
    for (int c = 0; c < 2; ++c) m_chroma[c].resize(size_t(m_nPlaneWidth / 2) * 8);
    if (palette)
        for (auto& row : m_expanded) row.resize(size_t(m_nPlaneWidth) * 3);
}

const BYTE* JpegMcuRowPlanes::SourceRow(int y) const
{
    if (y >= m_nHeight) y = m_nHeight - 1;
    return m_pBits + size_t(m_nHeight - 1 - y) * m_nStride;
}

void JpegMcuRowPlanes::Fill(int top)
{
    const size_t planeWidth = size_t(m_nPlaneWidth);
    if (m_bGrey) {
        for (int r = 0; r < 8; ++r) {
            BYTE* p = m_luma.data() + size_t(r) * planeWidth;
            std::memcpy(p, SourceRow(top + r), size_t(m_nWidth));
            std::memset(p + m_nWidth, p[m_nWidth - 1], planeWidth - size_t(m_nWidth));
        }
        return;
    }
    for (int r = 0; r < 8; ++r) {
        const BYTE* src[2] = {SourceRow(top + 2 * r), SourceRow(top + 2 * r + 1)};
        for (int k = 0; k < 2; ++k) {
            if (m_pPalette) {
                BYTE* to = m_expanded[k].data();
                for (int x = 0; x < m_nPlaneWidth; ++x, to += 3) {
                    const RGBQUAD& q = m_pPalette[src[k][x < m_nWidth ? x : m_nWidth - 1]];
                    to[0] = q.rgbBlue, to[1] = q.rgbGreen, to[2] = q.rgbRed;
                }
                src[k] = m_expanded[k].data();
            }
            for (int x = 0; x < m_nTailPixels; ++x) {
                const int from = 2 * m_nDirectPairs + x < m_nWidth ? 2 * m_nDirectPairs + x : m_nWidth - 1;
                std::memcpy(m_tail[k] + 3 * x, src[k] + 3 * from, 3);
            }
        }
        BYTE* y0 = m_luma.data() + size_t(2 * r) * planeWidth;
        BYTE* y1 = y0 + planeWidth;
        BYTE* cb = m_chroma[0].data() + size_t(r) * (planeWidth / 2);
        BYTE* cr = m_chroma[1].data() + size_t(r) * (planeWidth / 2);
        JpegBgrRowsToYcc(src[0], src[1], m_nDirectPairs, y0, y1, cb, cr);
        JpegBgrRowsToYcc(m_tail[0], m_tail[1], m_nTailPixels / 2, y0 + 2 * m_nDirectPairs, y1 + 2 * m_nDirectPairs,
                         cb + m_nDirectPairs, cr + m_nDirectPairs);
    }
}
