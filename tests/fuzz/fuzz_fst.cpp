// libFuzzer target for the FST reader and writer (see ImageFileFuzz.h).
#include "formats/XFileFst.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::ReadAndWriteBack<XFileFst>(data, size, "fst");
}
