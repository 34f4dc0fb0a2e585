// A whole file mapped read-only into memory, unmapped by the destructor.
// Reading a file this way costs no copy and no allocation: the pages come
// straight from the system's file cache. Only regular, non-empty files that
// fit the address space (on Windows, on a fixed disk) are mapped; for
// anything else Open says no and the caller reads the file the ordinary way. Windows keeps a mapped file from
// being truncated, so the bytes stay readable while the view lives. The file
// stays open with the view, for ReadAt.
#pragma once

#include "kernel.h"

#include <cstddef>

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile() { Close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Open(const char* path);
    void Close();
    const BYTE* Data() const { return static_cast<const BYTE*>(m_pView); }
    size_t Size() const { return m_nSize; }
    // Copies bytes of the file through the system instead of the view: for a
    // long run read once, cheaper than mapping each page of the view in and
    // out. False when the run passes the end or the read fails.
    bool ReadAt(size_t offset, BYTE* out, size_t bytes) const;

private:
    const void* m_pView = nullptr;
    size_t m_nSize = 0;
#ifdef _WIN32
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
#else
    int m_nFd = -1;
#endif
};
