// Huffman codes are decoded through two-level tables: the first
// kPrimaryBits bits of the input index a primary table whose entry holds the
// symbol and its code length, or, for a longer code, the start of a
// subtable indexed by the next (maxLength - kPrimaryBits) bits. Bits enter
// LSB first (RFC 1951 3.1.1), so table indexes are the codes bit-reversed.
//
// Output goes into a window buffer; whenever less than a longest match of
// room is left, between two symbols, what was made is handed to the sink
// and the last 32 KiB (the farthest a distance reaches) move to the front.
#include "Inflate.h"

#include "Adler32.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {
const int kMaxCodeLength = 15;
const int kPrimaryBits = 10;
const uint32_t kSubtable = 1u << 24;
const size_t kDistanceReach = 32768;
const size_t kLargestWindow = kDistanceReach + (256 << 10);
// Room for a longest match and a word of spare.
const size_t kMatchRoom = 258 + 8;

// Entry: symbol (or subtable start) in bits 0-15, code length in bits
// 16-23 (0: no such code), kSubtable for a pointer.
class HuffmanTable {
public:
    // False for a set of lengths that is over-subscribed, or incomplete
    // beyond the single one-bit code RFC 1951 allows (a code that is then
    // missing reads as invalid).
    bool Build(const uint8_t* lengths, int count)
    {
        int counts[kMaxCodeLength + 1] = {};
        for (int i = 0; i < count; ++i) ++counts[lengths[i]];
        counts[0] = 0;
        int maxLength = 0;
        int left = 1;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            left = (left << 1) - counts[length];
            if (left < 0) return false;
            if (counts[length]) maxLength = length;
        }
        if (left > 0 && !(maxLength <= 1 && counts[1] <= 1)) return false;

        m_nSubBits = maxLength > kPrimaryBits ? maxLength - kPrimaryBits : 0;
        std::memset(m_entries, 0, sizeof(uint32_t) << kPrimaryBits);
        int next = 1 << kPrimaryBits;  // next free subtable start

        // Canonical codes: by length, then by symbol.
        uint32_t code = 0;
        for (int length = 1; length <= maxLength; ++length) {
            for (int symbol = 0; symbol < count; ++symbol) {
                if (lengths[symbol] != length) continue;
                const uint32_t reversed = Reverse(code, length);
                const uint32_t entry = uint32_t(symbol) | uint32_t(length) << 16;
                if (length <= kPrimaryBits) {
                    for (uint32_t i = reversed; i < (1u << kPrimaryBits); i += 1u << length) m_entries[i] = entry;
                } else {
                    uint32_t& pointer = m_entries[reversed & ((1u << kPrimaryBits) - 1)];
                    if (!(pointer & kSubtable)) {
                        pointer = kSubtable | uint32_t(next);
                        std::memset(m_entries + next, 0, sizeof(uint32_t) << m_nSubBits);
                        next += 1 << m_nSubBits;
                    }
                    uint32_t* sub = m_entries + (pointer & 0xFFFF);
                    const int subLength = length - kPrimaryBits;
                    for (uint32_t i = reversed >> kPrimaryBits; i < (1u << m_nSubBits); i += 1u << subLength)
                        sub[i] = entry;
                }
                ++code;
            }
            code <<= 1;
        }
        return true;
    }

    // The entry for the next code in bits (at least 15 valid bits).
    uint32_t Lookup(uint64_t bits) const
    {
        const uint32_t entry = m_entries[bits & ((1u << kPrimaryBits) - 1)];
        if (!(entry & kSubtable)) return entry;
        return m_entries[(entry & 0xFFFF) + ((bits >> kPrimaryBits) & ((1u << m_nSubBits) - 1))];
    }

