// Huffman tables and the entropy-coded bit stream of baseline JPEG.
//
// JpegHuffmanTable derives each value's code and code size from the 16
// counts (ITU T.81 Annex C) and the per-length decoding limits of F.2.2.3,
// plus a 10-bit lookahead so that most codes decode with one lookup.
// JpegBitReader reads the entropy-coded segment: it removes the stuffed
// 0x00 after 0xFF, stops at any marker and from there supplies zero bits,
// remembering how many it invented so that the caller can tell a scan that
// ran past its data (Overran) from one that merely looked ahead.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class JpegHuffmanTable {
public:
    enum { kLookaheadBits = 10 };

    // False for more than 256 values or code lengths that overflow their
    // bit count (an over-full table); the table is then unusable.
    bool Build(const BYTE counts[16], const BYTE* values, int valueCount);

    bool IsBuilt() const { return m_bBuilt; }
    // Largest value in the table (DC tables must stay at or below 11).
    int MaxValue() const { return m_nMaxValue; }

    // Encoder side: code and code size by value; size 0 = value absent.
    uint16_t CodeOf(int value) const { return m_code[value]; }
    BYTE SizeOf(int value) const { return m_size[value]; }

    // Decoder side.
    int32_t m_maxCode[18];  // largest code of each length, -1 if none; [17] sentinel
    int32_t m_valueOffset[17];  // first value index minus smallest code, per length
    BYTE m_values[256];
    // For each 10-bit prefix: (code size << 8) | value, or 0 when the code is longer.
    uint16_t m_lookahead[1 << kLookaheadBits];
    // For AC tables, each 10-bit prefix that holds a whole code and its extra
    // bits: (extended value << 16) | (zeros skipped << 4) | bits used, where
    // end-of-block skips 64 and a run of sixteen zeros is a run of fifteen
    // and a zero; 0 otherwise.
    int32_t m_fastAc[1 << kLookaheadBits];
    // For DC tables, the same for every size up to 7, including 0:
    // (extended value << 8) | bits used; 0 otherwise.
    int16_t m_fastDc[1 << kLookaheadBits];

private:
    bool m_bBuilt = false;
    int m_nMaxValue = 0;
    uint16_t m_code[256];
    BYTE m_size[256];
};

// The bits in hand, held from bit 63 down so that a lookahead is a
// constant shift. Below the count valid bits may lie the start of the next
// unread byte: a refill ORs that same byte over them.
struct JpegBits {
    uint64_t top;
    int count;
};

class JpegBitReader {
public:
    // Reads entropy-coded data from [data, data + size).
    void Start(const BYTE* data, size_t size);

    // One Huffman-coded value (ITU T.81 F.16). A code longer than 16 bits
    // consumes 17 bits and yields 0, so a damaged stream decodes as zeros.
    int DecodeValue(const JpegHuffmanTable& table)
    {
        if (m_bits.count < 17) Fill();
        uint32_t peek = uint32_t(m_bits.top >> (64 - JpegHuffmanTable::kLookaheadBits));
        uint32_t entry = table.m_lookahead[peek];
        if (entry) {
            Consume(int(entry >> 8));
            return int(entry & 0xFF);
        }
        return DecodeLong(table, peek);
    }

    // s raw bits (0 <= s <= 16) extended to a signed value (F.2.2.1).
    int ReceiveExtend(int s)
    {
        if (s == 0) return 0;
        if (m_bits.count < s) Fill();
        int v = int(m_bits.top >> (64 - s));
        Consume(s);
        return v < (1 << (s - 1)) ? v + 1 - (1 << s) : v;
    }

    // The bits in hand, for a caller that works on its own copy (which then
    // stays in registers) and puts it back before any other call on the
    // reader but Refill.
    JpegBits Take() const { return m_bits; }
    void Put(JpegBits bits) { m_bits = bits; }

    // Tops a taken copy up to at least 56 bits: eight bytes at once when
    // they hold no 0xFF, so need no unstuffing and end at no marker.
    void Refill(JpegBits& bits)
    {
        if (!m_bAtMarker && m_nSize - m_nPos >= 8) {
            uint64_t word;
            std::memcpy(&word, m_pData + m_nPos, 8);
            word = __builtin_bswap64(word);
            if (((~word - 0x0101010101010101ull) & word & 0x8080808080808080ull) == 0) {
                bits.top |= word >> bits.count;
                const int bytes = (63 - bits.count) / 8;
                bits.count += 8 * bytes;
                m_nPos += size_t(bytes);
                return;
            }
        }
        m_bits = bits;
        FillBytes();
        bits = m_bits;
    }
    void Fill() { Refill(m_bits); }

    // Restart handling: drops the buffered bits, then skips to the next
    // marker. A restart marker is consumed; any other marker is left in
    // place so that the rest of the scan reads as zero bits.
    void Restart();

    // True once more bits were consumed than the segment holds.
    bool Overran() const { return uint64_t(m_bits.count) < m_nFakeBits; }

private:
    void Consume(int n)
    {
        m_bits.top <<= n;
        m_bits.count -= n;
    }
    // A byte at a time, unstuffing, up to more than 56 bits.
    void FillBytes();
    int DecodeLong(const JpegHuffmanTable& table, uint32_t prefix);

    const BYTE* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    // 64 bits in every build: a refill then lasts several codes, also in
    // the 32-bit program.
    JpegBits m_bits = {0, 0};
    // Zero bits appended after a marker or the end of data; once the reader
    // has consumed into them, the count stays below this one.
    uint64_t m_nFakeBits = 0;
    bool m_bAtMarker = false;
};
