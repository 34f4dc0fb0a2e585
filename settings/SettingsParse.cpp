// Value syntax of the settings file. The list reader mirrors the original
// strtok/atoi reading field for field, so files written by older versions
// read the same; the only departures are that overflow saturates and that
// a list of nothing but commas gives the defaults instead of an undefined
// first field.
#include "SettingsParse.h"

#include <climits>
#include <cstdio>
#include <vector>

namespace settings {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// strtok(text, ","): the start and length of each non-empty field.
struct Field {
    const char* start;
    size_t length;
};

std::vector<Field> SplitFields(const char* text, size_t maxFields)
{
    std::vector<Field> fields;
    const char* p = text;
    while (*p && fields.size() < maxFields) {
        while (*p == ',') ++p;
        if (!*p) break;
        const char* start = p;
        while (*p && *p != ',') ++p;
        fields.push_back({start, size_t(p - start)});
    }
    return fields;
}

// ParseInt on a field that is not terminated by a NUL but by a comma or
// the end of the field; atoi stops at the comma anyway.
int ParseField(const Field& field)
{
    return ParseInt(field.start);
}

}  // namespace

int ParseInt(const char* text)
{
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p++ - '0');
        if (value > int64_t(INT_MAX) + 1) value = int64_t(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return int(value);
}

int ReadIntList(const char* text, const int* defaults, int* values, int count)
{
    if (count <= 0) return 0;
    std::vector<Field> fields = SplitFields(text ? text : "", size_t(count));
    for (int i = 0; i < count; ++i)
        values[i] = size_t(i) < fields.size() ? ParseField(fields[size_t(i)]) : defaults[i];
    return int(fields.size());
}

std::string FormatIntList(const int* values, int count)
{
    std::string text;
    char number[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(number, sizeof number, "%d", values[i]);
        if (i) text += ',';
        text += number;
    }
    return text;
}

int SystemKeyFromFile(int fileValue)
{
    return fileValue == 1 ? -1 : fileValue;
}

int SystemKeyToFile(int state)
{
    return state < 0 ? 1 : 0;
}

void ReadFontValue(const char* text, int32_t missingHeight, FontValue* font)
{
    if (!text) text = "";
    std::vector<Field> fields = SplitFields(text, kFontNumbers);
    if (fields.empty()) {
        font->face = "Arial";
        font->numbers[0] = missingHeight;
        return;
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        int value = ParseField(fields[i]);
        font->numbers[i] = int(i) >= kFontFirstByteField ? (value & 0xFF) : value;
    }
    std::string face;
    if (fields.size() == size_t(kFontNumbers)) {
        const Field& last = fields.back();
        const char* p = last.start + last.length;
        while (*p == ',') ++p;
        face = p;
    }
    if (face.size() > kFaceNameMax) face.resize(kFaceNameMax);
    font->face = face.empty() ? "Arial" : face;
}

std::string FormatFontValue(const FontValue& font)
{
    std::string text;
    char number[16];
    for (int i = 0; i < kFontNumbers; ++i) {
        int value = i >= kFontFirstByteField ? (font.numbers[i] & 0xFF) : font.numbers[i];
        std::snprintf(number, sizeof number, "%d,", value);
        text += number;
    }
    text += font.face.substr(0, kFaceNameMax);
    return text;
}

std::string BareFileName(const std::string& name, const char* fallback)
{
    size_t cut = name.find_last_of("\\/:");
    std::string bare = cut == std::string::npos ? name : name.substr(cut + 1);
    if (bare.empty() || bare == "." || bare == "..") return fallback;
    return bare;
}

int ClampInt(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace settings
