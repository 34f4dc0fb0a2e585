#include "PngChunks.h"

#include <cstring>

PngChunkReader::PngChunkReader(const BYTE* data, size_t size)
    : m_pAt(data), m_pEnd(data + size)
{
}

bool PngChunkReader::Next(PngChunk& chunk)
{
    if (m_bDamaged || m_pAt == m_pEnd) return false;
    const size_t left = size_t(m_pEnd - m_pAt);
    const uint32_t length = left >= 8 ? LoadBigU32(m_pAt) : 0;
    if (left < 12 || length > 0x7FFFFFFF || left - 12 < length ||
        LoadBigU32(m_pAt + 8 + length) != UpdateCrc32(0, m_pAt + 4, size_t(length) + 4)) {
        m_bDamaged = true;
        return false;
    }
    std::memcpy(chunk.type, m_pAt + 4, 4);
    chunk.type[4] = 0;
    chunk.data = m_pAt + 8;
    chunk.length = length;
    m_pAt += 12 + size_t(length);
    return true;
}

int PngHeader::Channels() const
{
    switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

bool ParsePngHeader(const BYTE* data, uint32_t length, PngHeader& h)
{
    if (length != 13) return false;
    h.width = LoadBigU32(data);
    h.height = LoadBigU32(data + 4);
    h.bitDepth = data[8];
    h.colorType = data[9];
    h.interlaced = data[12] == 1;
    if (h.width == 0 || h.height == 0 || h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF) return false;
    if (data[10] != 0 || data[11] != 0 || data[12] > 1) return false;
    const int d = h.bitDepth;
    switch (h.colorType) {
    case 0: return d == 1 || d == 2 || d == 4 || d == 8 || d == 16;
    case 3: return d == 1 || d == 2 || d == 4 || d == 8;
    case 2:
    case 4:
    case 6: return d == 8 || d == 16;
    default: return false;
    }
}

int PngPasses(const PngHeader& header, PngPass passes[7])
{
    static const uint32_t kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const uint32_t kPlain[4] = {0, 0, 1, 1};
    const int count = header.interlaced ? 7 : 1;
    for (int i = 0; i < count; ++i) {
        const uint32_t* p = header.interlaced ? kAdam7[i] : kPlain;
        PngPass& pass = passes[i];
        pass = {p[0], p[1], p[2], p[3], 0, 0};
        if (header.width > pass.x0) pass.width = (header.width - pass.x0 + pass.dx - 1) / pass.dx;
        if (header.height > pass.y0) pass.height = (header.height - pass.y0 + pass.dy - 1) / pass.dy;
    }
    return count;
}
