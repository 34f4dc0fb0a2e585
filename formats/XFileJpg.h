// Baseline JPEG (JFIF) reader and writer.
//
// Reading: 8-bit baseline sequential files with one component (read as an
// 8-bit image with a grey colour table) or three (YCbCr, read as 24-bit),
// any sampling up to 10 blocks per MCU whose factors divide the largest,
// with restart intervals. Everything else fails with "Unsupported JPG file
// format.". Output is bit-exact to the fixed-point pipeline of JpegIdct and
// JpegColor with upsampling by replication.
//
// Writing: 8- and 24-bit images at quality 45 with the Annex K tables,
// colour as 4:2:0, grey-palette 8-bit images as one component.
//
// All state lives in the object; two codecs may run at once.
#pragma once

#include "../framework/kernel.h"
#include "../image/XImage.h"

#include <cstddef>
#include <vector>

class JpegByteSink;

class XFileJpg {
public:
    explicit XFileJpg(XImage* image);

    // Reads the whole file, then Decode.
    void ReadImage(const char* path);
    void WriteImage(const char* path);
    // Decodes a file held in memory (fuzzers and previews use this too).
    void Decode(const BYTE* data, size_t size);
    // Encodes into memory; false (with m_nOriginId set) when refused.
    bool Encode(std::vector<BYTE>& out);

    enum { kQuality = 45 };

private:
    bool DecodeScan(const BYTE* data, size_t size);
    bool CanEncode();
    bool EncodeTo(JpegByteSink& sink);

    XImage* m_pImage;
};
