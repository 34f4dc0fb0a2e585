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
// The state of a decode or encode lives in that call; two codecs may run at
// once.
#pragma once

#include "ImageReader.h"

#include <cstddef>
#include <vector>

class JpegByteSink;

// BelowEightBits: the writer's refusal of a 1- or 4-bit image.
enum class JpgError { None, Unsupported, OutOfMemory, BelowEightBits };

class XFileJpg : public ImageReader<JpgError> {
public:
    Error WriteImage(const XImage& image, const char* path);
    // Encodes into memory.
    Error Encode(const XImage& image, std::vector<BYTE>& out);

    enum { kQuality = 45 };

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    static Error DecodeScan(XImage* image, const BYTE* data, size_t size);
    static Error CanEncode(const XImage& image);
    static Error EncodeTo(const XImage& image, JpegByteSink& sink);
};
