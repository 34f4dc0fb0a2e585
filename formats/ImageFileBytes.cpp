#include "ImageFileBytes.h"

#include "../framework/File.h"

#include <cstdint>

ImageFileBytes::~ImageFileBytes() { Unlock(); }

void ImageFileBytes::Unlock()
{
    if (m_pData) GlobalUnlock(m_block.get());
    m_pData = nullptr;
    m_nSize = 0;
}

ImageFileBytes::Status ImageFileBytes::Load(const char* path)
{
    Unlock();
    m_block.reset();
    File file;
    if (!file.Open(path, File::ForReading)) return CannotRead;
    uint64_t length = file.Length();
    // A path that opens but cannot be read (a directory) reports a length
    // that means nothing; one byte tells before any allocation.
    BYTE first = 0;
    if (length > 0 && (file.Read(&first, 1) != 1 || !file.Seek(0))) return CannotRead;
    if (length == 0) return Loaded;
    if (length > uint64_t(SIZE_MAX) - 1) return OutOfMemory;
    if (!m_block.Allocate(size_t(length))) return OutOfMemory;
    m_pData = static_cast<BYTE*>(GlobalLock(m_block.get()));
    if (!m_pData) return OutOfMemory;
    m_nSize = file.Read(m_pData, size_t(length));
    if (m_nSize != length) {
        Unlock();
        return CannotRead;
    }
    return Loaded;
}
