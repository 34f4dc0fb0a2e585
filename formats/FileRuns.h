// Pixel data of a mapped file, read through the system rather than taken
// from the view: each page of a view has to be mapped in and out again,
// which costs more than the copy. Bytes that go to the image unchanged are
// copied straight into it; runs a decoder transforms (FileRuns) pass through
// a buffer of about 128 KB, still in the processor's cache when the decoder
// reads it. Without a mapped file, or without memory for the buffer, the
// bytes come straight from memory.
#pragma once

#include "../framework/MappedFile.h"

#include <cstddef>
#include <memory>

// Copies count bytes starting at from, a pointer into mapped's view, through
// the system straight into out; with no mapped file (or should the read
// fail) from memory.
void CopyFileBytes(const MappedFile* mapped, const BYTE* from, BYTE* out, size_t count);

class FileRuns {
public:
    // data and size are the whole file; mapped is the file behind them, or null.
    FileRuns(const BYTE* data, size_t size, const MappedFile* mapped);

    // The count bytes at offset, valid until the next call; null when they
    // pass the end of the file.
    const BYTE* Get(size_t offset, size_t count);

private:
    const BYTE* m_pData;
    size_t m_nSize;
    const MappedFile* m_pMapped;
    std::unique_ptr<BYTE[]> m_buffer;
    size_t m_nCapacity = 0;
    size_t m_nStart = 0;  // the buffer holds the file's bytes from m_nStart
    size_t m_nFilled = 0;
};
