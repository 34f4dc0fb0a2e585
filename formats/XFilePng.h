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
#pragma once

#include "ImageReader.h"

#include <cstddef>

enum class PngError { None, Unsupported, OutOfMemory };

class XFilePng : public ImageReader<PngError> {
private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
};
