// The settings file as a SettingsProfile: one section of a private-profile
// (INI) file, read and written only through the system's profile
// functions. Also the two folders the store needs, found without fixed
// path buffers.
#pragma once

#include "SettingsProfile.h"

#include <string>

class IniProfile : public SettingsProfile {
public:
    IniProfile(std::string path, std::string section) : m_strPath(std::move(path)), m_strSection(std::move(section)) {}

    std::string ReadText(const char* key) override;
    int ReadInt(const char* key, int fallback) override;
    void WriteText(const char* key, const std::string& value) override;

    const std::string& Path() const { return m_strPath; }
    // Drops the system's cached copy of the file, so a file deleted or
    // replaced behind the profile functions is read afresh.
    void Flush();

private:
    std::string m_strPath;
    std::string m_strSection;
};

// The Windows directory followed by a backslash and name.
std::string WindowsDirectoryFile(const char* name);
// The folder of the program file, without a trailing backslash.
std::string ProgramFolder();
