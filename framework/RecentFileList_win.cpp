// Recent-file list in the framework's profile: an INI file named after the
// program file (no folder, so the system keeps it in the Windows folder).
#include "RecentFileList.h"

#include <windows.h>

namespace {
const char kSection[] = "Recent File List";
}

void RecentFileList::ReadList(const std::string& profile)
{
    m_files.clear();
    for (size_t i = m_nCapacity; i-- > 0;) {
        char path[MAX_PATH] = {};
        std::string key = "File" + std::to_string(i + 1);
        GetPrivateProfileStringA(kSection, key.c_str(), "", path, sizeof path, profile.c_str());
        if (path[0]) Add(path);
    }
}

void RecentFileList::WriteList(const std::string& profile) const
{
    for (size_t i = 0; i < m_nCapacity; ++i) {
        std::string key = "File" + std::to_string(i + 1);
        WritePrivateProfileStringA(kSection, key.c_str(), i < m_files.size() ? m_files[i].c_str() : nullptr,
                                   profile.c_str());
    }
}
