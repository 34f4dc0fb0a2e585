// PNG reader and writer over our own inflate and deflate.
//
// Reading: every critical colour type and bit depth, interlaced or not.
// Palette images become 1-, 4- (from 2- and 4-bit) or 8-bit images with
// their table (entries the palette lacks are black); grey becomes 8-bit
// with the grey table, 1-bit grey a 1-bit black and white image; RGB
// becomes 24-bit. 16-bit samples are rounded to 8 bits, and alpha (an alpha
// channel or tRNS) is blended onto white. Ancillary chunks are skipped. A
// CRC or Adler-32 mismatch, data cut short, an inconsistent header or
// filter byte, image data of the wrong length and sizes above the 1 GiB
// limit all fail with Unsupported.
//
// Writing: 1-, 4- and 8-bit images as palette PNGs with their full table
// (filter None), 24-bit images as 8-bit RGB (filter Up), not interlaced,
// compressed by ZlibDeflater as the rows are filtered.
#pragma once

#include "ImageReader.h"

#include <cstddef>
#include <vector>

enum class PngError { None, Unsupported, OutOfMemory };

class XFilePng : public ImageReader<PngError> {
public:
    Error WriteImage(const XImage& image, const char* path);
    // Encodes into memory (out is replaced).
    Error Encode(const XImage& image, std::vector<BYTE>& out);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
};
