// libFuzzer target for inflate alone: any input ends in an error or in
// output within the buffer, never in a crash, hang or read past the input.
// The first byte chooses the buffer size, so that output running past the
// end is reached often.
#include "formats/Inflate.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    std::vector<BYTE> out(size_t(data[0]) << 8);
    // An exact-size copy of the input, so that reading past it is caught.
    const std::vector<BYTE> in(data + 1, data + size);
    size_t written = 0;
    const InflateError error = InflateZlib(in.data(), in.size(), out.data(), out.size(), &written);
    if (written > out.size() || (error == InflateError::None && written == 0 && in.size() < 8)) __builtin_trap();
    return 0;
}