private:
    static uint32_t Reverse(uint32_t code, int length)
    {
        uint32_t r = 0;
        for (int i = 0; i < length; ++i) r |= ((code >> i) & 1) << (length - 1 - i);
        return r;
    }

    int m_nSubBits = 0;
    // At most 2^kPrimaryBits subtables of 2^(15 - kPrimaryBits) entries.
    uint32_t m_entries[(1 << kPrimaryBits) + (1 << kMaxCodeLength)];
};

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

class Inflater {
public:
    Inflater(const BYTE* in, size_t inSize, BYTE* window, size_t windowBytes, size_t total, InflateSink& sink)
        : m_pIn(in), m_pEnd(in + inSize), m_pOut(window), m_nWindowBytes(windowBytes), m_nTotal(total), m_sink(sink)
    {
    }

    InflateError Run()
    {
        if (m_pEnd - m_pIn < 2) return InflateError::Damaged;
        const int cmf = m_pIn[0], flg = m_pIn[1];
        if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20))
            return InflateError::Damaged;
        m_pIn += 2;
        bool last = false;
        while (!last) {
            last = Bits(1) != 0;
            const uint32_t type = Bits(2);
            InflateError error = InflateError::Damaged;
            if (type == 0) error = Stored();
            else if (type == 1) error = Fixed();
            else if (type == 2) error = Dynamic();
            if (error != InflateError::None) return error;
            if (Overrun()) return InflateError::Damaged;
        }
        if (!Hand()) return InflateError::Refused;
        // The Adler-32 of the output, big-endian after the last byte.
        AlignToByte();
        uint32_t stored = 0;
        for (int i = 0; i < 4; ++i) stored = stored << 8 | Bits(8);
        if (Overrun() || stored != m_nAdler) return InflateError::Damaged;
        return InflateError::None;
    }

    // Gives the sink what it has not had yet.
    bool Hand()
    {
        const size_t size = m_nWritten - m_nHanded;
        if (!size) return true;
        m_nAdler = UpdateAdler32(m_nAdler, m_pOut + m_nHanded, size);
        m_nHanded = m_nWritten;
        return m_sink.Take(m_pOut + m_nWritten - size, size);
    }

