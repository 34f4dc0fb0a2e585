// Helpers of the settings tests and fuzz target: a settings profile in
// memory (the key texts in a map, cut to 255 characters on reading as the
// profile functions cut them, with the keys in the order they were
// written) and every key as the program writes it.
#pragma once

#include "settings/Settings.h"
#include "settings/SettingsParse.h"
#include "settings/SettingsProfile.h"

#include <map>
#include <string>
#include <vector>

class MapProfile : public SettingsProfile {
public:
    std::map<std::string, std::string> keys;
    std::vector<std::string> written;  // one entry per write, in order

    std::string ReadText(const char* key) override
    {
        auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second.substr(0, 255);
    }
    int ReadInt(const char* key, int fallback) override
    {
        auto it = keys.find(key);
        return it == keys.end() ? fallback : settings::ParseInt(it->second.c_str());
    }
    void WriteText(const char* key, const std::string& value) override
    {
        keys[key] = value;
        written.push_back(key);
    }
};

// Every key of options as the program writes it.
inline std::map<std::string, std::string> WriteEverything(const Options& options)
{
    Options copy = options;
    MapProfile out;
    for (const KeyEntry& entry : OptionTable(copy)) WriteKey(out, entry);
    return out.keys;
}
