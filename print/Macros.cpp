// Macro expansion of header, footer and notes texts (see Macros.h). Each
// row replaces one occurrence at most, so "$res $res" keeps its second
// "$res"; because the long form is searched first, "$resolution" is never
// read as "$res" followed by "olution". The result is built in a
// std::string, so no number of macros and no length of file name can
// overrun anything.
#include "Macros.h"

#include <cstdio>

const PrintMacro kPrintMacros[6] = {
    {"$printdate", "$pdate"}, {"$printtime", "$ptime"}, {"$filedate", "$fdate"},
    {"$filetime", "$ftime"},  {"$filename", "$fname"},  {"$resolution", "$res"},
};

namespace {

// ASCII only, so that every byte keeps its position and no locale or
// negative char reaches the C library.
std::string LowerAscii(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return lower;
}

std::string MacroValue(int row, const MacroSource& source, const DateTimeStyle& style, const DateTimeNames& names)
{
    switch (row) {
    case 0: return FormatDate(source.printTime, style, names);
    case 1: return FormatTime(source.printTime, style);
    case 2: return FormatDate(source.fileTime, style, names);
    case 3: return FormatTime(source.fileTime, style);
    case 4: return source.fileName;
    default: {
        char text[64];
        std::snprintf(text, sizeof text, "%ldw x %ldh", source.width, source.height);
        return text;
    }
    }
}

}  // namespace

std::string ExpandMacros(const std::string& text, const MacroSource& source, const DateTimeStyle& style,
                         const DateTimeNames& names)
{
    std::string result = text;
    for (int row = 0; row < 6; ++row) {
        // The print date and time need no image; every other row does.
        if (row >= 2 && !source.hasImage) break;
        std::string lower = LowerAscii(result);
        std::string macro = kPrintMacros[row].longForm;
        size_t found = lower.find(macro);
        if (found == std::string::npos) {
            macro = kPrintMacros[row].shortForm;
            found = lower.find(macro);
        }
        if (found == std::string::npos) continue;
        result = result.substr(0, found) + MacroValue(row, source, style, names) + result.substr(found + macro.size());
    }
    return result;
}
