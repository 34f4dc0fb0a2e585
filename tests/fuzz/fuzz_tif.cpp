// libFuzzer target for the TIF reader, with a write-and-read-back of small
// images (see PcxTifFuzz.h).
#include "formats/XFileTif.h"

#include "PcxTifFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return pcxtif::FuzzOne<XFileTif>(data, size, "tif");
}
