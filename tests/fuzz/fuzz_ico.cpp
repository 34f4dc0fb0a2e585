// libFuzzer target for the icon reader (see ImageFileFuzz.h).
#include "formats/XFileIco.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return fuzz::ReadOnly<XFileIco>(data, size); }
