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
    CloseHandle(file);  // the section keeps the file
    if (!section) return false;
    const void* view = MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(section);  // and the view keeps the section
    if (!view) return false;
    m_pView = view;
    m_nSize = size_t(length.QuadPart);
    return true;
}

void MappedFile::Close()
{
    if (m_pView) UnmapViewOfFile(m_pView);
    m_pView = nullptr;
    m_nSize = 0;
}
