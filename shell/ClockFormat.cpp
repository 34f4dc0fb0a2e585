// Clock texts. The 12-hour rules: hour 0 is 12 am, hour 12 is 12 pm and
// 13..23 are 1..11 pm. Two-digit years are the year modulo 100, so 2026
// and 2126 both give 26 and a year before 1900 never shows a minus sign.
#include "ClockFormat.h"

#include <cctype>
#include <cstdio>

ClockFormat ClockFormatOf(const ClockOptions& options)
{
    ClockFormat format;
    format.hourFormat = options.hourFormat;
    format.seconds = options.seconds != FALSE;
    format.amPm = options.amPm != FALSE;
    format.upperCase = options.upperCase != FALSE;
    format.dateOrder = options.dateOrder;
    format.separator = options.separator;
    format.century = options.century != FALSE;
    return format;
}

ClockTexts FormatTimeAndDate(const ClockFormat& format, const std::tm& when)
{
    bool twelveHour = format.hourFormat == 0;
    int hour = when.tm_hour;
    std::string suffix = hour < 12 ? "am" : "pm";
    if (twelveHour) {
        if (hour > 12) hour -= 12;
        if (hour == 0) hour = 12;
    }
    if (format.upperCase)
        for (char& c : suffix) c = char(std::toupper(static_cast<unsigned char>(c)));

    ClockTexts texts;
    char text[80];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", hour, when.tm_min, when.tm_sec);
    texts.time = text;
    if (!format.seconds) texts.time.resize(texts.time.size() - 3);
    if (twelveHour && format.amPm) texts.time += suffix;

    static const char kSeparators[] = {'/', '-', '.'};
    char separator = format.separator >= 0 && format.separator <= 2 ? kSeparators[format.separator] : '/';
    // In 64 bits: tm_year + 1900 overflows int for the largest years
    // std::localtime accepts.
    long long year = format.century ? 1900LL + when.tm_year : (when.tm_year % 100 + 100) % 100;
    int month = when.tm_mon + 1;
    switch (format.dateOrder) {
    case 1:
        std::snprintf(text, sizeof text, "%d%c%d%c%02lld", when.tm_mday, separator, month, separator, year);
        break;
    case 2:
        std::snprintf(text, sizeof text, "%02lld%c%d%c%d", year, separator, month, separator, when.tm_mday);
        break;
    default:
        std::snprintf(text, sizeof text, "%d%c%d%c%02lld", month, separator, when.tm_mday, separator, year);
        break;
    }
    texts.date = text;
    return texts;
}

ClockTexts FormatLocalTimeAndDate(const ClockFormat& format, int64_t stamp)
{
    std::time_t t = std::time_t(stamp);
    if (int64_t(t) != stamp) return ClockTexts();
    // The user-interface thread is the only caller, so the shared result
    // of std::localtime is safe to read here.
    const std::tm* local = std::localtime(&t);
    if (!local) return ClockTexts();
    return FormatTimeAndDate(format, *local);
}

std::string TitleClockText(bool showTime, bool showDate, const ClockTexts& texts)
{
    if (showTime && showDate) return texts.time.empty() ? std::string() : texts.time + " " + texts.date;
    if (showTime) return texts.time;
    if (showDate) return texts.date;
    return std::string();
}
