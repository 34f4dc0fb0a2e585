// Status pane texts and the clock's time and date formats.
#include "XMainFramePanes.h"

#include <cctype>
#include <cstdio>

std::string SizePaneText(int width, int height)
{
    char text[64];
    std::snprintf(text, sizeof text, "%dw x %dh", width, height);
    return text;
}

std::string ColorsPaneText(int bitCount, unsigned colorCount)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d-bit, ", bitCount);
    std::string result = text;
    if (colorCount == 0) return result + "16.8M colors";
    std::snprintf(text, sizeof text, "%u colors", colorCount);
    return result + text;
}

std::string CountPaneText(int documents)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d", documents);
    return text;
}

void FormatClockTexts(const ClockOptions& options, const std::tm& when, std::string* time, std::string* date)
{
    int hour = when.tm_hour;
    std::string suffix;
    if (options.hourFormat == 0) {
        // 0 is 12 am, 12 is 12 pm, 13..23 are 1..11 pm.
        suffix = hour < 12 ? "am" : "pm";
        if (hour > 12) hour -= 12;
        if (hour == 0) hour = 12;
        if (options.upperCase)
            for (char& c : suffix) c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", hour, when.tm_min, when.tm_sec);
    std::string timeText = text;
    if (!options.seconds) timeText.resize(timeText.size() - 3);
    if (options.hourFormat == 0 && options.amPm) timeText += suffix;

    static const char kSeparators[] = {'/', '-', '.'};
    char separator = options.separator >= 0 && options.separator <= 2 ? kSeparators[options.separator] : '/';
    int year = when.tm_year;
    if (options.century)
        year += 1900;
    else if (year > 99)
        year -= 100;
    int month = when.tm_mon + 1;
    switch (options.dateOrder) {
    case 1:
        std::snprintf(text, sizeof text, "%d%c%d%c%02d", when.tm_mday, separator, month, separator, year);
        break;
    case 2:
        std::snprintf(text, sizeof text, "%02d%c%d%c%d", year, separator, month, separator, when.tm_mday);
        break;
    default:
        std::snprintf(text, sizeof text, "%d%c%d%c%02d", month, separator, when.tm_mday, separator, year);
        break;
    }
    if (time) *time = timeText;
    if (date) *date = text;
}

std::string StampPaneText(const ClockOptions& options, int64_t stamp)
{
    std::time_t t = std::time_t(stamp);
    std::tm* local = std::localtime(&t);
    if (!local) return std::string();
    std::string time, date;
    FormatClockTexts(options, *local, &time, &date);
    return time + " " + date;
}
