// Compression into a zlib stream (RFC 1950 around RFC 1951 deflate data),
// one fixed fast setting built for screen content: a greedy match finder
// with two hash slots per three-byte string, and a dynamic Huffman block per
// run of symbols.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <vector>

// Appends the zlib stream of data[0..size) to out.
void DeflateZlib(const BYTE* data, size_t size, std::vector<BYTE>& out);