private:
    // Output room left before the window is full or the total reached.
    size_t Room() const
    {
        const size_t windowRoom = m_nWindowBytes - m_nWritten;
        const size_t totalRoom = m_nTotal - m_nBase - m_nWritten;
        return windowRoom < totalRoom ? windowRoom : totalRoom;
    }

    // With less than a longest match of window left, hands the output over
    // and keeps only the reach of a distance.
    bool MakeRoom()
    {
        if (m_nWindowBytes - m_nWritten >= kMatchRoom) return true;
        if (!Hand()) return false;
        const size_t dropped = m_nWritten - kDistanceReach;
        std::memmove(m_pOut, m_pOut + dropped, kDistanceReach);
        m_nBase += dropped;
        m_nWritten = m_nHanded = kDistanceReach;
        return true;
    }

    // Eight bytes at once while they last: the bytes loaded beyond the
    // count are loaded again at the same place by the next refill, so
    // or-ing them in twice changes nothing. Past the end of the input the
    // buffer fills with zero bytes; having used one of them is an overrun,
    // checked at the end of every block.
    void Refill()
    {
        if (m_pEnd - m_pIn >= 8) {
            uint64_t word = 0;
            for (int i = 7; i >= 0; --i) word = word << 8 | m_pIn[i];
            m_nBuffer |= word << m_nBitCount;
            const int bytes = (63 - m_nBitCount) >> 3;
            m_pIn += bytes;
            m_nBitCount += bytes * 8;
            return;
        }
        while (m_nBitCount <= 56) {
            uint64_t byte = 0;
            if (m_pIn < m_pEnd) byte = *m_pIn++;
            else ++m_nPadding;
            m_nBuffer |= byte << m_nBitCount;
            m_nBitCount += 8;
        }
    }

    bool Overrun() const { return m_nPadding * 8 > uint64_t(m_nBitCount); }

    uint32_t Bits(int count)
    {
        if (m_nBitCount < count) Refill();
        const uint32_t value = uint32_t(m_nBuffer & ((uint64_t(1) << count) - 1));
        m_nBuffer >>= count;
        m_nBitCount -= count;
        return value;
    }

    // The next symbol of table, or -1 for a code not in it.
    int Decode(const HuffmanTable& table)
    {
        if (m_nBitCount < kMaxCodeLength) Refill();
        const uint32_t entry = table.Lookup(m_nBuffer);
        const int length = int(entry >> 16 & 0xFF);
        if (!length) return -1;
        m_nBuffer >>= length;
        m_nBitCount -= length;
        return int(entry & 0xFFFF);
    }

    void AlignToByte()
    {
        m_nBuffer >>= m_nBitCount % 8;
        m_nBitCount -= m_nBitCount % 8;
    }

    InflateError Stored()
    {
        AlignToByte();
        const uint32_t length = Bits(16);
        if ((Bits(16) ^ 0xFFFF) != length || Overrun()) return InflateError::Damaged;
        // Whole bytes still in the bit buffer come first.
        uint32_t left = length;
        while (left && m_nBitCount) {
            if (!MakeRoom()) return InflateError::Refused;
            if (!Room()) return InflateError::TooLong;
            m_pOut[m_nWritten++] = BYTE(Bits(8));
            --left;
        }
        if (Overrun()) return InflateError::Damaged;
        m_nBuffer = 0;  // bytes loaded ahead belong to the copy below
        if (size_t(m_pEnd - m_pIn) < left) return InflateError::Damaged;
        while (left) {
            if (!MakeRoom()) return InflateError::Refused;
            size_t piece = Room();
            if (!piece) return InflateError::TooLong;
            if (piece > left) piece = left;
            std::memcpy(m_pOut + m_nWritten, m_pIn, piece);
            m_pIn += piece;
            m_nWritten += piece;
            left -= uint32_t(piece);
        }
        return InflateError::None;
    }

    InflateError Fixed()
    {
        uint8_t lengths[288 + 32];
        std::memset(lengths, 8, 144);
        std::memset(lengths + 144, 9, 112);
        std::memset(lengths + 256, 7, 24);
        std::memset(lengths + 280, 8, 8);
        std::memset(lengths + 288, 5, 32);
        m_literals.Build(lengths, 288);
        m_distances.Build(lengths + 288, 32);
        return Codes();
    }

    InflateError Dynamic()
    {
        const int literalCount = int(Bits(5)) + 257;
        const int distanceCount = int(Bits(5)) + 1;
        const int codeLengthCount = int(Bits(4)) + 4;
        if (literalCount > 286 || distanceCount > 30) return InflateError::Damaged;
        uint8_t codeLengths[19] = {};
        for (int i = 0; i < codeLengthCount; ++i) codeLengths[kCodeLengthOrder[i]] = uint8_t(Bits(3));
        if (!m_literals.Build(codeLengths, 19)) return InflateError::Damaged;

        uint8_t lengths[286 + 30];
        const int total = literalCount + distanceCount;
        for (int i = 0; i < total;) {
            const int symbol = Decode(m_literals);
            if (symbol < 0) return InflateError::Damaged;
            if (symbol < 16) {
                lengths[i++] = uint8_t(symbol);
                continue;
            }
            int repeat;
            uint8_t value = 0;
            if (symbol == 16) {
                if (i == 0) return InflateError::Damaged;
                value = lengths[i - 1];
                repeat = 3 + int(Bits(2));
            } else if (symbol == 17) {
                repeat = 3 + int(Bits(3));
            } else {
                repeat = 11 + int(Bits(7));
            }
            if (repeat > total - i) return InflateError::Damaged;
            std::memset(lengths + i, value, size_t(repeat));
            i += repeat;
        }
        if (Overrun() || lengths[256] == 0) return InflateError::Damaged;
        if (!m_literals.Build(lengths, literalCount) || !m_distances.Build(lengths + literalCount, distanceCount))
            return InflateError::Damaged;
        return Codes();
    }

    InflateError Codes()
    {
        for (;;) {
            if (!MakeRoom()) return InflateError::Refused;
            bool ended = false;
            InflateError error = FastCodes(ended);
            if (error == InflateError::None && !ended) error = MakeRoom() ? Symbol(ended) : InflateError::Refused;
            if (error != InflateError::None || ended) return error;
        }
    }

    // Symbols while at least 8 input bytes and a longest match plus a word
    // of output room remain, with the state in locals: stores through the
    // byte pointer of the output would otherwise make the compiler reload
    // every member after each byte. One refill gives 56 bits, enough for a
    // length and a distance with their extra bits (at most 48).
    InflateError FastCodes(bool& ended)
    {
        const BYTE* in = m_pIn;
        const BYTE* const end = m_pEnd;
        uint64_t buffer = m_nBuffer;
        int count = m_nBitCount;
        BYTE* const out = m_pOut;
        size_t written = m_nWritten;
        const size_t room = Room();
        if (room < kMatchRoom) return InflateError::None;
        const size_t last = written + room - kMatchRoom;
        InflateError error = InflateError::None;
        while (end - in >= 8 && written <= last) {
            uint64_t word;
            std::memcpy(&word, in, 8);  // little-endian, as on x86
            buffer |= word << count;
            const int bytes = (63 - count) >> 3;
            in += bytes;
            count += bytes * 8;

            uint32_t entry = m_literals.Lookup(buffer);
            int length = int(entry >> 16 & 0xFF);
            const uint32_t symbol = entry & 0xFFFF;
            buffer >>= length;
            count -= length;
            if (!length || symbol > 285) {
                error = InflateError::Damaged;
                break;
            }
            if (symbol < 256) {
                out[written++] = BYTE(symbol);
                // At least 41 bits remain: a second literal needs no refill.
                entry = m_literals.Lookup(buffer);
                length = int(entry >> 16 & 0xFF);
                if (length && (entry & 0xFFFF) < 256) {
                    buffer >>= length;
                    count -= length;
                    out[written++] = BYTE(entry);
                }
                continue;
            }
            if (symbol == 256) {
                ended = true;
                break;
            }
            const int lengthCode = int(symbol) - 257;
            const int lengthExtra = kLengthExtra[lengthCode];
            const size_t matchLength = kLengthBase[lengthCode] + size_t(buffer & ((uint64_t(1) << lengthExtra) - 1));
            buffer >>= lengthExtra;
            count -= lengthExtra;
            entry = m_distances.Lookup(buffer);
            length = int(entry >> 16 & 0xFF);
            const uint32_t distanceCode = entry & 0xFFFF;
            buffer >>= length;
            count -= length;
            if (!length || distanceCode > 29) {
                error = InflateError::Damaged;
                break;
            }
            const int distanceExtra = kDistanceExtra[distanceCode];
            const size_t distance = kDistanceBase[distanceCode] + size_t(buffer & ((uint64_t(1) << distanceExtra) - 1));
            buffer >>= distanceExtra;
            count -= distanceExtra;
            if (distance > written) {
                error = InflateError::Damaged;
                break;
            }
            Copy(out + written, distance, matchLength, true);
            written += matchLength;
        }
        m_pIn = in;
        m_nBuffer = buffer;
        m_nBitCount = count;
        m_nWritten = written;
        return error;
    }

    // length bytes from distance back; with spare, the output has a word
    // of room past them.
    static void Copy(BYTE* to, size_t distance, size_t length, bool spare)
    {
        const BYTE* from = to - distance;
        if (distance >= 8 && spare) {
            // Whole words, up to 7 bytes past the match, which later output
            // overwrites: each word reads only bytes already written since
            // the distance is at least a word.
            for (size_t i = 0; i < length; i += 8) std::memcpy(to + i, from + i, 8);
        } else if (distance == 1) {
            std::memset(to, *from, length);
        } else {
            for (size_t i = 0; i < length; ++i) to[i] = from[i];
        }
    }

    // One symbol near the ends of the input or output, every step checked.
    InflateError Symbol(bool& ended)
    {
        const int symbol = Decode(m_literals);
        // Zero bits past the end of the input would otherwise decode as
        // symbols until the output is full.
        if (Overrun()) return InflateError::Damaged;
        if (symbol < 256) {
            if (symbol < 0) return InflateError::Damaged;
            if (!Room()) return InflateError::TooLong;
            m_pOut[m_nWritten++] = BYTE(symbol);
            return InflateError::None;
        }
        if (symbol == 256) {
            ended = true;
            return InflateError::None;
        }
        if (symbol > 285) return InflateError::Damaged;
        const int lengthCode = symbol - 257;
        const size_t length = kLengthBase[lengthCode] + Bits(kLengthExtra[lengthCode]);
        const int distanceCode = Decode(m_distances);
        if (distanceCode < 0 || distanceCode > 29) return InflateError::Damaged;
        const size_t distance = kDistanceBase[distanceCode] + Bits(kDistanceExtra[distanceCode]);
        if (distance > m_nWritten) return InflateError::Damaged;
        if (Room() < length) return InflateError::TooLong;
        if (Overrun()) return InflateError::Damaged;
        Copy(m_pOut + m_nWritten, distance, length, m_nWindowBytes - m_nWritten >= length + 8);
        m_nWritten += length;
        return InflateError::None;
    }

    const BYTE* m_pIn;
    const BYTE* m_pEnd;
    BYTE* m_pOut;            // the window
    size_t m_nWindowBytes;
    size_t m_nTotal;         // the most output allowed
    InflateSink& m_sink;
    size_t m_nBase = 0;      // output dropped from the window's front
    size_t m_nWritten = 0;   // in the window
    size_t m_nHanded = 0;    // in the window, given to the sink
    uint32_t m_nAdler = 1;
    uint64_t m_nBuffer = 0;
    int m_nBitCount = 0;
    uint64_t m_nPadding = 0;
    HuffmanTable m_literals;
    HuffmanTable m_distances;
};
}

