// The index of the lowest set bit of a 64-bit word. A 32-bit build would
// call a library routine for __builtin_ctzll; two 32-bit scans stay inline.
#pragma once

#include <cstdint>

// mask is not zero.
inline int LowestBit(uint64_t mask)
{
    if (sizeof(void*) == 8) return __builtin_ctzll(mask);
    const uint32_t low = uint32_t(mask);
    return low ? __builtin_ctz(low) : 32 + __builtin_ctz(uint32_t(mask >> 32));
}
