// libFuzzer target for the PCX reader and writer (see ImageFileFuzz.h).
#include "formats/XFilePcx.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::ReadAndWriteBack<XFilePcx>(data, size, "pcx");
}
