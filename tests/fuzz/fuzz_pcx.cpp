// libFuzzer target for the PCX reader, with a write-and-read-back of small
// images (see PcxTifFuzz.h).
#include "formats/XFilePcx.h"

#include "PcxTifFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return pcxtif::FuzzOne<XFilePcx>(data, size, "pcx");
}
