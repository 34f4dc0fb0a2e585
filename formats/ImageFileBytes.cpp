#include "ImageFileBytes.h"

#include "../framework/File.h"

#include <cstdint>

ImageFileBytes::~ImageFileBytes() { Unlock(); }

void ImageFileBytes::Unlock()
{
    if (m_pData && m_block.get()) GlobalUnlock(m_block.get());
    m_pData = nullptr;
    m_nSize = 0;
}

ImageFileBytes::Status ImageFileBytes::Load(const char* path)
{
    Unlock();
    m_block.reset();
    m_mapped.Close();
    if (m_mapped.Open(path)) {
        m_pData = m_mapped.Data();
        m_nSize = m_mapped.Size();
        return Loaded;
    }
    File file;
    if (!file.Open(path, File::ForReading)) return CannotRead;
    uint64_t length = file.Length();
    // A path that opens but cannot be read (a directory) reports a length
    // that means nothing; one byte tells before any allocation.
    BYTE first = 0;
    if (length > 0 && (file.Read(&first, 1) != 1 || !file.Seek(0))) return CannotRead;
    if (length == 0) return Loaded;
    if (length > uint64_t(SIZE_MAX) - 1) return OutOfMemory;
    // Not zero-filled: the read below fills it or the load fails.
    if (!m_block.Allocate(size_t(length), GMEM_MOVEABLE)) return OutOfMemory;
    BYTE* block = static_cast<BYTE*>(GlobalLock(m_block.get()));
    if (!block) return OutOfMemory;
    m_pData = block;
    m_nSize = file.Read(block, size_t(length));
    if (m_nSize != length) {
        Unlock();
        return CannotRead;
    }
    return Loaded;
}
