// Variable-length LZW encoder for GIF image data (GIF89a appendix F), with
// the output already cut into data sub-blocks.
//
// Strings are found through an open-addressed hash table of 8192 slots,
// probed linearly; a table never holds more than 3838 strings, so it stays
// under half full and every search ends at the string or at an empty slot.
// Greedy LZW output does not depend on how the table is searched, only on
// which strings it holds. Code size grows from minimum + 1
// up to 12 bits; once code 4095 has been made, the next new string writes a
// clear code and starts again.
//
// Sub-blocks: before each code is added, 254 or more buffered whole bytes go
// out as one sub-block, so blocks hold 254 or 255 bytes except the last.
// Finish writes the rest and the zero-length terminator.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// Receives the encoded bytes (sub-block lengths included), in order.
class GifByteSink {
public:
    virtual void WriteBytes(const BYTE* bytes, size_t count) = 0;

protected:
    ~GifByteSink() = default;
};

class GifLzwEncoder {
public:
    static const int kHashBits = 14;
    static const uint32_t kHashSlots = 1u << kHashBits;

    // minCodeSize is 2 to 8; writes the first clear code.
    void Begin(int minCodeSize, GifByteSink* sink);
    // Pixel indices, one byte each, each below 2^minCodeSize.
    void AddPixels(const BYTE* pixels, size_t count);
    // Writes the pending string, the end code and the remaining sub-blocks.
    void Finish();

private:
    void WriteCode(int code);
    void FlushBlock();
    void ResetCodes();

    GifByteSink* m_pSink = nullptr;
    int m_nMinCodeSize = 0;
    int m_nClearCode = 0;
    int m_nCodeSize = 0;
    int m_nCodeLimit = 0;
    int m_nNext = 0;
    int m_nPrefix = -1;  // the string so far (ent); -1 before the first pixel

    // Bits not yet forming a whole byte, and the whole bytes of the block.
    uint32_t m_nBitBuffer = 0;
    int m_nBitCount = 0;
    int m_nBlockBytes = 0;
    BYTE m_block[1 + 256];  // length byte, then the data

    // One word per slot, so a probe touches one cache line: the code in
    // bits 20-31 (0 = empty slot), the prefix code in bits 8-19 and the
    // suffix pixel in bits 0-7.
    uint32_t m_hash[kHashSlots];
};
