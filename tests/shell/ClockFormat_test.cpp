// Clock texts and the Image Info values that use them.
#include "shell/ClockFormat.h"
#include "shell/ImageInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace {
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

ClockFormat DateOnly(int order, int separator, bool century)
{
    ClockFormat format;
    format.dateOrder = order;
    format.separator = separator;
    format.century = century;
    return format;
}

// Runs the local-time conversions of one test in UTC.
class InUtc {
public:
    InUtc()
    {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        if (tz) m_oldTz = tz;
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    ~InUtc()
    {
        if (m_hadTz)
            setenv("TZ", m_oldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_hadTz = false;
    std::string m_oldTz;
};

const int64_t kSixDecember2026At000509 = 1796515509;  // UTC
}

TEST(ClockFormat, TimeInTwelveAndTwentyFourHours)
{
    ClockFormat format;  // 12 hour, seconds, am/pm, lower case
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 0, 5, 9)).time, "12:05:09am");
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 12, 0, 0)).time, "12:00:00pm");
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 15, 7, 0)).time, "3:07:00pm");
    format.upperCase = true;
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 11, 59, 59)).time, "11:59:59AM");
    format.seconds = false;
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 23, 7, 0)).time, "11:07PM");
    format.amPm = false;
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 13, 0, 0)).time, "1:00");
    format.hourFormat = 1;
    format.amPm = true;  // no suffix in 24-hour format
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 13, 0, 0)).time, "13:00");
    EXPECT_EQ(FormatTimeAndDate(format, At(2026, 12, 6, 0, 4, 0)).time, "0:04");
}

TEST(ClockFormat, DateOrdersSeparatorsAndCentury)
{
    std::tm day = At(2026, 12, 6, 10, 0, 0);
    EXPECT_EQ(FormatTimeAndDate(DateOnly(0, 0, false), day).date, "12/6/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(2, 0, false), day).date, "26/12/6");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(1, 0, true), day).date, "6/12/2026");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(2, 1, true), day).date, "2026-12-6");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(1, 2, false), At(2005, 3, 4, 0, 0, 0)).date, "4.3.05");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(2, 2, false), At(2005, 3, 4, 0, 0, 0)).date, "05.3.4");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(0, 0, false), At(1999, 1, 31, 0, 0, 0)).date, "1/31/99");
    // Two-digit years stay two digits past 2099 and before 1900.
    EXPECT_EQ(FormatTimeAndDate(DateOnly(0, 0, false), At(2126, 12, 6, 0, 0, 0)).date, "12/6/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(0, 0, false), At(1850, 12, 6, 0, 0, 0)).date, "12/6/50");
}

TEST(ClockFormat, StoredValuesOutOfRangeUseSlashAndMdy)
{
    std::tm day = At(2026, 12, 6, 10, 0, 0);
    EXPECT_EQ(FormatTimeAndDate(DateOnly(3, 0, false), day).date, "12/6/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(-1, 0, false), day).date, "12/6/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(1, 3, false), day).date, "6/12/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(1, -1, false), day).date, "6/12/26");
    EXPECT_EQ(FormatTimeAndDate(DateOnly(99, 1000, true), day).date, "12/6/2026");
}

TEST(ClockFormat, TitleClockShowsTimeDateOrBoth)
{
    ClockTexts texts = {"3:07pm", "12/6/26"};
    EXPECT_EQ(TitleClockText(true, false, texts), "3:07pm");
    EXPECT_EQ(TitleClockText(false, true, texts), "12/6/26");
    EXPECT_EQ(TitleClockText(true, true, texts), "3:07pm 12/6/26");
    EXPECT_EQ(TitleClockText(false, false, texts), "");
    // A time that could not be converted shows no clock, not a lone blank.
    EXPECT_EQ(TitleClockText(true, true, ClockTexts()), "");
}

TEST(ClockFormat, StampsInLocalTimeAndUnconvertibleStampsEmpty)
{
    InUtc utc;
    ClockFormat format;
    format.century = true;
    ClockTexts texts = FormatLocalTimeAndDate(format, kSixDecember2026At000509);
    EXPECT_EQ(texts.time, "12:05:09am");
    EXPECT_EQ(texts.date, "12/6/2026");
    texts = FormatLocalTimeAndDate(format, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(texts.time, "");
    EXPECT_EQ(texts.date, "");
}

TEST(ImageInfo, NineValues)
{
    InUtc utc;
    ImageFacts facts;
    facts.documentTitle = "SHOT.BMP";
    facts.width = 32;
    facts.height = 32;
    facts.bitCount = 8;
    facts.colorCount = 256;
    facts.bitsSize = 1024;
    facts.stamp = 1796562000;  // 6 December 2026, 13:00:00 UTC
    ClockFormat format;
    format.seconds = false;
    format.dateOrder = 1;
    ImageInfoTexts texts = MakeImageInfoTexts(facts, format);
    EXPECT_EQ(texts.filename, "SHOT.BMP");
    EXPECT_EQ(texts.width, "32");
    EXPECT_EQ(texts.height, "32");
    EXPECT_EQ(texts.bitsPerPixel, "8");
    EXPECT_EQ(texts.maximumColors, "256");
    EXPECT_EQ(texts.memoryUsed, "2KB");
    EXPECT_EQ(texts.lastChange, "Original");
    EXPECT_EQ(texts.time, "1:00pm");
    EXPECT_EQ(texts.date, "6/12/26");

    facts.documentTitle = "Flip Horizontal";
    facts.originId = 32905;
    facts.bitCount = 24;
    facts.colorCount = 0;
    facts.bitsSize = 1023;
    facts.stamp = std::numeric_limits<int64_t>::max();
    texts = MakeImageInfoTexts(facts, format);
    EXPECT_EQ(texts.lastChange, "Flip Horizontal");
    EXPECT_EQ(texts.maximumColors, "16.8M");
    EXPECT_EQ(texts.memoryUsed, "1KB");
    EXPECT_EQ(texts.time, "");
    EXPECT_EQ(texts.date, "");
}
