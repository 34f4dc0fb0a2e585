// Send To File names: numbering, time names and the joined path.
#include "capture/CaptureNaming.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(CaptureNaming, AugmentAdvancesDigitsBeforeFirstDotWithCarry)
{
    EXPECT_EQ(AugmentFileName("IMG0009.BMP"), "IMG0010.BMP");
    EXPECT_EQ(AugmentFileName("SHOT0000.BMP"), "SHOT0001.BMP");
    EXPECT_EQ(AugmentFileName("IMG99.BMP"), "IMG00.BMP");
    EXPECT_EQ(AugmentFileName("9.BMP"), "0.BMP");
    EXPECT_EQ(AugmentFileName("A1999.X.BMP"), "A2000.X.BMP");
    EXPECT_EQ(AugmentFileName("SHOT9.TAR.9"), "SHOT0.TAR.9");
}

TEST(CaptureNaming, AugmentLeavesNamesWithoutDigitOrDotAlone)
{
    EXPECT_EQ(AugmentFileName("IMG.BMP"), "IMG.BMP");
    EXPECT_EQ(AugmentFileName("IMG0009"), "IMG0009");
    EXPECT_EQ(AugmentFileName(".BMP"), ".BMP");
    EXPECT_EQ(AugmentFileName(""), "");
}

TEST(CaptureNaming, FileNameByTimeKeepsLastExtension)
{
    // 14:05:09 on the 3rd: day, hour, minute, second.
    EXPECT_EQ(FileNameByTime("SHOT0000.BMP", 3, 14, 5, 9), "03140509.BMP");
    EXPECT_EQ(FileNameByTime("a.b.gif", 31, 0, 0, 0), "31000000.gif");
    EXPECT_EQ(FileNameByTime("NODOT", 1, 2, 3, 4), "01020304");
}

TEST(CaptureNaming, PathAddsOneBackslash)
{
    EXPECT_EQ(SendToFilePath("C:\\shots", "A.BMP"), "C:\\shots\\A.BMP");
    EXPECT_EQ(SendToFilePath("C:\\", "A.BMP"), "C:\\A.BMP");
}

TEST(CaptureNaming, FreeFileNameSkipsTakenNamesWithTheNumbering)
{
    std::set<std::string> files = {"IMG0009.BMP", "IMG0010.BMP", "IMG0012.BMP"};
    auto taken = [&files](const std::string& name) { return files.count(name) != 0; };
    EXPECT_EQ(FreeFileName("IMG0008.BMP", taken), "IMG0008.BMP");
    EXPECT_EQ(FreeFileName("IMG0009.BMP", taken), "IMG0011.BMP");
    // Wraps round like the numbering; a full round or a name that cannot
    // advance gives nothing.
    files = {"IMG9.BMP"};
    EXPECT_EQ(FreeFileName("IMG9.BMP", taken), "IMG0.BMP");
    files = {"A0.BMP", "A1.BMP", "A2.BMP", "A3.BMP", "A4.BMP", "A5.BMP", "A6.BMP", "A7.BMP", "A8.BMP", "A9.BMP"};
    EXPECT_EQ(FreeFileName("A3.BMP", taken), "");
    files = {"IMG.BMP"};
    EXPECT_EQ(FreeFileName("IMG.BMP", taken), "");
}
