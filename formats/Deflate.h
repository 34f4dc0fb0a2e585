// Compression into a zlib stream (RFC 1950 around RFC 1951 deflate data),
// one fixed fast setting built for screen content: a greedy match finder
// with two hash slots per three-byte string, and a dynamic Huffman block per
// run of symbols.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <memory>
#include <vector>

// Appends the zlib stream of data[0..size) to out.
void DeflateZlib(const BYTE* data, size_t size, std::vector<BYTE>& out);

// The same stream, for data made a piece at a time into one buffer: each
// piece is compressed and summed while it is still in the cache. The
// buffer holds every earlier byte in place, as matches reach back into
// them; a piece may be compressed only in part until the next arrives.
class ZlibDeflater {
public:
    // Appends the stream's header to out, which must outlive the deflater.
    explicit ZlibDeflater(std::vector<BYTE>& out);
    ~ZlibDeflater();
    // data[0..end) has been made; end never goes back.
    void Compress(const BYTE* data, size_t end);
    // Compresses the rest of data[0..size) and ends the stream.
    void Finish(const BYTE* data, size_t size);

private:
    struct State;
    void Run(const BYTE* data, size_t end, bool last);

    std::unique_ptr<State> m_pState;
};
