// BMP, DIB and RLE files: one reader for all three (uncompressed, RLE8 and
// RLE4 pixel data; 40-byte and larger information headers and the 12-byte
// core header), the plain writer and the run-length writer.
#pragma once

#include "../image/XImage.h"

#include <cstddef>

class XFileBmp {
public:
    explicit XFileBmp(XImage* image) : m_pImage(image) {}

    // Reads the whole file, then Decode.
    void ReadImage(const char* path);
    // Decodes a BMP file held in memory.
    void Decode(const BYTE* data, size_t size);

    // File header, header block and pixel block as held.
    void WriteImage(const char* path);
    // RLE8 for 8-bit and RLE4 for 4-bit images; 1- and 24-bit images go
    // through the plain writer.
    void WriteRleImage(const char* path);

private:
    bool CanWrite() const;
    void Fail(UINT id);

    XImage* m_pImage;
};
