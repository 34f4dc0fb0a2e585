#include "File.h"

bool File::Open(const char* path, Mode mode)
{
    Close();
    m_bWriteFailed = false;
    m_fp = std::fopen(path, mode == ForReading ? "rb" : "wb");
    return m_fp != nullptr;
}

void File::Close()
{
    if (!m_fp) return;
    if (std::fclose(m_fp) != 0) m_bWriteFailed = true;
    m_fp = nullptr;
}

size_t File::Read(void* buffer, size_t bytes)
{
    if (!m_fp || bytes == 0) return 0;
    return std::fread(buffer, 1, bytes, m_fp);
}

void File::Write(const void* buffer, size_t bytes)
{
    if (!m_fp) {
        m_bWriteFailed = true;
        return;
    }
    if (bytes && std::fwrite(buffer, 1, bytes, m_fp) != bytes) m_bWriteFailed = true;
}

bool File::Seek(uint64_t offset)
{
    if (!m_fp || offset > uint64_t(INT64_MAX)) return false;
#ifdef _WIN32
    return _fseeki64(m_fp, int64_t(offset), SEEK_SET) == 0;
#else
    return fseeko(m_fp, off_t(offset), SEEK_SET) == 0;
#endif
}

uint64_t File::Position()
{
    if (!m_fp) return 0;
#ifdef _WIN32
    int64_t pos = _ftelli64(m_fp);
#else
    int64_t pos = ftello(m_fp);
#endif
    return pos < 0 ? 0 : uint64_t(pos);
}

uint64_t File::Length()
{
    if (!m_fp) return 0;
    uint64_t here = Position();
#ifdef _WIN32
    _fseeki64(m_fp, 0, SEEK_END);
#else
    fseeko(m_fp, 0, SEEK_END);
#endif
    uint64_t end = Position();
    Seek(here);
    return end;
}
