// Colour tables for Grayscale and Black & White prints. Expected levels are
// computed by hand from the weights 30, 54, 11 and the lightening steps; the
// reference colours are the standard 16 with the default black-or-white
// choices.
#include "print/PrintPalette.h"

#include <gtest/gtest.h>

namespace {

RGBQUAD Rgb(int r, int g, int b)
{
    RGBQUAD c;
    c.rgbRed = BYTE(r);
    c.rgbGreen = BYTE(g);
    c.rgbBlue = BYTE(b);
    c.rgbReserved = 0;
    return c;
}

BlackWhiteReference DefaultReference()
{
    const int colors[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                               {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                               {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                               {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    BlackWhiteReference reference;
    for (int i = 0; i < 16; ++i) {
        reference.colors[i] = Rgb(colors[i][0], colors[i][1], colors[i][2]);
        reference.white[i] = i == 7 || i == 8 || i == 10 || i == 11 || i == 14 || i == 15;
    }
    return reference;
}

void ExpectGray(const RGBQUAD& c, int level)
{
    EXPECT_EQ(c.rgbRed, level);
    EXPECT_EQ(c.rgbGreen, level);
    EXPECT_EQ(c.rgbBlue, level);
}

}  // namespace

TEST(PrintPalette, GrayscaleLightensMidTonesForPaper)
{
    const RGBQUAD table[] = {Rgb(100, 100, 100), Rgb(230, 230, 230), Rgb(0, 0, 0),     Rgb(255, 0, 0),
                             Rgb(0, 0, 255),     Rgb(128, 128, 128), Rgb(217, 217, 217), Rgb(218, 218, 218),
                             Rgb(10, 200, 90)};
    auto gray = PrintColorTable(table, 9, 8, 1, DefaultReference());
    ASSERT_TRUE(gray);
    ASSERT_EQ(gray->size(), 9u);
    ExpectGray((*gray)[0], 158);  // 100 + 58
    ExpectGray((*gray)[1], 230);
    ExpectGray((*gray)[2], 0);
    ExpectGray((*gray)[3], 134);  // 7650 / 100 = 76, + 58
    ExpectGray((*gray)[4], 86);   // 2805 / 100 = 28, + 58
    ExpectGray((*gray)[5], 166);  // 128 + 38
    ExpectGray((*gray)[6], 255);  // 217 + 38
    ExpectGray((*gray)[7], 218);
    ExpectGray((*gray)[8], 178);  // 12090 / 100 = 120, + 58

    // 24-bit and 1-bit images and Color mode print with their own colours.
    EXPECT_FALSE(PrintColorTable(nullptr, 0, 24, 1, DefaultReference()));
    EXPECT_FALSE(PrintColorTable(table, 2, 1, 1, DefaultReference()));
    EXPECT_FALSE(PrintColorTable(table, 9, 8, 0, DefaultReference()));
    EXPECT_FALSE(PrintColorTable(table, 9, 8, 5, DefaultReference()));
}

TEST(PrintPalette, BlackAndWhiteFollowsTheNearestReferenceColour)
{
    const RGBQUAD table[] = {Rgb(200, 200, 200), Rgb(100, 0, 0), Rgb(0, 200, 0), Rgb(64, 64, 64),
                             Rgb(250, 250, 10), Rgb(20, 20, 150)};
    auto bw = PrintColorTable(table, 6, 4, 2, DefaultReference());
    ASSERT_TRUE(bw);
    ExpectGray((*bw)[0], 255);  // silver
    ExpectGray((*bw)[1], 0);    // maroon
    ExpectGray((*bw)[2], 255);  // lime (55 away) before green (72 away)
    ExpectGray((*bw)[3], 0);    // as far from black as from gray: the first wins
    ExpectGray((*bw)[4], 255);  // yellow
    ExpectGray((*bw)[5], 0);    // navy
}
