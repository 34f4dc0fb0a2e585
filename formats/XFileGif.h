// GIF reader and writer (GIF87a and GIF89a documents).
//
// Reading takes the first image of a file: the logical screen gives the
// image's size, the image is decoded into its own rectangle of that screen
// (clipped to it) and the rest of the screen gets the background index. The
// colour table in force (local, else global) sets the bit count: 1 for two
// entries, 4 for up to 16, 8 for more. Extension blocks are skipped by their
// sub-block structure, so their contents never pass for an image.
//
// Writing produces a single-image GIF89a with a global table of 2, 16 or 256
// entries (packed byte 0x80, 0xB3, 0xF7), plain or interlaced. Images wider or
// taller than 65535 pixels (the fields are 16-bit) are refused before any file
// is created, as are bit counts other than 1, 4 and 8.
#pragma once

#include "ImageReader.h"

#include <cstddef>
#include <cstdint>

class GifLzwDecoder;

// TrueColorImage: the writer's refusal of a 24-bit image.
enum class GifError { None, Unsupported, OutOfMemory, TrueColorImage };

class XFileGif : public ImageReader<GifError> {
public:
    XFileGif();

    // Format index 6 (GIF Interlace Format) passes interlaced = true.
    Error WriteImage(const XImage& image, const char* path, bool interlaced = false);

    // Display row (from the top) of the index-th row stored in an interlaced
    // image of the given height: rows 0, 8, 16, ..., then 4, 12, ..., then
    // 2, 6, 10, ..., then 1, 3, 5, ....
    static int InterlacedRow(int index, int height);

private:
    // The image descriptor of the first image, in screen pixels.
    struct Frame {
        int left, top, width, height;
        bool interlaced;
        int minCodeSize;
    };

    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    Error DecodeFirstImage(const BYTE* data, size_t size);
    // Reads a colour table of 2^sizeBits entries into m_palette.
    bool ReadColorTable(const BYTE* data, size_t size, size_t& pos, int sizeBits);
    // Moves pos to just past the first image separator (0x2C).
    bool FindImageSeparator(const BYTE* data, size_t size, size_t& pos) const;
    void StoreColorTable();
    void FillBackground(BYTE* bits) const;
    Error DecodeRows(GifLzwDecoder& decoder, BYTE* bits) const;
    // Copies n decoded indices to screen row y from column x, masked to the
    // bit count; columns past the screen's right edge are dropped.
    void StorePixels(BYTE* bits, int y, int x, const BYTE* indices, size_t n) const;

    // Reader state for one decode.
    XImage* m_pImage;  // the image being filled, not owned
    int m_nTableBits;  // b: the colour table in force has 2^b entries
    BYTE m_nBackground;
    Frame m_frame;
    BYTE m_palette[3 * 256];  // red, green, blue per entry, file order
};
