// libFuzzer target for packed DIBs from the clipboard: any block ends in an
// image whose blocks have exactly the sizes of its width, height and bit
// count, or in "No bitmap in Clipboard." / "Insufficient memory!"; never in
// a crash or an overrun.
#include "image/XDocumentClipboard.h"

#include "resources/resource.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Claims far beyond the input only cost time; the block check refuses
    // them before any allocation, so they need no special care here.
    XImage image;
    bool ok = ReadPackedDib(data, size, &image);
    if (ok) {
        if (!image.m_hBits || !image.m_hInfo) std::abort();
        if (GlobalSize(image.m_hBits) != image.BitsSize() || GlobalSize(image.m_hInfo) != image.InfoSize())
            std::abort();
    } else if (image.m_hBits || (image.m_nOriginId != IDS_NO_BITMAP_IN_CLIPBOARD &&
                                 image.m_nOriginId != IDS_INSUFFICIENT_MEMORY)) {
        std::abort();
    }
    return 0;
}
