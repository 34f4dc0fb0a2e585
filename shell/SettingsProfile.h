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

// The profile every reader and writer of Settings.h uses. The program sets
// the settings file at start-up; tests set their own. Not owned.
void SetSettingsProfile(SettingsProfile* profile);
SettingsProfile* CurrentSettingsProfile();
