// Inflate on hand-built streams: each fault the decoder must refuse, next to
// the same stream made valid, so that the refusal is for that fault alone.
#include "formats/Inflate.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using Bytes = std::vector<BYTE>;

// Deflate bits, LSB first; Huffman codes go in MSB first (RFC 1951 3.1.1).
class BitWriter {
public:
    BitWriter() : m_bytes{0x78, 0x01} {}
    void Bits(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    void Code(uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    void Byte(BYTE b)
    {
        m_nBit = 0;
        m_bytes.push_back(b);
    }
    // Aligns and appends the Adler-32 of out.
    Bytes Finish(const Bytes& out)
    {
        uint32_t a = 1, b = 0;
        for (BYTE v : out) {
            a = (a + v) % 65521;
            b = (b + a) % 65521;
        }
        const uint32_t adler = b << 16 | a;
        for (int shift = 24; shift >= 0; shift -= 8) Byte(BYTE(adler >> shift));
        return m_bytes;
    }

private:
    void Bit(int bit)
    {
        if (m_nBit == 0) m_bytes.push_back(0);
        m_bytes.back() |= BYTE(bit << m_nBit);
        m_nBit = (m_nBit + 1) % 8;
    }
    Bytes m_bytes;
    int m_nBit = 0;
};

InflateError Inflate(const Bytes& in, Bytes& out, size_t capacity = 64)
{
    out.assign(capacity, 0);
    size_t written = 0;
    const InflateError error = InflateZlib(in.data(), in.size(), out.data(), capacity, &written);
    out.resize(written);
    return error;
}

// A fixed-code block: literal 'a', then a match of length 3 at distance d.
Bytes FixedMatch(int distanceCode)
{
    BitWriter w;
    w.Bits(1, 1);
    w.Bits(1, 2);
    w.Code(0x30 + 'a', 8);
    w.Code(1, 7);  // length code 257: 3
    w.Code(uint32_t(distanceCode), 5);
    w.Code(0, 7);  // end of block
    return w.Finish(Bytes{'a', 'a', 'a', 'a'});
}

// A dynamic block header whose code length code has the given lengths
// (for symbols 16, 17, 18, 0, 8, ... in the transmitted order).
Bytes DynamicHeader(const std::vector<int>& codeLengthLengths)
{
    BitWriter w;
    w.Bits(1, 1);
    w.Bits(2, 2);
    w.Bits(0, 5);
    w.Bits(0, 5);
    w.Bits(uint32_t(codeLengthLengths.size() - 4), 4);
    for (int length : codeLengthLengths) w.Bits(uint32_t(length), 3);
    return w.Finish(Bytes());
}
}

TEST(Inflate, DistanceBeforeTheOutputStartIsRefused)
{
    Bytes out;
    EXPECT_EQ(Inflate(FixedMatch(0), out), InflateError::None);  // distance 1
    EXPECT_EQ(out, (Bytes{'a', 'a', 'a', 'a'}));
    EXPECT_EQ(Inflate(FixedMatch(1), out), InflateError::Damaged);  // distance 2 after one byte
}

TEST(Inflate, OutputBeyondTheBufferStopsAtItsEnd)
{
    Bytes out;
    EXPECT_EQ(Inflate(FixedMatch(0), out, 3), InflateError::TooLong);
    EXPECT_EQ(out.size(), 1u);
}

TEST(Inflate, StoredLengthCheckAndTruncation)
{
    BitWriter good;
    good.Bits(1, 1);
    good.Bits(0, 2);
    for (BYTE b : Bytes{2, 0, 0xFD, 0xFF, 'x', 'y'}) good.Byte(b);
    Bytes stream = good.Finish(Bytes{'x', 'y'});
    Bytes out;
    EXPECT_EQ(Inflate(stream, out), InflateError::None);
    EXPECT_EQ(out, (Bytes{'x', 'y'}));

    Bytes badCheck = stream;
    badCheck[5] ^= 1;
    EXPECT_EQ(Inflate(badCheck, out), InflateError::Damaged);
    Bytes badAdler = stream;
    badAdler.back() ^= 1;
    EXPECT_EQ(Inflate(badAdler, out), InflateError::Damaged);
    for (size_t cut = 0; cut < stream.size(); ++cut)
        EXPECT_EQ(Inflate(Bytes(stream.begin(), stream.begin() + cut), out), InflateError::Damaged) << cut;
}

TEST(Inflate, OverAndUnderSubscribedCodeLengthsAreRefused)
{
    Bytes out;
    // Three codes of length 1 over-subscribe; one code of length 2 leaves
    // the table incomplete. Both fail before any symbol is read.
    EXPECT_EQ(Inflate(DynamicHeader({1, 1, 1, 0}), out), InflateError::Damaged);
    EXPECT_EQ(Inflate(DynamicHeader({2, 0, 0, 0}), out), InflateError::Damaged);
}
