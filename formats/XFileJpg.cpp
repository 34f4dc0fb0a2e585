// JPEG reading: JpegDecoder parses the file and decodes its scan straight
// into the image's pixel block.
#include "XFileJpg.h"

#include "JpegDecoder.h"
#include "../framework/GlobalBlock.h"

#include <new>

JpgError XFileJpg::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    try {
        return DecodeScan(image, data, size);
    } catch (const std::bad_alloc&) {
        return Error::OutOfMemory;
    }
}

JpgError XFileJpg::DecodeScan(XImage* image, const BYTE* data, size_t size)
{
    JpegDecoder decoder;
    if (!decoder.Start(data, size)) return Error::Unsupported;
    image->m_nWidth = decoder.Width();
    image->m_nHeight = decoder.Height();
    image->m_nBitCount = decoder.IsColour() ? 24 : 8;
    // The decoder writes every byte of the block, row padding included.
    if (!image->AllocateBlocksToOverwrite()) return Error::OutOfMemory;
    if (!decoder.IsColour()) image->SetGrayTable();

    LockedBlock<BYTE> bits(image->m_hBits);
    if (!bits) return Error::OutOfMemory;
    return decoder.DecodeInto(bits.get(), image->RowBytes()) ? Error::None : Error::Unsupported;
}
