// Where the settings store reads and writes its keys: one section of a
// private-profile (INI) file in the program, an in-memory map in the
// native tests. Values are the raw key texts; a missing key reads as "".
#pragma once

#include <string>

class SettingsProfile {
public:
    virtual ~SettingsProfile() = default;
    // The key's text, at most 255 characters; "" when the key is missing.
    virtual std::string ReadText(const char* key) = 0;
    // The key as an integer, fallback when it is missing.
    virtual int ReadInt(const char* key, int fallback) = 0;
    virtual void WriteText(const char* key, const std::string& value) = 0;
};

// A profile without keys: every read gives the fallback, writes are
// dropped. Reading every key from it gives the defaults.
class NullProfile : public SettingsProfile {
public:
    std::string ReadText(const char*) override { return std::string(); }
    int ReadInt(const char*, int fallback) override { return fallback; }
    void WriteText(const char*, const std::string&) override {}
};
