// The date and time texts of the print macros ($printdate, $ftime, ...) and
// of the Date/Time dialog's live samples.
//
// The Win32 side feeds: the ten stored date/time options copied into a
// DateTimeStyle, the month names (string ids 33001-33012) and weekday names
// (33013-33019) loaded from the string table into DateTimeNames, and a
// local time from LocalTimeOf (the print time is "now", the file time the
// image's time stamp).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// The ten options of the PrintTimeDate key, in the key's order, with the
// defaults used when the key is missing. Values outside their ranges are
// read as the default when formatting.
struct DateTimeStyle {
    bool abbreviate = false;   // month and weekday names cut to 3 letters
    bool amPm = true;          // "am"/"pm" suffix, 12-hour clock only
    bool century = false;      // four-digit year
    bool hours24 = false;      // 24-hour clock
    int dateOrder = 0;         // 0 MDY, 1 DMY, 2 YMD
    bool alphaMonth = false;   // month by name instead of number
    bool seconds = true;
    int separator = 0;         // 0 slash, 1 hyphen, 2 full stop, 3 none (a blank)
    bool upperCase = false;    // "AM"/"PM"
    bool weekday = true;       // "Sunday, " in front of the date
};

// Month names January..December and weekday names Sunday..Saturday.
struct DateTimeNames {
    std::string months[12];
    std::string weekdays[7];
};

// The local broken-down time of t, or of the current time when t is 0.
// False when the platform cannot convert t.
bool LocalTimeOf(int64_t t, std::tm* local);

// "5:07:09pm", "17:07", "12:00:00AM": hour without a leading zero; the
// suffix only on the 12-hour clock with the AM/PM option, with no blank.
std::string FormatTime(const std::tm& when, const DateTimeStyle& style);

// "Sunday, 9/21/97", "21-Sep-97", "September 21, 97", "97.9.21": numbers
// without leading zeros except the two-digit year.
std::string FormatDate(const std::tm& when, const DateTimeStyle& style, const DateTimeNames& names);
