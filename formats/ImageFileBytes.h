// The whole content of an image file in memory, so that every reader can
// decode from memory (the same path the fuzzers and the open dialog's
// preview use). The file is mapped when it can be, which costs neither a
// copy nor an allocation; otherwise it is read into one movable global
// block, locked while the object lives and freed by its destructor. Both
// ways give the same bytes, and a file that cannot be mapped meets the same
// checks and errors as before mapping existed. An empty file loads as no
// bytes at all: Windows cannot lock a block of length 0, and "no bytes" is
// for the reader to refuse, not a shortage of memory.
#pragma once

#include "../framework/GlobalBlock.h"
#include "../framework/MappedFile.h"

#include <cstddef>
#include <cstdint>

// Little-endian fields of the file formats, read and written byte by byte
// (no alignment or host byte order assumed).
inline uint16_t LoadU16(const BYTE* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t LoadU32(const BYTE* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void StoreU16(BYTE* p, uint32_t v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}
inline void StoreU32(BYTE* p, uint32_t v)
{
    StoreU16(p, v);
    StoreU16(p + 2, v >> 16);
}

class ImageFileBytes {
public:
    enum Status { Loaded, CannotRead, OutOfMemory };

    ImageFileBytes() = default;
    ~ImageFileBytes();
    ImageFileBytes(const ImageFileBytes&) = delete;
    ImageFileBytes& operator=(const ImageFileBytes&) = delete;

    Status Load(const char* path);
    // Never null once loaded, even for an empty file.
    const BYTE* Data() const { return m_pData ? m_pData : &m_nNothing; }
    size_t Size() const { return m_nSize; }
    // The file behind Data when it is mapped, else null.
    const MappedFile* Mapped() const { return m_pData && m_pData == m_mapped.Data() ? &m_mapped : nullptr; }

private:
    void Unlock();

    MappedFile m_mapped;
    OwnedBlock m_block;
    const BYTE* m_pData = nullptr;
    size_t m_nSize = 0;
    BYTE m_nNothing = 0;
};
