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

// The bits in hand, copied out of a JpegBitReader so that a block's
// decoding keeps them in registers (see JpegBitReader::Take).
struct JpegBits {
    uint64_t buffer;  // valid bits are the low count
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
        if (m_nBits < 17) Fill();
        uint32_t peek = uint32_t(m_buffer >> (m_nBits - JpegHuffmanTable::kLookaheadBits)) &
                        ((1u << JpegHuffmanTable::kLookaheadBits) - 1);
        uint32_t entry = table.m_lookahead[peek];
        if (entry) {
            m_nBits -= int(entry >> 8);
            return int(entry & 0xFF);
        }
        return DecodeLong(table, peek);
    }

    // The next kLookaheadBits bits, without consuming them.
    uint32_t PeekLookahead()
    {
        if (m_nBits < 17) Fill();
        return uint32_t(m_buffer >> (m_nBits - JpegHuffmanTable::kLookaheadBits)) &
               ((1u << JpegHuffmanTable::kLookaheadBits) - 1);
    }
    void Skip(int n) { m_nBits -= n; }

    // A DC difference: the size code and its extended bits (F.2.2.1).
    int DecodeDifference(const JpegHuffmanTable& table)
    {
        int fast = table.m_fastDc[PeekLookahead()];
        if (fast) {
            m_nBits -= fast & 15;
            return fast >> 8;
        }
        return ReceiveExtend(DecodeValue(table));
    }

    // s raw bits (0 <= s <= 16) extended to a signed value (F.2.2.1).
    int ReceiveExtend(int s)
    {
        if (s == 0) return 0;
        if (m_nBits < s) Fill();
        m_nBits -= s;
        int v = int(uint32_t(m_buffer >> m_nBits) & ((1u << s) - 1));
        return v < (1 << (s - 1)) ? v + 1 - (1 << s) : v;
    }

    // The bits in hand, for a caller that works on its own copy and puts it
    // back before any other call on the reader.
    JpegBits Take() const { return JpegBits{m_buffer, m_nBits}; }
    void Put(JpegBits bits)
    {
        m_buffer = bits.buffer;
        m_nBits = bits.count;
    }
    // Tops the bits in hand up to at least 57.
    void Fill();

    // Restart handling: drops the buffered bits, then skips to the next
    // marker. A restart marker is consumed; any other marker is left in
    // place so that the rest of the scan reads as zero bits.
    void Restart();

    // True once more bits were consumed than the segment holds.
    bool Overran() const { return uint64_t(m_nBits) < m_nFakeBits; }

private:
    // 64 bits in every build: a refill then lasts several codes, also in
    // the 32-bit program.
    typedef uint64_t Buffer;
    enum { kBufferBits = 64 };

    int DecodeLong(const JpegHuffmanTable& table, uint32_t prefix);

    const BYTE* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    Buffer m_buffer = 0;  // valid bits are the low m_nBits
    int m_nBits = 0;
    // Zero bits appended after a marker or the end of data; once the reader
    // has consumed into them, m_nBits stays below this count.
    uint64_t m_nFakeBits = 0;
    bool m_bAtMarker = false;
};
