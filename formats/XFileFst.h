// FST, the program's own format: a 16-byte header, the image's header block
// as held, the pixel data (as is for 24 bits, otherwise run-length coded
// with runs and literals of at most 127 bytes and a closing 0 byte) and the
// note text, so that an image and its notepad travel in one file.
#pragma once

#include "ImageReader.h"

#include <cstdint>

enum class FstError { None, Unsupported, OutOfMemory };

// The 16-byte FST header, all fields little-endian.
struct FstHeader {
    WORD magic;        // 0xFF01
    WORD width;
    WORD height;
    WORD bitCount;     // 1, 4, 8 or 24
    DWORD dataSize;    // D: pixel data bytes after the header block
    DWORD noteLength;  // N: note bytes after the pixel data, 0 = no note
};

class XFileFst : public ImageReader<FstError> {
public:
    static const size_t kHeaderSize = 16;
    static const WORD kMagic = 0xFF01;

    XFileFst();

    // Writes the image followed by noteLength bytes of note text (the
    // notepad's text, no terminator; none when noteLength is 0). An image
    // whose sizes do not fit the 16-bit header fields is refused before the
    // file is created.
    Error WriteImage(const XImage& image, const char* path, const char* note = nullptr, size_t noteLength = 0);

    // The header of the last decode, which reads no note (zero before).
    const FstHeader& Header() const { return m_header; }

    // Parses the first 16 bytes of a file; false when they are too few or the
    // magic is not 0xFF01.
    static bool ParseHeader(const BYTE* bytes, size_t size, FstHeader* header);
    // Where the note lies: 16 + header block size + D. False when the file
    // has no note, the bit count is unknown, or the note would pass fileLength.
    static bool LocateNote(const FstHeader& header, uint64_t fileLength, uint64_t* offset);
    // The note of the FST file at path in a new zero-filled global block of
    // N + 1 bytes (the caller owns it); null when the file has no usable note.
    static HGLOBAL ReadNote(const char* path);

    // Run-length codes size bytes into out, closing 0 byte included; returns
    // the coded length. out must hold 2 x size + 1 bytes.
    static size_t Encode(const BYTE* in, size_t size, BYTE* out);
    // Decodes coded bytes into out, never writing more than outSize bytes.
    static void DecodeRuns(const BYTE* in, size_t inSize, BYTE* out, size_t outSize);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;

    FstHeader m_header;
};
