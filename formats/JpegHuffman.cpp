// Huffman table construction (ITU T.81 Annex C, F.2.2.3) and the
// entropy-coded segment reader.
#include "JpegHuffman.h"

#include <cstring>

bool JpegHuffmanTable::Build(const BYTE counts[16], const BYTE* values, int valueCount)
{
    m_bBuilt = false;
    int total = 0;
    for (int l = 0; l < 16; ++l) total += counts[l];
    if (total > 256 || total != valueCount) return false;

    std::memset(m_code, 0, sizeof(m_code));
    std::memset(m_size, 0, sizeof(m_size));
    std::memset(m_lookahead, 0, sizeof(m_lookahead));
    std::memset(m_values, 0, sizeof(m_values));
    std::memcpy(m_values, values, size_t(total));
    m_nMaxValue = 0;
    for (int i = 0; i < total; ++i)
        if (values[i] > m_nMaxValue) m_nMaxValue = values[i];

    // Canonical codes: consecutive within a length, doubled between lengths.
    uint32_t code = 0;
    int index = 0;
    m_maxCode[0] = -1;
    m_valueOffset[0] = 0;
    for (int l = 1; l <= 16; ++l) {
        int count = counts[l - 1];
        m_valueOffset[l] = index - int32_t(code);
        if (count == 0) {
            m_maxCode[l] = -1;
        } else {
            if (code + uint32_t(count) > (1u << l)) return false;
            for (int i = 0; i < count; ++i, ++index, ++code) {
                BYTE value = values[index];
                // A value listed twice keeps its first (shortest) code.
                if (m_size[value] == 0) {
                    m_code[value] = uint16_t(code);
                    m_size[value] = BYTE(l);
                }
                if (l <= kLookaheadBits) {
                    int shift = kLookaheadBits - l;
                    uint32_t first = code << shift;
                    for (uint32_t p = 0; p < (1u << shift); ++p)
                        m_lookahead[first + p] = uint16_t((l << 8) | value);
                }
            }
            m_maxCode[l] = int32_t(code) - 1;
        }
        code <<= 1;
    }
    m_maxCode[17] = 0xFFFFF;

    // Codes whose extra bits also fit in the lookahead decode in one step.
    for (uint32_t prefix = 0; prefix < (1u << kLookaheadBits); ++prefix) {
        m_fastAc[prefix] = 0;
        m_fastDc[prefix] = 0;
        uint32_t entry = m_lookahead[prefix];
        if (!entry) continue;
        int length = int(entry >> 8), rs = int(entry & 0xFF);
        if (rs <= 7 && length + rs <= kLookaheadBits) {
            int v = rs ? int((prefix >> (kLookaheadBits - length - rs)) & ((1u << rs) - 1)) : 0;
            if (rs && v < (1 << (rs - 1))) v += 1 - (1 << rs);
            m_fastDc[prefix] = int16_t(v * 256 + length + rs);
        }
        int run = rs >> 4, size = rs & 15;
        if (length + size > kLookaheadBits) continue;
        if (size == 0) {
            if (rs == 0x00) m_fastAc[prefix] = 64 * 16 + length;
            if (rs == 0xF0) m_fastAc[prefix] = 15 * 16 + length;
            continue;
        }
        int v = int((prefix >> (kLookaheadBits - length - size)) & ((1u << size) - 1));
        if (v < (1 << (size - 1))) v += 1 - (1 << size);
        m_fastAc[prefix] = int32_t(uint32_t(v) << 16) | (run * 16 + length + size);
    }
    m_bBuilt = true;
    return true;
}

void JpegBitReader::Start(const BYTE* data, size_t size)
{
    m_pData = data;
    m_nSize = size;
    m_nPos = 0;
    m_bits = JpegBits{0, 0};
    m_nFakeBits = 0;
    m_bAtMarker = false;
}

void JpegBitReader::FillBytes()
{
    while (m_bits.count <= 56) {
        unsigned byte = 0;
        if (m_bAtMarker || m_nPos >= m_nSize) {
            m_nFakeBits += 8;
        } else {
            byte = m_pData[m_nPos];
            if (byte != 0xFF) {
                ++m_nPos;
            } else if (m_nPos + 1 < m_nSize && m_pData[m_nPos + 1] == 0) {
                m_nPos += 2;  // stuffed zero
            } else {
                m_bAtMarker = true;  // the segment ends here
                byte = 0;
                m_nFakeBits += 8;
            }
        }
        m_bits.top |= uint64_t(byte) << (56 - m_bits.count);
        m_bits.count += 8;
    }
}

int JpegBitReader::DecodeLong(const JpegHuffmanTable& table, uint32_t prefix)
{
    // Lengths up to the lookahead did not match; continue bit by bit.
    int32_t code = int32_t(prefix);
    int l = JpegHuffmanTable::kLookaheadBits;
    Consume(l);
    do {
        if (m_bits.count < 1) Fill();
        code = 2 * code + int32_t(m_bits.top >> 63);
        Consume(1);
        ++l;
    } while (code > table.m_maxCode[l]);
    if (l > 16) return 0;
    int index = table.m_valueOffset[l] + code;
    return table.m_values[index & 0xFF];
}

void JpegBitReader::Restart()
{
    m_bits = JpegBits{0, 0};
    m_nFakeBits = 0;
    m_bAtMarker = false;
    while (m_nPos + 1 < m_nSize) {
        if (m_pData[m_nPos] == 0xFF && m_pData[m_nPos + 1] != 0 && m_pData[m_nPos + 1] != 0xFF) {
            if (m_pData[m_nPos + 1] >= 0xD0 && m_pData[m_nPos + 1] <= 0xD7) {
                m_nPos += 2;
            } else {
                m_bAtMarker = true;
            }
            return;
        }
        ++m_nPos;
    }
    m_nPos = m_nSize;
}
