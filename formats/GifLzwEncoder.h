// Variable-length LZW encoder for GIF image data (GIF89a appendix F), with
// the output already cut into data sub-blocks.
//
// Strings are found through an open-addressed hash table of 16384 slots,
// probed linearly; a table never holds more than 3838 strings, so every
// search ends at the string or at an empty slot. A string is known by its
// slot, not by its code (a single pixel by a number past the slots): the
// slot of the next string is then computed from the slot just found, and
// the processor can go on to the next pixel before the look-up that
// confirms the match has returned. Codes are looked up only to be written.
// Greedy LZW output does not depend on how the table is searched, only on
// which strings it holds. Code size grows from minimum + 1 up to 12 bits;
// once code 4095 has been made, the next new string writes a clear code and
// starts again.
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
    // The code of a string: a slot, or kHashSlots + pixel for one pixel.
    int CodeOf(uint32_t string) const;

    GifByteSink* m_pSink = nullptr;
    int m_nMinCodeSize = 0;
    int m_nClearCode = 0;
    int m_nCodeSize = 0;
    int m_nCodeLimit = 0;
    int m_nNext = 0;
    int m_nString = -1;  // the string so far, as CodeOf takes it; -1 before the first pixel

    // Bits not yet forming a whole byte, and the whole bytes of the block.
    uint32_t m_nBitBuffer = 0;
    int m_nBitCount = 0;
    int m_nBlockBytes = 0;
    BYTE m_block[1 + 256];  // length byte, then the data

    // Per slot, the string it holds as (string << 8) | pixel: the string
    // it extends (as CodeOf takes it) and the pixel added; kEmptySlot for
    // none. And the code of that string.
    static const uint32_t kEmptySlot = 0xFFFFFFFF;
    uint32_t m_keys[kHashSlots];
    uint16_t m_codes[kHashSlots];
};
