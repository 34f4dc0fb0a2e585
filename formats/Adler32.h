// Adler-32 (RFC 1950 8.2), the checksum that ends every zlib stream.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

inline uint32_t Adler32(const BYTE* data, size_t size)
{
    uint32_t a = 1, b = 0;
    size_t i = 0;
    while (i < size) {
        // 5552 bytes keep b below 2^32 before the reduction.
        const size_t end = size - i > 5552 ? i + 5552 : size;
        for (; i < end; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return b << 16 | a;
}
