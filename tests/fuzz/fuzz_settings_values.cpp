// Settings values are ordinary input: any text a settings file can hold
// must read without a crash under every key of the key table, and what the
// store writes must read back to the same values (read -> write -> read ->
// write gives the bytes of the first write).
#include "settings/Settings.h"
#include "tests/settings/SettingsTestSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// Every key holds the same text.
class OneTextProfile : public SettingsProfile {
public:
    explicit OneTextProfile(std::string text) : m_text(std::move(text)) {}
    std::string ReadText(const char*) override { return m_text; }
    int ReadInt(const char*, int fallback) override { return m_text.empty() ? fallback : settings::ParseInt(m_text.c_str()); }
    void WriteText(const char*, const std::string&) override {}

private:
    std::string m_text;
};

void Load(SettingsProfile& profile, Options& options, const SystemDefaults& system)
{
    ReadModeSessionMenu(profile, options);
    ReadAllKeys(profile, options, system);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The profile functions hand over at most 255 characters, NUL-free.
    std::string text(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
    text = text.c_str();

    static const int kDefaults[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    int values[13];
    settings::ReadIntList(text.c_str(), kDefaults, values, 13);
    const std::string listed = settings::FormatIntList(values, 13);
    int again[13];
    settings::ReadIntList(listed.c_str(), kDefaults, again, 13);
    for (int i = 0; i < 13; ++i)
        if (again[i] != values[i]) std::abort();

    static const SystemDefaults system = [] {
        SystemDefaults facts;
        facts.screenWidth = 640;
        facts.screenHeight = 480;
        facts.programFolder = "C:\\Kestrel";
        return facts;
    }();
    static const Options defaults = DefaultOptions(system);
    OneTextProfile hostile(text);
    Options once = defaults;
    Load(hostile, once, system);
    for (const settings::FontValue* font : {&once.fonts.note, &once.fonts.header, &once.fonts.footer})
        if (font->face.empty() || font->face.size() > settings::kFaceNameMax) std::abort();
    if (once.files.fileNameDirect.find_first_of("\\/:") != std::string::npos) std::abort();

    MapProfile written;
    written.keys = WriteEverything(once);
    Options twice = defaults;
    Load(written, twice, system);
    if (WriteEverything(twice) != written.keys) std::abort();
    return 0;
}
