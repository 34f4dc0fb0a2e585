// Date and time texts of the print macros (see DateTimeStyle.h).
#include "DateTimeStyle.h"

#include <cstdio>

namespace {

std::string Cut(const std::string& name, bool abbreviate)
{
    return abbreviate ? name.substr(0, 3) : name;
}

}  // namespace

bool LocalTimeOf(int64_t t, std::tm* local)
{
    std::time_t when = t == 0 ? std::time(nullptr) : std::time_t(t);
    // One user-interface thread: the shared result of localtime is safe here.
    const std::tm* converted = std::localtime(&when);
    if (!converted) return false;
    *local = *converted;
    return true;
}

std::string FormatTime(const std::tm& when, const DateTimeStyle& style)
{
    int hour = when.tm_hour;
    const char* suffix = nullptr;
    if (!style.hours24) {
        // 0 is 12 am, 1..11 am, 12 is 12 pm, 13..23 are 1..11 pm.
        bool pm = hour >= 12;
        if (hour > 12) hour -= 12;
        if (hour == 0) hour = 12;
        if (style.amPm) suffix = style.upperCase ? (pm ? "PM" : "AM") : (pm ? "pm" : "am");
    }
    char text[64];
    if (style.seconds)
        std::snprintf(text, sizeof text, "%d:%02d:%02d", hour, when.tm_min, when.tm_sec);
    else
        std::snprintf(text, sizeof text, "%d:%02d", hour, when.tm_min);
    std::string result = text;
    if (suffix) result += suffix;
    return result;
}

std::string FormatDate(const std::tm& when, const DateTimeStyle& style, const DateTimeNames& names)
{
    static const char kSeparators[] = {'/', '-', '.', ' '};
    int separatorIndex = style.separator >= 0 && style.separator <= 3 ? style.separator : 0;
    char sep = kSeparators[separatorIndex];
    bool noSeparator = separatorIndex == 3;

    int month = when.tm_mon + 1;
    int day = when.tm_mday;
    // tm_year counts from 1900. The two-digit year is taken modulo 100 so
    // that 2100 prints "00" rather than "100".
    int year = style.century ? when.tm_year + 1900 : ((when.tm_year % 100) + 100) % 100;

    char text[256];
    int order = style.dateOrder >= 0 && style.dateOrder <= 2 ? style.dateOrder : 0;
    if (!style.alphaMonth) {
        if (order == 2)
            std::snprintf(text, sizeof text, "%02d%c%d%c%d", year, sep, month, sep, day);
        else if (order == 1)
            std::snprintf(text, sizeof text, "%d%c%d%c%02d", day, sep, month, sep, year);
        else
            std::snprintf(text, sizeof text, "%d%c%d%c%02d", month, sep, day, sep, year);
    } else {
        std::string name = when.tm_mon >= 0 && when.tm_mon < 12 ? Cut(names.months[when.tm_mon], style.abbreviate) : "";
        // Names are short strings from the string table; snprintf cuts
        // anything that would not fit.
        if (order == 2)
            std::snprintf(text, sizeof text, "%02d%c%s%c%d", year, sep, name.c_str(), sep, day);
        else if (order == 1)
            std::snprintf(text, sizeof text, noSeparator ? "%d%c%s,%c%02d" : "%d%c%s%c%02d", day, sep, name.c_str(),
                          sep, year);
        else
            std::snprintf(text, sizeof text, noSeparator ? "%s%c%d,%c%02d" : "%s%c%d%c%02d", name.c_str(), sep, day,
                          sep, year);
    }
    std::string result = text;
    if (style.weekday && when.tm_wday >= 0 && when.tm_wday < 7)
        result = Cut(names.weekdays[when.tm_wday], style.abbreviate) + ", " + result;
    return result;
}
