// TIFF reader and writer (TIFF 6.0 baseline, little-endian "II" files only).
// The reader takes the first directory: 1, 4, 8 bits with one sample or
// 8-bit red, green, blue, uncompressed, or PackBits for bilevel images, in
// either bit order (FillOrder 1 or 2). The writer writes uncompressed strips
// of about 8 KB (one strip for 1 bit).
#pragma once

#include "ImageReader.h"

#include <cstdint>

enum class TifError { None, Unsupported, OutOfMemory };

class XFileTif : public ImageReader<TifError> {
public:
    XFileTif();

    // Refuses an image wider or higher than the 16-bit size fields before
    // creating the file.
    Error WriteImage(const XImage& image, const char* path);

private:
    // One directory entry as it stands in the file.
    struct Entry {
        WORD type;
        uint32_t count;
        size_t valueAt;  // file offset of the 4-byte value field
    };

    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    bool ParseDirectory();
    bool ReadValue(const Entry& entry, uint32_t index, uint32_t* value) const;
    bool BuildColors();
    bool ReadStrips();

    // The image being filled (not owned), the file being decoded and the
    // fields taken from its directory.
    XImage* m_pImage;
    const BYTE* m_pData;
    size_t m_nSize;
    uint32_t m_nWidth;
    uint32_t m_nHeight;
    uint32_t m_nCompression;
    int m_nPhotometric;  // -1 when the directory lacks it
    uint32_t m_nSamples;
    uint32_t m_nRowsPerStrip;  // 0 when the directory lacks it
    uint32_t m_nPlanar;
    int m_nBitCount;
    bool m_bLowBitFirst;  // FillOrder 2: each data byte's bits stored in reverse
    Entry m_bitsPerSample;
    Entry m_stripOffsets;
    Entry m_colorMap;
};
