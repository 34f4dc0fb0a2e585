// Status pane texts and the clock's time and date formats.
#include "shell/XMainFramePanes.h"

#include <gtest/gtest.h>

namespace {
ClockOptions Defaults()
{
    // Time on, 12 hour, seconds, am/pm, lower case, MDY, slash, no century.
    return ClockOptions{TRUE, FALSE, TRUE, 0, TRUE, TRUE, FALSE, 0, 0, FALSE, 16777215};
}

std::tm At(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::string Time(const ClockOptions& options, const std::tm& t)
{
    std::string time, date;
    FormatClockTexts(options, t, &time, &date);
    return time;
}

std::string Date(const ClockOptions& options, const std::tm& t)
{
    std::string time, date;
    FormatClockTexts(options, t, &time, &date);
    return date;
}
}

TEST(XMainFramePanes, ImagePanes)
{
    EXPECT_EQ(SizePaneText(1600, 1024), "1600w x 1024h");
    EXPECT_EQ(ColorsPaneText(24, 0), "24-bit, 16.8M colors");
    EXPECT_EQ(ColorsPaneText(8, 256), "8-bit, 256 colors");
    EXPECT_EQ(ColorsPaneText(1, 2), "1-bit, 2 colors");
    EXPECT_EQ(CountPaneText(0), "000");
    EXPECT_EQ(CountPaneText(7), "007");
    EXPECT_EQ(CountPaneText(1234), "1234");
}

TEST(XMainFramePanes, TwelveHourClockAroundMidnightAndNoon)
{
    ClockOptions options = Defaults();
    EXPECT_EQ(Time(options, At(2026, 12, 6, 0, 5, 9)), "12:05:09am");
    EXPECT_EQ(Time(options, At(2026, 12, 6, 12, 0, 0)), "12:00:00pm");
    EXPECT_EQ(Time(options, At(2026, 12, 6, 15, 7, 0)), "3:07:00pm");
    options.upperCase = TRUE;
    EXPECT_EQ(Time(options, At(2026, 12, 6, 11, 59, 59)), "11:59:59AM");
    options.seconds = FALSE;
    options.amPm = FALSE;
    EXPECT_EQ(Time(options, At(2026, 12, 6, 13, 0, 0)), "1:00");
    options.hourFormat = 1;
    options.amPm = TRUE;
    EXPECT_EQ(Time(options, At(2026, 12, 6, 13, 0, 0)), "13:00");
    EXPECT_EQ(Time(options, At(2026, 12, 6, 0, 4, 0)), "0:04");
}

TEST(XMainFramePanes, DateOrdersSeparatorsAndCentury)
{
    ClockOptions options = Defaults();
    std::tm day = At(2026, 12, 6, 10, 0, 0);
    EXPECT_EQ(Date(options, day), "12/6/26");
    options.dateOrder = 2;
    EXPECT_EQ(Date(options, day), "26/12/6");
    options.dateOrder = 1;
    options.century = TRUE;
    EXPECT_EQ(Date(options, day), "6/12/2026");
    options.separator = 1;
    EXPECT_EQ(Date(options, day), "6-12-2026");
    options.separator = 2;
    options.century = FALSE;
    EXPECT_EQ(Date(options, At(2005, 3, 4, 0, 0, 0)), "4.3.05");
    EXPECT_EQ(Date(options, At(1999, 3, 4, 0, 0, 0)), "4.3.99");
}
