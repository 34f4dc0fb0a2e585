// CRC-32 (the ISO 3309 polynomial, as in zlib and PNG).
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

// The CRC continued from crc over size bytes; start from 0.
uint32_t UpdateCrc32(uint32_t crc, const BYTE* data, size_t size);
