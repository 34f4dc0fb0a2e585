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

// The same stream, for data made a piece at a time: each piece is written
// straight into the deflater's own buffer, and compressed and summed a
// batch at a time while it is still in the cache. The buffer keeps the
// last 32 KiB that matches reach back into, and the pieces not yet
// compressed, so that it stays small whatever the length of the data.
class ZlibDeflater {
public:
    // Appends the stream's header to out, which must outlive the deflater.
    explicit ZlibDeflater(std::vector<BYTE>& out);
    ~ZlibDeflater();
    // Where the next bytes go: room for bytes of them, valid until Append.
    BYTE* Room(size_t bytes);
    // Takes the bytes written into Room as the next of the data.
    void Append(size_t bytes);
    // Compresses the rest and ends the stream.
    void Finish();

private:
    struct State;
    void Compress(bool last);
    void Slide(size_t bytes);

    std::unique_ptr<State> m_pState;
};
