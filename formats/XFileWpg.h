// WPG version 1 reader and writer: one bitmap (record type 1) with a colour
// map, 1, 4 or 8 bits per pixel. Rows are run-length coded top row first
// with runs and literals of at most 127 bytes.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>

class XImage;

class XFileWpg {
public:
    explicit XFileWpg(XImage* image);

    // Reads the whole file, then Decode. Failure: no pixel block, and
    // m_nOriginId "Unsupported WPG file format." or "Insufficient memory!".
    void ReadImage(const char* path);
    // Refuses 24-bit images ("WPG format doesn't support 24-bit image...")
    // and images too large for the 16-bit size fields ("Unsupported WPG file
    // format.") before creating the file.
    void WriteImage(const char* path);
    // Decodes a file held in memory.
    void Decode(const BYTE* data, size_t size);

    // Codes one row of rowBytes bytes into out, which holds at least
    // 2 x rowBytes + 2 bytes; returns the coded length.
    static size_t EncodeRow(const BYTE* row, size_t rowBytes, BYTE* out);

private:
    bool ReadBitmap(const BYTE* body, size_t length);
    bool DecodeRows(const BYTE* codes, size_t length);
    void Fail(UINT id);

    XImage* m_pImage;
};
