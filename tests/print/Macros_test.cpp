// Date/time texts and macro expansion of printed headers, footers and
// notes. Expected texts are written out by hand from the documented
// formats; 21 September 1997 was a Sunday.
#include "print/Macros.h"

#include <gtest/gtest.h>

namespace {

std::tm At(int year, int month, int day, int weekday, int hour, int minute, int second)
{
    std::tm when = {};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_wday = weekday;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

DateTimeNames EnglishNames()
{
    DateTimeNames names;
    const char* months[12] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};
    const char* days[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) names.months[i] = months[i];
    for (int i = 0; i < 7; ++i) names.weekdays[i] = days[i];
    return names;
}

}  // namespace

TEST(PrintDateTime, TwelveAndTwentyFourHourClocks)
{
    DateTimeStyle style;  // 12-hour, am/pm, seconds
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 0, 0, 0), style), "12:00:00am");
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 12, 0, 0), style), "12:00:00pm");
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 13, 5, 0), style), "1:05:00pm");
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 9, 30, 7), style), "9:30:07am");
    style.upperCase = true;
    style.seconds = false;
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 17, 7, 9), style), "5:07PM");
    style.amPm = false;
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 17, 7, 9), style), "5:07");
    style.hours24 = true;
    style.amPm = true;
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 17, 7, 9), style), "17:07");
    EXPECT_EQ(FormatTime(At(1997, 9, 21, 0, 0, 5, 0), style), "0:05");
}

TEST(PrintDateTime, DateOrdersSeparatorsAndNames)
{
    DateTimeNames names = EnglishNames();
    std::tm day = At(1997, 9, 21, 0, 0, 0, 0);
    DateTimeStyle style;  // weekday, MDY, numeric, slash
    EXPECT_EQ(FormatDate(day, style, names), "Sunday, 9/21/97");
    style.weekday = false;
    style.alphaMonth = true;
    style.separator = 3;
    EXPECT_EQ(FormatDate(day, style, names), "September 21, 97");
    style.dateOrder = 1;
    EXPECT_EQ(FormatDate(day, style, names), "21 September, 97");
    style.separator = 1;
    style.abbreviate = true;
    style.weekday = true;
    EXPECT_EQ(FormatDate(day, style, names), "Sun, 21-Sep-97");
    style.dateOrder = 2;
    style.century = true;
    EXPECT_EQ(FormatDate(day, style, names), "Sun, 1997-Sep-21");
    style = DateTimeStyle();
    style.weekday = false;
    style.dateOrder = 2;
    style.separator = 2;
    EXPECT_EQ(FormatDate(At(2003, 1, 5, 0, 0, 0, 0), style, names), "03.1.5");
    style.dateOrder = 1;
    EXPECT_EQ(FormatDate(At(2000, 12, 31, 0, 0, 0, 0), style, names), "31.12.00");
    EXPECT_EQ(FormatDate(At(2100, 12, 31, 0, 0, 0, 0), style, names), "31.12.00");
    // Hand-edited option values out of range read as the defaults.
    style.dateOrder = 7;
    style.separator = -2;
    EXPECT_EQ(FormatDate(At(2000, 12, 31, 0, 0, 0, 0), style, names), "12/31/00");
}

TEST(PrintMacros, DefaultHeaderAndFooterInAnyCase)
{
    DateTimeNames names = EnglishNames();
    MacroSource source;
    source.printTime = At(1997, 9, 21, 0, 17, 7, 9);
    source.hasImage = true;
    source.fileTime = At(2003, 1, 5, 0, 8, 0, 0);
    source.fileName = "C:\\shots\\IMG0001.BMP";
    source.width = 1920;
    source.height = 1080;
    DateTimeStyle style;
    EXPECT_EQ(ExpandMacros("printed by Kestrel at $printtime on $printdate", source, style, names),
              "printed by Kestrel at 5:07:09pm on Sunday, 9/21/97");
    EXPECT_EQ(ExpandMacros("$filename,  $filetime - $filedate, $res", source, style, names),
              "C:\\shots\\IMG0001.BMP,  8:00:00am - Sunday, 1/5/03, 1920w x 1080h");
    EXPECT_EQ(ExpandMacros("$PTIME|$FDate|$fTiMe|$FNAME|$Resolution|$PrintDate", source, style, names),
              "5:07:09pm|Sunday, 1/5/03|8:00:00am|C:\\shots\\IMG0001.BMP|1920w x 1080h|Sunday, 9/21/97");
}

TEST(PrintMacros, OnlyFirstOccurrenceAndLongFormFirst)
{
    DateTimeNames names = EnglishNames();
    MacroSource source;
    source.printTime = At(1997, 9, 21, 0, 17, 7, 9);
    source.hasImage = true;
    source.fileName = "a.bmp";
    source.width = 2;
    source.height = 3;
    DateTimeStyle style;
    style.weekday = false;
    EXPECT_EQ(ExpandMacros("$pdate $printdate", source, style, names), "$pdate 9/21/97");
    EXPECT_EQ(ExpandMacros("$res and $res", source, style, names), "2w x 3h and $res");
    EXPECT_EQ(ExpandMacros("[$resolution]", source, style, names), "[2w x 3h]");
    EXPECT_EQ(ExpandMacros("$price $ 100$", source, style, names), "$price $ 100$");

    // Without an image the file and size macros stay as typed.
    source.hasImage = false;
    EXPECT_EQ(ExpandMacros("$fname $res at $ptime", source, style, names), "$fname $res at 5:07:09pm");
}

TEST(PrintMacros, LongNamesAndManyMacrosAreExpandedWhole)
{
    DateTimeNames names = EnglishNames();
    MacroSource source;
    source.hasImage = true;
    source.fileName = std::string(100000, 'n');
    source.width = 7;
    source.height = 9;
    DateTimeStyle style;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "$FNAME$res";
    std::string expanded = ExpandMacros(text, source, style, names);
    // One file name and one size replaced; the other 199 pairs stay.
    std::string rest;
    for (int i = 0; i < 199; ++i) rest += "$FNAME$res";
    EXPECT_EQ(expanded, source.fileName + "7w x 9h" + rest);
}
