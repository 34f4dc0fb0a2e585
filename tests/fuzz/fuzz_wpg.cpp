// libFuzzer target for the WPG reader and writer (see ImageFileFuzz.h).
#include "formats/XFileWpg.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::ReadAndWriteBack<XFileWpg>(data, size, "wpg");
}
