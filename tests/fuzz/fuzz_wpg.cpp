// libFuzzer target for the WPG reader, with a write-and-read-back of small
// images (see PcxTifFuzz.h).
#include "formats/XFileWpg.h"

#include "PcxTifFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return pcxtif::FuzzOne<XFileWpg>(data, size, "wpg");
}
