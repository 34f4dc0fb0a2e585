// A whole file mapped read-only into memory, unmapped by the destructor.
// Reading a file this way costs no copy and no allocation: the pages come
// straight from the system's file cache. Only regular, non-empty files that
// fit the address space (on Windows, on a fixed disk) are mapped; for
// anything else Open says no and the caller reads the file the ordinary way. Windows keeps a mapped file from
// being truncated, so the bytes stay readable while the view lives.
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

private:
    const void* m_pView = nullptr;
    size_t m_nSize = 0;
};
