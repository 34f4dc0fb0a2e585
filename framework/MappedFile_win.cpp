// MappedFile on Windows: a read-only section over the file and one view of
// all of it. The file is shared for reading and writing as the C library's
// fopen shares it, so a file that opens one way opens the other.
#include "MappedFile.h"

#include <cstdint>

namespace {
// A view of a file on a network share or a removable disk would fault if
// the medium went away while it is read; such files are read, not mapped.
bool OnFixedDisk(const char* path)
{
    char volume[MAX_PATH];
    return GetVolumePathNameA(path, volume, MAX_PATH) && GetDriveTypeA(volume) == DRIVE_FIXED;
}
}

bool MappedFile::Open(const char* path)
{
    Close();
    if (!OnFixedDisk(path)) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length;
    HANDLE section = nullptr;
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
        uint64_t(length.QuadPart) <= uint64_t(SIZE_MAX)) {
        section = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    }
    const void* view = section ? MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (section) CloseHandle(section);  // the view keeps the section
    if (!view) {
        CloseHandle(file);
        return false;
    }
    m_hFile = file;
    m_pView = view;
    m_nSize = size_t(length.QuadPart);
    return true;
}

void MappedFile::Close()
{
    if (m_pView) UnmapViewOfFile(m_pView);
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_pView = nullptr;
    m_nSize = 0;
}

bool MappedFile::ReadAt(size_t offset, BYTE* out, size_t bytes) const
{
    if (m_hFile == INVALID_HANDLE_VALUE || offset > m_nSize || m_nSize - offset < bytes) return false;
    while (bytes > 0) {
        // The offset travels in the OVERLAPPED block, so reads need no seek.
        OVERLAPPED at = {};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(uint64_t(offset) >> 32);
        const DWORD ask = bytes < 0x40000000 ? DWORD(bytes) : 0x40000000;
        DWORD got = 0;
        if (!ReadFile(m_hFile, out, ask, &got, &at) || got == 0) return false;
        out += got;
        offset += got;
        bytes -= got;
    }
    return true;
}
