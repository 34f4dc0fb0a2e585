// libFuzzer target for the TIFF reader and writer (see ImageFileFuzz.h).
#include "formats/XFileTif.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::ReadAndWriteBack<XFileTif>(data, size, "tif");
}
