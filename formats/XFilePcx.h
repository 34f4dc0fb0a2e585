// PCX reader and writer: 1, 4, 8 and 24 bits per pixel, run-length coded,
// planar for 4 bits (four 1-bit planes) and 24 bits (red, green, blue
// planes). Runs are at most 63 bytes; an 8-bit file carries its 256 colours
// in the last 769 bytes (0x0C and 768 bytes red, green, blue).
#pragma once

#include "../framework/kernel.h"

class XImage;

class XFilePcx {
public:
    static const size_t kHeaderSize = 128;

    explicit XFilePcx(XImage* image);

    // Reads the whole file, then Decode. Failure: no pixel block, and
    // m_nOriginId "Unsupported PCX file format." or "Insufficient memory!".
    void ReadImage(const char* path);
    // Refuses an image whose sizes do not fit the 16-bit header fields before
    // it creates the file; a failed write sets "Unsupported PCX file format.".
    void WriteImage(const char* path);
    // Decodes a file held in memory.
    void Decode(const BYTE* data, size_t size);

    // The resolution fields of written headers; the display size in pixels
    // by default (0, 0 where there is no display).
    void SetResolution(WORD horizontal, WORD vertical);

private:
    bool DecodeRows(const BYTE* data, size_t dataEnd, int bitsPerPlane, int planes, size_t planeBytes);
    void Fail(UINT id);

    XImage* m_pImage;
    BYTE m_header[kHeaderSize];
    WORD m_nResolutionX;
    WORD m_nResolutionY;
};
