// The clock's time and date texts, shared by the title-bar clock, the
// status pane of the active image and the Image Info dialog. Portable.
#pragma once

#include "../settings/Options.h"

#include <cstdint>
#include <ctime>
#include <string>

struct ClockFormat {
    int hourFormat = 0;      // 0 12 Hour, 1 24 Hour
    bool seconds = true;
    bool amPm = true;        // suffix in 12-hour format
    bool upperCase = false;  // "AM"/"PM" instead of "am"/"pm"
    int dateOrder = 0;       // 0 MDY, 1 DMY, 2 YMD; anything else MDY
    int separator = 0;       // 0 slash, 1 hyphen, 2 full stop; anything else slash
    bool century = false;    // four-digit year instead of two digits
};

// The format part of the stored clock options.
ClockFormat ClockFormatOf(const ClockOptions& options);

struct ClockTexts {
    std::string time;  // "3:07pm", "15:07:00", ...
    std::string date;  // "12/6/26", "6-12-2026", "26.12.6", ...
};

// The texts of a broken-down local time (tm_year counts from 1900, tm_mon
// from 0, as std::localtime fills them).
ClockTexts FormatTimeAndDate(const ClockFormat& format, const std::tm& when);
// The texts of a time stamp (seconds since 1970) shown in local time; both
// empty when the stamp cannot be converted.
ClockTexts FormatLocalTimeAndDate(const ClockFormat& format, int64_t stamp);
// What the title-bar clock shows: the time text, the date text, or both
// with a blank between them; empty when both are switched off or the
// time could not be converted.
std::string TitleClockText(bool showTime, bool showDate, const ClockTexts& texts);
