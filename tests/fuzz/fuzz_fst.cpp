// libFuzzer target for the FST reader, with a write-and-read-back of small
// images (see PcxTifFuzz.h).
#include "formats/XFileFst.h"

#include "PcxTifFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return pcxtif::FuzzOne<XFileFst>(data, size, "fst");
}
