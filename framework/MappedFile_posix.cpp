// MappedFile on POSIX hosts (the tests, fuzzers and host tools).
#include "MappedFile.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

bool MappedFile::Open(const char* path)
{
    Close();
    const int fd = open(path, O_RDONLY);
    if (fd < 0) return false;
    struct stat info;
    void* view = MAP_FAILED;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        uint64_t(info.st_size) <= uint64_t(SIZE_MAX)) {
        view = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    }
    if (view == MAP_FAILED) {
        close(fd);
        return false;
    }
    m_nFd = fd;
    m_pView = view;
    m_nSize = size_t(info.st_size);
    return true;
}

void MappedFile::Close()
{
    if (m_pView) munmap(const_cast<void*>(m_pView), m_nSize);
    if (m_nFd >= 0) close(m_nFd);
    m_nFd = -1;
    m_pView = nullptr;
    m_nSize = 0;
}

bool MappedFile::ReadAt(size_t offset, BYTE* out, size_t bytes) const
{
    if (m_nFd < 0 || offset > m_nSize || m_nSize - offset < bytes) return false;
    while (bytes > 0) {
        const ssize_t got = pread(m_nFd, out, bytes, off_t(offset));
        if (got <= 0) return false;
        out += got;
        offset += size_t(got);
        bytes -= size_t(got);
    }
    return true;
}
