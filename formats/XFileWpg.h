// WPG version 1 reader and writer: one bitmap (record type 1) with a colour
// map, 1, 4 or 8 bits per pixel. Rows are run-length coded top row first
// with runs and literals of at most 127 bytes.
#pragma once

#include "ImageReader.h"

#include <cstdint>

// TrueColorImage: the writer's refusal of a 24-bit image.
enum class WpgError { None, Unsupported, OutOfMemory, TrueColorImage };

class XFileWpg : public ImageReader<WpgError> {
public:
    // Refuses 24-bit images (TrueColorImage) and images too large for the
    // 16-bit size fields (Unsupported) before creating the file.
    Error WriteImage(const XImage& image, const char* path);

    // Codes one row of rowBytes bytes into out, which holds at least
    // 2 x rowBytes + 2 bytes; returns the coded length.
    static size_t EncodeRow(const BYTE* row, size_t rowBytes, BYTE* out);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    static Error ReadBitmap(XImage* image, const BYTE* body, size_t length);
    static bool DecodeRows(XImage* image, const BYTE* codes, size_t length);
};
