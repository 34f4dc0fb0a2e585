// Quantisation by reciprocal multiplication and baseline Huffman coding.
// The quotient of a magnitude m < 2^16 by q < 2^15 is exactly
// (m * ceil(2^32 / q)) >> 32, because the error term stays below
// m * q / 2^32 < 1 / q of a unit; so no division runs per coefficient.
#include "JpegBlockCoder.h"

#include "JpegTables.h"

#include "../framework/LowestBit.h"

namespace {
inline int BitLength(uint32_t v) { return v ? 32 - __builtin_clz(v) : 0; }

// The size category of v and its size bits (v, or v - 1 when negative).
inline void Categorise(int v, int& size, uint32_t& bits)
{
    uint32_t magnitude = uint32_t(v < 0 ? -v : v);
    size = BitLength(magnitude);
    bits = uint32_t(v < 0 ? v - 1 : v) & ((1u << size) - 1);
}

// The same for a v known to be non-zero (every AC value coded), without
// the test for zero.
inline void CategoriseNonZero(int v, int& size, uint32_t& bits)
{
    uint32_t magnitude = uint32_t(v < 0 ? -v : v);
    size = 32 - __builtin_clz(magnitude);
    bits = uint32_t(v < 0 ? v - 1 : v) & ((1u << size) - 1);
}

// zigzagPosition[n]: where natural index n stands in zigzag order.
struct ZigzagPositions {
    BYTE of[64];
    ZigzagPositions()
    {
        for (int k = 0; k < 64; ++k) of[kJpegZigzag[k]] = BYTE(k);
    }
};
const ZigzagPositions zigzagPosition;
}

void JpegQuantTable::Build(const BYTE base[64], int quality)
{
    eightBit = ScaleJpegQuantTable(base, quality, value);
    for (int k = 0; k < 64; ++k) {
        reciprocal[k] = ((uint64_t(1) << 32) + value[k] - 1) / value[k];
        divisor[kJpegZigzag[k]] = float(value[k]);
        half[kJpegZigzag[k]] = int16_t(value[k] >> 1);
        zeroBelow[kJpegZigzag[k]] = int16_t(value[k] - (value[k] >> 1));
    }
}

uint64_t JpegZigzagMask(uint64_t naturalMask)
{
    uint64_t zigzag = 0;
    for (; naturalMask; naturalMask &= naturalMask - 1)
        zigzag |= uint64_t(1) << zigzagPosition.of[LowestBit(naturalMask)];
    return zigzag;
}

uint64_t JpegQuantizeBlock(const int16_t block[64], const JpegQuantTable& table, int16_t out[64])
{
    uint64_t nonZero = 0;
    for (int k = 0; k < 64; ++k) {
        int c = block[kJpegZigzag[k]];
        uint32_t magnitude = uint32_t(c < 0 ? -c : c) + (table.value[k] >> 1);
        int v = int((uint64_t(magnitude) * table.reciprocal[k]) >> 32);
        out[kJpegZigzag[k]] = int16_t(c < 0 ? -v : v);
        if (v) nonZero |= uint64_t(1) << k;
    }
    return nonZero;
}

JpegCodeWords::JpegCodeWords(const JpegHuffmanTable& table)
{
    for (int v = 0; v < 256; ++v) of[v] = uint32_t(table.CodeOf(v)) << 8 | table.SizeOf(v);
}

void JpegEncodeBlock(JpegBitWriter& out, const int16_t block[64], uint64_t nonZero, JpegComponentCoder& coder)
{
    JpegBitWriter::Accumulator held = out.Hold();
    int size;
    uint32_t bits;
    Categorise(int16_t(block[0] - coder.previousDc), size, bits);
    coder.previousDc = block[0];
    uint32_t word = coder.dc->of[size];
    out.Put(held, (word >> 8 << size) | bits, int(word & 0xFF) + size);

    const uint32_t* ac = coder.ac->of;
    nonZero &= ~uint64_t(1);
    int last = 0;
    while (nonZero) {
        int k = LowestBit(nonZero);
        nonZero &= nonZero - 1;
        int run = k - last - 1;
        last = k;
        for (; run >= 16; run -= 16) out.Put(held, ac[0xF0] >> 8, int(ac[0xF0] & 0xFF));
        CategoriseNonZero(block[kJpegZigzag[k]], size, bits);
        word = ac[run * 16 + size];
        out.Put(held, (word >> 8 << size) | bits, int(word & 0xFF) + size);
    }
    if (last != 63) out.Put(held, ac[0x00] >> 8, int(ac[0x00] & 0xFF));
    out.Release(held);
}
