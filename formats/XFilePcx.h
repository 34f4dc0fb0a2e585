// PCX reader and writer: 1, 4, 8 and 24 bits per pixel, run-length coded,
// planar for 4 bits (four 1-bit planes) and 24 bits (red, green, blue
// planes). Runs are at most 63 bytes; an 8-bit file carries its 256 colours
// in the last 769 bytes (0x0C and 768 bytes red, green, blue).
#pragma once

#include "ImageReader.h"

enum class PcxError { None, Unsupported, OutOfMemory };

class XFilePcx : public ImageReader<PcxError> {
public:
    static const size_t kHeaderSize = 128;

    XFilePcx();

    // Refuses an image whose sizes do not fit the 16-bit header fields before
    // it creates the file.
    Error WriteImage(const XImage& image, const char* path);

    // The resolution fields of written headers; the display size in pixels
    // by default (0, 0 where there is no display).
    void SetResolution(WORD horizontal, WORD vertical);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    static bool DecodeRows(XImage* image, const BYTE* data, size_t dataEnd, int bitsPerPlane, int planes,
                           size_t planeBytes);

    BYTE m_header[kHeaderSize];  // of the file being decoded
    WORD m_nResolutionX;
    WORD m_nResolutionY;
};
