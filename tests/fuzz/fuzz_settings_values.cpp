// Settings values are ordinary input: any text a settings file can hold
// must read without a crash, and the numbers and face name read back must
// be stable when written and read again.
#include "shell/SettingsParse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The profile functions hand over at most 255 characters, NUL-free.
    std::string text(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
    text = text.c_str();

    static const int kDefaults[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    int values[13];
    settings::ReadIntList(text.c_str(), kDefaults, values, 13);
    const std::string written = settings::FormatIntList(values, 13);
    int again[13];
    settings::ReadIntList(written.c_str(), kDefaults, again, 13);
    for (int i = 0; i < 13; ++i)
        if (again[i] != values[i]) std::abort();

    int states[4];
    settings::ReadSystemKey(text.c_str(), states);
    settings::FormatSystemKey(states);

    settings::FontValue font;
    settings::ReadFontValue(text.c_str(), -13, &font);
    if (font.face.empty() || font.face.size() > settings::kFaceNameMax) std::abort();
    settings::FontValue back;
    settings::ReadFontValue(settings::FormatFontValue(font).c_str(), -13, &back);
    for (int i = 0; i < settings::kFontNumbers; ++i)
        if (back.numbers[i] != (i >= settings::kFontFirstByteField ? (font.numbers[i] & 0xFF) : font.numbers[i]))
            std::abort();

    settings::BareFileName(text, "SHOT0000.BMP");
    return 0;
}
