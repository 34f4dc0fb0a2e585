// Decoding of a device-independent bitmap held in memory: information
// header (40 bytes or larger, or the 12-byte core form), colour table and
// pixel data, uncompressed or RLE. Shared by the BMP reader and the
// clipboard-file reader.
#pragma once

#include "../framework/MappedFile.h"
#include "../image/XImage.h"

#include <cstddef>
#include <cstdint>

// The errors of the BMP family's readers and writers (BMP, DIB, RLE, CLP).
enum class BmpError { None, Unsupported, OutOfMemory };

// Pixel data that starts right after the colour table (a packed DIB).
const uint64_t kBitsAfterTable = UINT64_MAX;

// dib points at the information header; bitsOffset is where the pixel data
// starts, counted from dib. Fills image (its blocks are replaced) with a
// normalised 40-byte header (16- and 32-bit pixels, BI_RGB or bit fields,
// become a 24-bit image), a full colour table (entries the file lacks are
// black) and bottom-up rows. Pixel data shorter than the image leaves the
// missing rows zero. On failure the image has no blocks. When dib lies in a
// mapped file's view, mapped is that file (see CopyFileBytes).
BmpError DecodeDib(const BYTE* dib, size_t size, uint64_t bitsOffset, XImage* image,
                   const MappedFile* mapped = nullptr);
