// Adler-32 (RFC 1950 8.2), the checksum that ends every zlib stream.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// The checksum continued from adler over size bytes; start from 1.
uint32_t UpdateAdler32(uint32_t adler, const BYTE* data, size_t size);

inline uint32_t Adler32(const BYTE* data, size_t size) { return UpdateAdler32(1, data, size); }
