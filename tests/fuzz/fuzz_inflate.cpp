// libFuzzer target for inflate and deflate alone. Inflating any input ends
// in an error or in output within the buffer, never in a crash, hang or
// read past the input; the first byte chooses the buffer size, so that
// output running past the end is reached often. Deflating the input and
// inflating the result gives the input back, whether it is deflated whole
// or a piece at a time (pieces of a size the first byte chooses).
#include "formats/Deflate.h"
#include "formats/Inflate.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    std::vector<BYTE> out(size_t(data[0]) << 8);
    // An exact-size copy of the input, so that reading past it is caught.
    const std::vector<BYTE> in(data + 1, data + size);
    size_t written = 0;
    InflateZlib(in.data(), in.size(), out.data(), out.size(), &written);
    if (written > out.size()) __builtin_trap();

    std::vector<BYTE> whole, pieces;
    DeflateZlib(in.data(), in.size(), whole);
    {
        ZlibDeflater deflater(pieces);
        const size_t piece = size_t(data[0]) * 5 + 1;
        for (size_t at = 0; at < in.size(); at += piece) {
            const size_t bytes = std::min(piece, in.size() - at);
            std::memcpy(deflater.Room(bytes), in.data() + at, bytes);
            deflater.Append(bytes);
        }
        deflater.Finish();
    }
    for (const std::vector<BYTE>* compressed : {&whole, &pieces}) {
        std::vector<BYTE> back(in.size() + 1);
        if (InflateZlib(compressed->data(), compressed->size(), back.data(), back.size(), &written) != InflateError::None ||
            written != in.size() || (!in.empty() && std::memcmp(back.data(), in.data(), in.size()) != 0))
            __builtin_trap();
    }
    return 0;
}
