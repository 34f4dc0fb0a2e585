// libFuzzer target for the GIF reader and writer (see ImageFileFuzz.h); odd
// input sizes write back interlaced, so the writer sees both row orders.
#include "formats/XFileGif.h"

#include "ImageFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XImage image;
    if (fuzz::Decodes<XFileGif>(image, data, size))
        fuzz::WritesBack<XFileGif>(image, "gif", [size](const XImage& i, const char* path) {
            return XFileGif().WriteImage(i, path, size & 1);
        });
    return 0;
}
