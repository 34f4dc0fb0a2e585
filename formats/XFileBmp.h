// BMP, DIB and RLE files: one reader for all three (uncompressed, bit-field, RLE8 and
// RLE4 pixel data; 40-byte and larger information headers and the 12-byte
// core header), the plain writer and the run-length writer.
#pragma once

#include "ImageReader.h"
#include "XFileBmpDib.h"

class XFileBmp : public ImageReader<BmpError> {
public:
    // File header, header block and pixel block as held.
    Error WriteImage(const XImage& image, const char* path);
    // RLE8 for 8-bit and RLE4 for 4-bit images; 1- and 24-bit images go
    // through the plain writer.
    Error WriteRleImage(const XImage& image, const char* path);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
};
