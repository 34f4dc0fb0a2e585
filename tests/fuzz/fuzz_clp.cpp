// libFuzzer target for the clipboard-file reader (see ImageFileFuzz.h).
#include "formats/XFileClp.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return fuzz::ReadOnly<XFileClp>(data, size); }
