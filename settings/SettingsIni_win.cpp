// Profile access for the settings store. Values are at most 255
// characters (the profile functions cut longer ones); paths grow their
// buffers until the system's answer fits.
#include "SettingsIni_win.h"

#include <windows.h>

#include <vector>

std::string IniProfile::ReadText(const char* key)
{
    char buffer[256];
    DWORD length = GetPrivateProfileStringA(m_strSection.c_str(), key, "", buffer, sizeof buffer, m_strPath.c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

int IniProfile::ReadInt(const char* key, int fallback)
{
    return int(GetPrivateProfileIntA(m_strSection.c_str(), key, fallback, m_strPath.c_str()));
}

void IniProfile::WriteText(const char* key, const std::string& value)
{
    WritePrivateProfileStringA(m_strSection.c_str(), key, value.c_str(), m_strPath.c_str());
}

void IniProfile::Flush()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strPath.c_str());
}

std::string WindowsDirectoryFile(const char* name)
{
    std::vector<char> buffer(MAX_PATH);
    UINT length = GetWindowsDirectoryA(buffer.data(), UINT(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(size_t(length) + 1);
        length = GetWindowsDirectoryA(buffer.data(), UINT(buffer.size()));
    }
    if (length >= buffer.size()) length = 0;
    std::string path(buffer.data(), length);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + name;
}

std::string ProgramFolder()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            size_t cut = path.find_last_of('\\');
            return cut == std::string::npos ? std::string() : path.substr(0, cut);
        }
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}
