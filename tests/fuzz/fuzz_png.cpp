// libFuzzer target for the PNG reader and writer (see ImageFileFuzz.h).
#include "formats/XFilePng.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Headers that claim more than 64 MiB of pixels are valid up to 1 GiB
    // and only cost time under the sanitizers; the fuzzer spends its runs
    // elsewhere.
    if (size >= 24) {
        auto u32 = [&](size_t at) { return uint64_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]; };
        if (u32(16) * u32(20) > (8u << 20)) return 0;
    }
    return fuzz::ReadAndWriteBack<XFilePng>(data, size, "png");
}
