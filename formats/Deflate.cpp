// Symbols are gathered for a block of up to kBlockSymbols, then coded with
// Huffman codes built for that block (RFC 1951 3.2.7). Matches are found
// through a table of the last two positions of each three-byte hash: greedy,
// no chains, which suits screen pictures, whose redundancy is long runs and
// exact repeats rather than near matches. The table is small (32 KiB): each
// short match costs a lookup whose latency the loop waits for, and a table
// that stays in the first-level cache is worth more than the few matches a
// larger one adds. Long stretches without a match are crossed ever faster.
// The data passes through a buffer of its own that slides like zlib's
// window: the caller's pieces are written into it, compressed while they
// are still in the cache, and never gathered whole.
#include "Deflate.h"

#include "Adler32.h"
#include "DeflateHuffman.h"

#include "../framework/LowestBit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
const int kHashBits = 12;
const size_t kWindow = 32768;
const size_t kMaxMatch = 258;
const size_t kBlockSymbols = 1 << 16;
// Data is compressed in batches of this many bytes or more, and held in a
// buffer of this many (more only for longer pieces). The part in use, a
// window behind the next position and a batch ahead, stays in the
// second-level cache; the rest makes the buffer slide seldom, as each
// slide moves a window of data and every position in the table.
const size_t kBatchBytes = 32 * 1024;
const size_t kBufferBytes = 512 * 1024;
const int kSkipShift = 4;
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct LengthCodes {
    uint16_t code[kMaxMatch + 1];  // length -> symbol 257..285
    uint8_t extraBits[29];
    uint16_t base[29];
    LengthCodes()
    {
        const uint16_t bases[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        const uint8_t extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        for (int i = 0; i < 29; ++i) {
            base[i] = bases[i];
            extraBits[i] = extra[i];
            const int last = i == 28 ? 258 : i == 27 ? 257 : bases[i] + (1 << extra[i]) - 1;
            for (int length = bases[i]; length <= last; ++length) code[length] = uint16_t(257 + i);
        }
    }
};
const LengthCodes kLengths;

const uint32_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Every distance looks its code up, with no branch to mispredict: those
// up to 256 by distance - 1, the longer ones by (distance - 1) / 128, as
// each of their codes starts where distance - 1 is a multiple of 128.
inline uint32_t DistanceIndex(uint32_t distance)
{
    const uint32_t n = distance - 1;
    return n < 256 ? n : 256 + (n >> 7);
}

struct DistanceCodes {
    uint8_t code[512];
    DistanceCodes()
    {
        for (uint32_t c = 0; c < 30; ++c) {
            const uint32_t last = c == 29 ? uint32_t(kWindow) : kDistanceBase[c + 1] - 1;
            for (uint32_t distance = kDistanceBase[c]; distance <= last; ++distance) code[DistanceIndex(distance)] = uint8_t(c);
        }
    }
};
const DistanceCodes kDistanceCodes;

inline uint32_t DistanceCode(uint32_t distance) { return kDistanceCodes.code[DistanceIndex(distance)]; }

// Bits collect in a machine word that is stored whole after each symbol
// (Flush) and advanced by the whole bytes it held, into room made
// beforehand (Reserve): no test per field and no byte-by-byte push_back.
// The write position is a plain pointer, so that a copy of the sink in a
// function's locals stays in registers. A 32-bit build keeps a 32-bit word,
// as a 64-bit one would take register pairs and several instructions for
// every shift.
class BitSink {
public:
    using Word = size_t;
    // The most bits between two Flushes: 56 in 64 bits, 24 in 32.
    static const int kRoom = int(sizeof(Word)) * 8 - 8;

    explicit BitSink(std::vector<BYTE>& out) : m_pOut(&out), m_pAt(out.data() + out.size()) {}
    void Reserve(size_t bytes)
    {
        const size_t at = size_t(m_pAt - m_pOut->data());
        if (m_pOut->size() < at + bytes + 8) m_pOut->resize(at + bytes + 8);
        m_pAt = m_pOut->data() + at;
    }
    void Put(Word bits, int count)
    {
        m_nBuffer |= bits << m_nCount;
        m_nCount += count;
    }
    // Stores the whole bytes; at most 7 bits stay behind.
    void Flush()
    {
        std::memcpy(m_pAt, &m_nBuffer, sizeof m_nBuffer);  // little-endian, as on x86
        m_pAt += m_nCount >> 3;
        m_nBuffer >>= m_nCount & ~7;
        m_nCount &= 7;
    }
    std::vector<BYTE>& Out() const { return *m_pOut; }
    // Writes the last partial byte and trims the room left over.
    void Finish()
    {
        Flush();
        if (m_nCount) *m_pAt++ = BYTE(m_nBuffer);
        m_nCount = 0;
        m_pOut->resize(size_t(m_pAt - m_pOut->data()));
    }

private:
    std::vector<BYTE>* m_pOut;
    BYTE* m_pAt;
    Word m_nBuffer = 0;
    int m_nCount = 0;
};

// Unaligned little-endian loads (the program runs on x86 only).
inline uint32_t Load32(const BYTE* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline uint64_t Load64(const BYTE* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline uint32_t Hash3(uint32_t threeBytes) { return (threeBytes * 2654435761u) >> (32 - kHashBits); }

// Length of the common prefix of a and b, at most limit. Sixteen bytes a
// step while they agree: the long runs of flat areas cross at half the
// branches.
inline size_t MatchLength(const BYTE* a, const BYTE* b, size_t limit)
{
    size_t length = 0;
    while (length + 16 <= limit) {
        const uint64_t low = Load64(a + length) ^ Load64(b + length);
        const uint64_t high = Load64(a + length + 8) ^ Load64(b + length + 8);
        if (low | high)
            return length + (low ? size_t(LowestBit(low) >> 3) : 8 + size_t(LowestBit(high) >> 3));
        length += 16;
    }
    while (length + 8 <= limit) {
        const uint64_t difference = Load64(a + length) ^ Load64(b + length);
        if (difference) return length + size_t(LowestBit(difference) >> 3);
        length += 8;
    }
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

// Bytes in common at the start of two words, from their exclusive or.
inline size_t CommonBytes(uint64_t difference)
{
    return difference ? size_t(LowestBit(difference) >> 3) : 8;
}

// The longer match at i (limit bytes at most, at least 8) of the two
// candidates in slots, the more recent on a tie; lengths below three are
// no match. The first word of both is compared without a branch, as the
// outcome in noisy pictures cannot be predicted.
inline size_t LongestMatch(const BYTE* data, size_t i, size_t limit, const uint32_t* slots, uint32_t& distance)
{
    const uint64_t here = Load64(data + i);
    const size_t recent = slots[0], older = slots[1];
    // Distances 1..kWindow; position 0, where the table starts, may be i.
    size_t a = i - recent - 1 < kWindow ? CommonBytes(Load64(data + recent) ^ here) : 0;
    size_t b = i - older - 1 < kWindow ? CommonBytes(Load64(data + older) ^ here) : 0;
    if (a == 8) a += MatchLength(data + recent + 8, data + i + 8, limit - 8);
    if (b == 8) b += MatchLength(data + older + 8, data + i + 8, limit - 8);
    const bool useOlder = b > a;
    const size_t length = useOlder ? b : a;
    distance = uint32_t(i - (useOlder ? older : recent));
    return length >= 3 ? length : 0;
}

// The code lengths of both tables, run-length coded with symbols 16, 17
// and 18 (RFC 1951 3.2.7); each item is symbol | extra value << 8.
std::vector<uint32_t> RunLengthCodes(const uint8_t* lengths, int count)
{
    std::vector<uint32_t> items;
    for (int i = 0; i < count;) {
        const uint8_t value = lengths[i];
        int run = 1;
        while (i + run < count && lengths[i + run] == value) ++run;
        i += run;
        if (value == 0) {
            while (run >= 11) {
                const int n = run < 138 ? run : 138;
                items.push_back(18 | uint32_t(n - 11) << 8);
                run -= n;
            }
            if (run >= 3) {
                items.push_back(17 | uint32_t(run - 3) << 8);
                run = 0;
            }
        } else {
            items.push_back(value);
            --run;
            while (run >= 3) {
                const int n = run < 6 ? run : 6;
                items.push_back(16 | uint32_t(n - 3) << 8);
                run -= n;
            }
        }
        for (; run > 0; --run) items.push_back(value);
    }
    return items;
}

// A block's symbols and their frequencies, counted as they are found.
// Literals and matches are written out by one path, with no branch to
// mispredict where they mix. A symbol's low 10 bits index the table of
// literal and length fields (a literal byte, or 256 + match length), bits
// 10..25 hold the distance and the top bits its code, kNoDistance for a
// literal.
const uint32_t kNoDistance = 30;

struct Block {
    // Not zero-filled first: only the first count are read.
    std::unique_ptr<uint32_t[]> symbols{new uint32_t[kBlockSymbols]};
    size_t count = 0;
    uint32_t literalFreq[286] = {};
    uint32_t distanceFreq[30] = {};

    void Literal(BYTE value)
    {
        symbols[count++] = value | kNoDistance << 26;
        ++literalFreq[value];
    }
    void Match(uint32_t length, uint32_t distance)
    {
        const uint32_t code = DistanceCode(distance);
        symbols[count++] = (256 + length) | distance << 10 | code << 26;
        ++literalFreq[kLengths.code[length]];
        ++distanceFreq[code];
    }
    void Clear()
    {
        count = 0;
        std::memset(literalFreq, 0, sizeof literalFreq);
        std::memset(distanceFreq, 0, sizeof distanceFreq);
    }
};

void WriteBlock(BitSink& out, Block& block, bool last)
{
    out.Reserve(block.count * 6 + 512);  // a symbol takes at most 48 bits, the header 400 bytes
    BitSink sink = out;
    uint32_t* const literalFreq = block.literalFreq;
    const uint32_t* const distanceFreq = block.distanceFreq;
    literalFreq[256] = 1;
    uint8_t lengths[286 + 30];
    BuildCodeLengths(literalFreq, 286, 15, lengths);
    BuildCodeLengths(distanceFreq, 30, 15, lengths + 286);
    int literalCount = 286, distanceCount = 30;
    while (literalCount > 257 && !lengths[literalCount - 1]) --literalCount;
    while (distanceCount > 1 && !lengths[286 + distanceCount - 1]) --distanceCount;

    uint8_t packed[286 + 30];
    std::memcpy(packed, lengths, size_t(literalCount));
    std::memcpy(packed + literalCount, lengths + 286, size_t(distanceCount));
    const std::vector<uint32_t> items = RunLengthCodes(packed, literalCount + distanceCount);
    uint32_t itemFreq[19] = {};
    for (uint32_t item : items) ++itemFreq[item & 0xFF];
    uint8_t itemLengths[19];
    BuildCodeLengths(itemFreq, 19, 7, itemLengths);
    uint16_t itemCodes[19];
    BuildReversedCodes(itemLengths, 19, itemCodes);
    int codeLengthCount = 19;
    while (codeLengthCount > 4 && !itemLengths[kCodeLengthOrder[codeLengthCount - 1]]) --codeLengthCount;

    sink.Put(last ? 1 : 0, 1);
    sink.Put(2, 2);
    sink.Put(uint32_t(literalCount - 257), 5);
    sink.Put(uint32_t(distanceCount - 1), 5);
    sink.Put(uint32_t(codeLengthCount - 4), 4);
    sink.Flush();
    for (int i = 0; i < codeLengthCount; ++i) {
        sink.Put(itemLengths[kCodeLengthOrder[i]], 3);
        sink.Flush();
    }
    static const int kItemExtra[3] = {2, 3, 7};
    for (uint32_t item : items) {
        const uint32_t symbol = item & 0xFF;
        sink.Put(itemCodes[symbol], itemLengths[symbol]);
        if (symbol >= 16) sink.Put(item >> 8, kItemExtra[symbol - 16]);
        sink.Flush();
    }

    // Each literal's code, and each match length's code and extra bits, as
    // one field with its bit count in the top byte; each distance code's
    // code, code length and whole bit count (with the extra bits), the
    // unused code 30 none at all.
    uint16_t literalCodes[286], distanceCodes[30];
    BuildReversedCodes(lengths, 286, literalCodes);
    BuildReversedCodes(lengths + 286, 30, distanceCodes);
    uint32_t literalField[256 + kMaxMatch + 1];
    for (uint32_t s = 0; s < 256; ++s) literalField[s] = literalCodes[s] | uint32_t(lengths[s]) << 24;
    for (uint32_t length = 3; length <= kMaxMatch; ++length) {
        const int symbol = kLengths.code[length], l = symbol - 257;
        literalField[256 + length] = (literalCodes[symbol] | (length - kLengths.base[l]) << lengths[symbol]) |
                                     uint32_t(lengths[symbol] + kLengths.extraBits[l]) << 24;
    }
    uint32_t distanceField[31], distanceBase[31];
    for (uint32_t d = 0; d < 30; ++d) {
        distanceField[d] = distanceCodes[d] | uint32_t(lengths[286 + d]) << 16 |
                           uint32_t(lengths[286 + d] + kDistanceExtra[d]) << 24;
        distanceBase[d] = kDistanceBase[d];
    }
    distanceField[kNoDistance] = distanceBase[kNoDistance] = 0;
    const uint32_t* const symbols = block.symbols.get();
    const size_t count = block.count;
    if constexpr (BitSink::kRoom < 48) {
        // One symbol a step, as one field when it fits; a longer one has its
        // distance put apart, and split if need be (at most 28 bits).
        for (size_t i = 0; i < count; ++i) {
            const uint32_t s = symbols[i];
            const uint32_t first = literalField[s & 0x3FF], d = s >> 26, second = distanceField[d];
            const int firstCount = int(first >> 24), secondCount = int(second >> 24);
            uint32_t distance = (((s >> 10) & 0xFFFF) - distanceBase[d]) << ((second >> 16) & 0xFF) | (second & 0xFFFF);
            if (firstCount + secondCount <= BitSink::kRoom) {
                sink.Put((first & 0xFFFFFF) | distance << firstCount, firstCount + secondCount);
            } else {
                sink.Put(first & 0xFFFFFF, firstCount);
                sink.Flush();
                int distanceCount = secondCount;
                if (distanceCount > BitSink::kRoom) {
                    sink.Put(distance & 0xFFFF, 16);
                    sink.Flush();
                    distance >>= 16;
                    distanceCount -= 16;
                }
                sink.Put(distance, distanceCount);
            }
            sink.Flush();
        }
    } else {
        // A symbol's bits, and their count.
        auto bitsOf = [&](uint32_t s, int& bitCount) {
            const uint32_t first = literalField[s & 0x3FF], d = s >> 26, second = distanceField[d];
            const uint64_t distance = (((s >> 10) & 0xFFFF) - distanceBase[d]) << ((second >> 16) & 0xFF) |
                                      (second & 0xFFFF);
            bitCount = int((first >> 24) + (second >> 24));
            return (first & 0xFFFFFF) | distance << (first >> 24);
        };
        // Two symbols a step, put as one field when they fit (nearly
        // always): the sink's position, which each Put and Flush must wait
        // for, moves half as often.
        size_t i = 0;
        for (; i + 2 <= count; i += 2) {
            int firstCount, secondCount;
            const uint64_t first = bitsOf(symbols[i], firstCount), second = bitsOf(symbols[i + 1], secondCount);
            if (firstCount + secondCount <= BitSink::kRoom) {
                sink.Put(first | second << firstCount, firstCount + secondCount);
            } else {
                sink.Put(first, firstCount);
                sink.Flush();
                sink.Put(second, secondCount);
            }
            sink.Flush();
        }
        if (i < count) {
            int bitCount;
            const uint64_t bits = bitsOf(symbols[i], bitCount);
            sink.Put(bits, bitCount);
            sink.Flush();
        }
    }
    sink.Put(literalCodes[256], lengths[256]);
    sink.Flush();
    out = sink;
}
}

// Everything that lasts from one piece to the next.
struct ZlibDeflater::State {
    explicit State(std::vector<BYTE>& out) : sink(out) {}
    BitSink sink;
    // The data's last bytes, from the window before the next position to
    // code to the last byte appended.
    std::vector<BYTE> buffer = std::vector<BYTE>(kBufferBytes);
    size_t filled = 0;
    size_t next = 0;  // the first position not yet coded
    // Two slots per hash: the last position and the one before.
    // Positions start at 0, a candidate like any other: every candidate is
    // checked against the data.
    std::vector<uint32_t> head = std::vector<uint32_t>(size_t(2) << kHashBits, 0);
    Block block;
    // Literals in a row since the last match: past 16, positions are
    // skipped ever faster, as no match is likely in noise.
    size_t misses = 0;
    uint32_t adler = 1;
};

ZlibDeflater::ZlibDeflater(std::vector<BYTE>& out)
{
    out.push_back(0x78);
    out.push_back(0x01);
    m_pState.reset(new State(out));
}

ZlibDeflater::~ZlibDeflater() = default;

BYTE* ZlibDeflater::Room(size_t bytes)
{
    State& state = *m_pState;
    if (state.buffer.size() - state.filled < bytes) Slide(bytes);
    return state.buffer.data() + state.filled;
}

void ZlibDeflater::Append(size_t bytes)
{
    State& state = *m_pState;
    state.adler = UpdateAdler32(state.adler, state.buffer.data() + state.filled, bytes);
    state.filled += bytes;
    if (state.filled - state.next >= kBatchBytes) Compress(false);
}

void ZlibDeflater::Finish()
{
    Compress(true);
    State& state = *m_pState;
    WriteBlock(state.sink, state.block, true);
    state.sink.Finish();
    std::vector<BYTE>& out = state.sink.Out();
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(BYTE(state.adler >> shift));
}

// Drops what lies more than a window behind the next position to code,
// moving the rest to the front and the table's positions with it, and
// grows the buffer if that leaves too little room.
void ZlibDeflater::Slide(size_t bytes)
{
    State& state = *m_pState;
    Compress(false);
    const size_t drop = state.next > kWindow ? state.next - kWindow : 0;
    std::memmove(state.buffer.data(), state.buffer.data() + drop, state.filled - drop);
    state.filled -= drop;
    state.next -= drop;
    // Positions dropped become 0, a candidate that the data check refuses
    // or that is a true match. Written without a branch, so that it is
    // vectorised.
    const uint32_t dropped = uint32_t(drop);
    for (uint32_t& position : state.head) position = std::max(position, dropped) - dropped;
    if (state.buffer.size() - state.filled < bytes) state.buffer.resize(state.filled + bytes + kBatchBytes);
}

void ZlibDeflater::Compress(bool last)
{
    State& state = *m_pState;
    const BYTE* const data = state.buffer.data();
    const size_t end = state.filled;
    // Until the last piece, a position is coded only with a longest match
    // and a load's worth of bytes after it, so that the end of what has
    // been made cuts no match short.
    const size_t kLookahead = kMaxMatch + 8;
    if (!last && end < kLookahead) return;
    const size_t stop = last ? end : end - kLookahead;
    uint32_t* const head = state.head.data();
    Block& block = state.block;
    size_t misses = state.misses;
    size_t i = state.next;
    while (i < stop) {
        const size_t left = end - i;
        size_t length = 0;
        uint32_t distance = 0;
        // Eight bytes are loaded at once; the last few go out as literals.
        if (left >= 8) {
            uint32_t* slots = &head[size_t(Hash3(Load32(data + i) & 0xFFFFFF)) * 2];
            length = LongestMatch(data, i, left < kMaxMatch ? left : kMaxMatch, slots, distance);
            slots[1] = slots[0];
            slots[0] = uint32_t(i);
        }
        if (length == 3) {
            // The commonest match in noisy pictures, a pixel at a short
            // distance, on a path of its own: the branch is predicted, so
            // the next position's lookup starts without waiting for this
            // one's length. Its inner positions are not entered: in a
            // picture of 3-byte pixels they would only find matches out of
            // step with the pixels, and the table access costs more than
            // they save.
            block.Match(3, distance);
            i += 3;
            misses = 0;
        } else if (length > 3) {
            // The next position's slots are fetched while the match's last
            // position is entered: two cache misses in parallel.
            if (end - i - length >= 4) __builtin_prefetch(&head[size_t(Hash3(Load32(data + i + length) & 0xFFFFFF)) * 2]);
            block.Match(uint32_t(length), distance);
            // The match's last position keeps the table fresh for what follows.
            const size_t lastInMatch = i + length - 1;
            if (end - lastInMatch >= 4) {
                uint32_t* slots = &head[size_t(Hash3(Load32(data + lastInMatch) & 0xFFFFFF)) * 2];
                slots[1] = slots[0];
                slots[0] = uint32_t(lastInMatch);
            }
            i += length;
            misses = 0;
        } else {
            size_t run = 1 + (misses >> kSkipShift);
            if (run > left) run = left;
            if (run > kBlockSymbols - block.count) run = kBlockSymbols - block.count;
            for (size_t k = 0; k < run; ++k) block.Literal(data[i + k]);
            i += run;
            ++misses;
        }
        if (block.count == kBlockSymbols) {
            WriteBlock(state.sink, block, false);
            block.Clear();
        }
    }
    state.misses = misses;
    state.next = i;
}

void DeflateZlib(const BYTE* data, size_t size, std::vector<BYTE>& out)
{
    ZlibDeflater deflater(out);
    for (size_t at = 0; at < size;) {
        const size_t piece = size - at < kBatchBytes ? size - at : kBatchBytes;
        std::memcpy(deflater.Room(piece), data + at, piece);
        deflater.Append(piece);
        at += piece;
    }
    deflater.Finish();
}
