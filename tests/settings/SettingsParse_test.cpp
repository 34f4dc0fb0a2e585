#include "settings/SettingsParse.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace settings;

namespace {

// The reading the settings file has always had, written the old way with
// strtok and atoi, as an independent oracle for inputs where atoi is defined.
std::vector<int> ReadWithStrtok(const char* text, const std::vector<int>& defaults)
{
    std::vector<int> out = defaults;
    if (!*text) return out;
    std::vector<char> buffer(text, text + std::strlen(text) + 1);
    char* token = std::strtok(buffer.data(), ",");
    for (size_t i = 0; i < out.size(); ++i) {
        if (i == 0) {
            out[0] = token ? std::atoi(token) : out[0];
        } else {
            token = std::strtok(nullptr, ",");
            if (token) out[i] = std::atoi(token);
        }
    }
    return out;
}

std::vector<int> Read(const char* text, const std::vector<int>& defaults)
{
    std::vector<int> out(defaults.size());
    ReadIntList(text, defaults.data(), out.data(), int(out.size()));
    return out;
}

}  // namespace

TEST(SettingsParse, ListReaderSplitsLikeStrtokAndConvertsLikeAtoi)
{
    const std::vector<int> defaults = {7, 8, 9, 10, 11, 12};
    const char* inputs[] = {"10,,20", "1,2,3,4,5,6,7,8", ",,,5,6", "  -3, +4,12abc,x,0x10", "42",
                            "1,,,,,,,,,2", "-0,-2147483648,2147483647", "3 ,\t4"};
    for (const char* input : inputs) EXPECT_EQ(Read(input, defaults), ReadWithStrtok(input, defaults)) << input;

    // ScreenPage 10,,20: left 10, top 20, the rest from the defaults.
    EXPECT_EQ(Read("10,,20", {0, 0, 1024, 768, 0, 10}), (std::vector<int>{10, 20, 1024, 768, 0, 10}));
    // An empty list and a list of nothing but commas give all defaults.
    EXPECT_EQ(Read("", defaults), defaults);
    EXPECT_EQ(Read(",,,,", defaults), defaults);
    // Overflow saturates instead of being undefined.
    EXPECT_EQ(ParseInt("99999999999"), INT_MAX);
    EXPECT_EQ(ParseInt("-99999999999"), INT_MIN);
    EXPECT_EQ(ParseInt("-2147483648"), INT_MIN);
}

TEST(SettingsParse, ListWriterHasNoBlanks)
{
    const int values[] = {0, -13, 16777215, 8158271};
    EXPECT_EQ(FormatIntList(values, 4), "0,-13,16777215,8158271");
    EXPECT_EQ(FormatIntList(values, 1), "0");
}

TEST(SettingsParse, FontValueRoundTrips)
{
    FontValue font;
    const int32_t numbers[kFontNumbers] = {-13, 0, 0, 0, 700, 1, 0, 1, 255, 3, 2, 1, 34};
    std::memcpy(font.numbers, numbers, sizeof numbers);
    font.face = "Times New Roman";
    const std::string text = FormatFontValue(font);
    EXPECT_EQ(text, "-13,0,0,0,700,1,0,1,255,3,2,1,34,Times New Roman");

    FontValue back;
    ReadFontValue(text.c_str(), -7, &back);
    EXPECT_EQ(0, std::memcmp(back.numbers, numbers, sizeof numbers));
    EXPECT_EQ(back.face, "Times New Roman");
    EXPECT_EQ(FormatFontValue(back), text);
}

TEST(SettingsParse, FontValueEdgeCases)
{
    // A missing key sets face and height only; the rest keeps its values.
    FontValue font;
    font.numbers[4] = 400;
    font.numbers[12] = 34;
    ReadFontValue("", -7, &font);
    EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(font.numbers[0], -7);
    EXPECT_EQ(font.numbers[4], 400);
    EXPECT_EQ(font.numbers[12], 34);

    // No face after the thirteenth number.
    ReadFontValue("-9,0,0,0,400,0,0,0,0,0,0,0,0,", -13, &font);
    EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(font.numbers[0], -9);

    // Byte fields keep their low 8 bits; a long face is cut to 31 characters.
    ReadFontValue("1,2,3,4,5,257,0,0,-1,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", -13, &font);
    EXPECT_EQ(font.numbers[5], 1);
    EXPECT_EQ(font.numbers[8], 255);
    EXPECT_EQ(font.face, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");

    // Too few numbers: the listed ones apply, the face falls back.
    ReadFontValue("-20,5", -13, &font);
    EXPECT_EQ(font.numbers[0], -20);
    EXPECT_EQ(font.numbers[1], 5);
    EXPECT_EQ(font.numbers[2], 3);
    EXPECT_EQ(font.face, "Arial");

    // Only commas counts as a missing value.
    ReadFontValue(",,,", -13, &font);
    EXPECT_EQ(font.numbers[0], -13);
}

TEST(SettingsParse, SendToFileNameIsBare)
{
    EXPECT_EQ(BareFileName("SHOT0001.BMP", "D"), "SHOT0001.BMP");
    EXPECT_EQ(BareFileName("..\\..\\windows\\evil.bmp", "D"), "evil.bmp");
    EXPECT_EQ(BareFileName("C:evil.bmp", "D"), "evil.bmp");
    EXPECT_EQ(BareFileName("a/b/c.gif", "D"), "c.gif");
    EXPECT_EQ(BareFileName("dir\\", "D"), "D");
    EXPECT_EQ(BareFileName("..", "D"), "D");
    EXPECT_EQ(BareFileName("", "D"), "D");
}