InflateError InflateZlib(const BYTE* in, size_t inSize, size_t total, InflateSink& sink)
{
    // The window (with a word of spare past it) and the two tables are too
    // large for a thread's stack.
    // A small output fits in a window of its own size, never slid.
    const size_t windowBytes = total < kLargestWindow - kMatchRoom ? total + kMatchRoom : kLargestWindow;
    std::unique_ptr<BYTE[]> window(new (std::nothrow) BYTE[windowBytes + 8]);
    if (!window) return InflateError::OutOfMemory;
    std::unique_ptr<Inflater> inflater(new (std::nothrow) Inflater(in, inSize, window.get(), windowBytes, total, sink));
    if (!inflater) return InflateError::OutOfMemory;
    const InflateError error = inflater->Run();
    // What was made before a fault still reaches the sink.
    if (error != InflateError::None && error != InflateError::Refused) inflater->Hand();
    return error;
}

InflateError InflateZlib(const BYTE* in, size_t inSize, BYTE* out, size_t capacity, size_t* written)
{
    class BufferSink : public InflateSink {
    public:
        explicit BufferSink(BYTE* out) : m_pOut(out) {}
        bool Take(const BYTE* data, size_t size) override
        {
            std::memcpy(m_pOut + m_nWritten, data, size);
            m_nWritten += size;
            return true;
        }
        size_t m_nWritten = 0;

    private:
        BYTE* m_pOut;
    };
    BufferSink sink(out);
    const InflateError error = InflateZlib(in, inSize, capacity, sink);
    *written = sink.m_nWritten;
    return error;
}
