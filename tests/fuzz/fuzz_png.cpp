// libFuzzer target for the PNG reader and writer (see ImageFileFuzz.h).
// The CRC of every whole chunk is made right before decoding: otherwise
// almost every mutation ends at the first CRC check and the fuzzer never
// reaches the header, palette and pixel stages.
#include "formats/PngChunks.h"
#include "formats/XFilePng.h"

#include "ImageFileFuzz.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Headers that claim more than 8 megapixels are valid up to 1 GiB and
    // only cost time under the sanitizers; the fuzzer spends its runs
    // elsewhere.
    if (size >= 24 && uint64_t(LoadBigU32(data + 16)) * LoadBigU32(data + 20) > (8u << 20)) return 0;
    std::vector<BYTE> file(data, data + size);
    for (size_t at = 8; at + 12 <= size;) {
        const uint32_t length = LoadBigU32(&file[at]);
        if (length > size - at - 12) break;
        StoreBigU32(&file[at + 8 + length], UpdateCrc32(0, &file[at + 4], size_t(length) + 4));
        at += 12 + size_t(length);
    }
    return fuzz::ReadAndWriteBack<XFilePng>(file.data(), file.size(), "png");
}
