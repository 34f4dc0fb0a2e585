#include "FileRuns.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
const size_t kChunk = 128 * 1024;
}

void CopyFileBytes(const MappedFile* mapped, const BYTE* from, BYTE* out, size_t count)
{
    if (mapped && mapped->ReadAt(size_t(from - mapped->Data()), out, count)) return;
    std::memcpy(out, from, count);
}

FileRuns::FileRuns(const BYTE* data, size_t size, const MappedFile* mapped)
    : m_pData(data), m_nSize(size), m_pMapped(mapped)
{
}

const BYTE* FileRuns::Get(size_t offset, size_t count)
{
    if (offset > m_nSize || m_nSize - offset < count) return nullptr;
    if (!m_pMapped) return m_pData + offset;
    if (offset >= m_nStart && offset - m_nStart <= m_nFilled && m_nFilled - (offset - m_nStart) >= count)
        return m_buffer.get() + (offset - m_nStart);
    const size_t fill = std::min(std::max(count, kChunk), m_nSize - offset);
    if (fill > m_nCapacity) {
        m_buffer.reset(new (std::nothrow) BYTE[fill]);
        m_nCapacity = m_buffer ? fill : 0;
    }
    m_nFilled = 0;
    // The view holds the same bytes, should the buffer or the read fail.
    if (!m_buffer || !m_pMapped->ReadAt(offset, m_buffer.get(), fill)) return m_pData + offset;
    m_nStart = offset;
    m_nFilled = fill;
    return m_buffer.get();
}
