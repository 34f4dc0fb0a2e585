// Output side of the JPEG encoder: a byte buffer drained into a sink, and
// the bit accumulator of the entropy-coded segment with 0xFF stuffing.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class JpegByteSink {
public:
    virtual ~JpegByteSink() = default;
    virtual void Write(const BYTE* data, size_t size) = 0;
};

class JpegBitWriter {
public:
    explicit JpegBitWriter(JpegByteSink& sink) : m_sink(sink) {}
    JpegBitWriter(const JpegBitWriter&) = delete;
    JpegBitWriter& operator=(const JpegBitWriter&) = delete;

    // Raw bytes (marker segments); no stuffing.
    void PutBytes(const BYTE* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) PutByte(data[i]);
    }

    // The bit accumulator, which a caller that puts many codes holds in
    // registers (Hold, Put..., Release): stores into the byte buffer may
    // alias any member, so members would be reloaded after each store.
    struct Accumulator {
        uint64_t bits;  // valid bits are the low count
        int count;      // below 32 between calls
    };
    Accumulator Hold() const { return {m_acc, m_nBits}; }
    void Release(const Accumulator& a) { m_acc = a.bits, m_nBits = a.count; }

    // n bits (n <= 31, nothing above them set), most significant first.
    void Put(Accumulator& a, uint32_t bits, int n)
    {
        a.bits = (a.bits << n) | bits;
        a.count += n;
        if (a.count >= 32) Emit32(a);
    }

    // The low n bits of bits (n <= 31), most significant first.
    void PutBits(uint32_t bits, int n)
    {
        Accumulator a = Hold();
        Put(a, bits & ((uint32_t(1) << n) - 1), n);
        Release(a);
    }

    // Pads the last byte with one bits and writes out every held bit.
    void AlignWithOnes()
    {
        int pad = (8 - m_nBits % 8) % 8;
        if (pad) PutBitsSlow((1u << pad) - 1, pad);
        while (m_nBits >= 8) {
            m_nBits -= 8;
            PutStuffed(BYTE(m_acc >> m_nBits));
        }
    }

    // Hands the buffered bytes to the sink.
    void Drain()
    {
        if (m_nCount) m_sink.Write(m_buffer, m_nCount);
        m_nCount = 0;
    }

private:
    enum { kFlushAt = 8080 };

    // Writes out the oldest 32 of the held bits.
    void Emit32(Accumulator& a)
    {
        a.count -= 32;
        const uint32_t word = uint32_t(a.bits >> a.count);
        if (m_nCount > kFlushAt - 8) Drain();
        if (((~word - 0x01010101u) & word & 0x80808080u) == 0) {
            // No byte is 0xFF: the four bytes go out as they are, in one store.
            const uint32_t bigEndian = __builtin_bswap32(word);
            std::memcpy(m_buffer + m_nCount, &bigEndian, 4);
            m_nCount += 4;
        } else {
            for (int shift = 24; shift >= 0; shift -= 8) PutStuffed(BYTE(word >> shift));
        }
    }
    void PutByte(BYTE b)
    {
        if (m_nCount >= kFlushAt) Drain();
        m_buffer[m_nCount++] = b;
    }
    void PutStuffed(BYTE b)
    {
        PutByte(b);
        if (b == 0xFF) PutByte(0);
    }
    void PutBitsSlow(uint32_t bits, int n)
    {
        m_acc = (m_acc << n) | (bits & ((uint32_t(1) << n) - 1));
        m_nBits += n;
    }

    JpegByteSink& m_sink;
    BYTE m_buffer[8192];
    size_t m_nCount = 0;
    uint64_t m_acc = 0;  // valid bits are the low m_nBits
    int m_nBits = 0;
};
