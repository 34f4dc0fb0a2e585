// The open dialog's facts line, where the preview draws, and the preloaded
// mark that hands the previewed image to the document.
#include "dialogs/FilePreview.h"

#include <gtest/gtest.h>

TEST(FactsLine, GroupsTheByteCountInThreesFromTheRight)
{
    EXPECT_EQ(GroupedByteCount(0), "0");
    EXPECT_EQ(GroupedByteCount(999), "999");
    EXPECT_EQ(GroupedByteCount(1000), "1,000");
    EXPECT_EQ(GroupedByteCount(123456), "123,456");
    EXPECT_EQ(GroupedByteCount(1234567), "1,234,567");
    EXPECT_EQ(GroupedByteCount(4294967296ULL), "4,294,967,296");  // past 32 bits
    EXPECT_EQ(FactsLine("C:\\shots\\a.bmp", 1234567), "Path:  C:\\shots\\a.bmp   (1,234,567 Bytes)");
}

TEST(PreviewDrawRect, SmallImagesKeepTheirSizeLargeOnesFitTheLongerSide)
{
    // Explorer pane of inner width 134: side 130.
    RECT small = PreviewDrawRect(130, 100, 40);
    EXPECT_EQ(small.left, 15);
    EXPECT_EQ(small.top, 45);
    EXPECT_EQ(small.right - small.left, 100);
    EXPECT_EQ(small.bottom - small.top, 40);

    // Wide: x = 3, width 130, height 40 * 130 / 260 = 20 at (130 - 20) / 2 + 2.
    RECT wide = PreviewDrawRect(130, 260, 40);
    EXPECT_EQ(wide.left, 3);
    EXPECT_EQ(wide.right, 133);
    EXPECT_EQ(wide.top, 57);
    EXPECT_EQ(wide.bottom, 77);

    // Tall, and a square as large as the side, take the second branch.
    RECT tall = PreviewDrawRect(130, 65, 650);
    EXPECT_EQ(tall.top, 3);
    EXPECT_EQ(tall.bottom, 133);
    EXPECT_EQ(tall.left, 60);
    EXPECT_EQ(tall.right, 73);
    RECT square = PreviewDrawRect(130, 130, 130);
    EXPECT_EQ(square.left, 2);
    EXPECT_EQ(square.top, 3);
    EXPECT_EQ(square.right - square.left, 130);

    // Sizes whose product passes 32 bits.
    RECT huge = PreviewDrawRect(130, 60000, 50000);
    EXPECT_EQ(huge.bottom - huge.top, 108);

    RECT none = PreviewDrawRect(130, 0, 10);
    EXPECT_EQ(none.right - none.left, 0);
}

TEST(PreloadMark, AdoptsOnlyThePreviewedFileAndIsClearedOnTake)
{
    PreloadMark mark;
    EXPECT_FALSE(mark.Take("C:\\a.bmp"));

    mark.Set("C:\\Shots\\a.bmp");
    EXPECT_TRUE(mark.IsSet());
    EXPECT_TRUE(mark.Take("c:/shots/A.BMP"));
    EXPECT_FALSE(mark.IsSet());
    EXPECT_FALSE(mark.Take("C:\\Shots\\a.bmp"));  // taken once only

    // One file selected, another typed: the typed one is read, and the mark
    // is gone either way.
    mark.Set("C:\\Shots\\a.bmp");
    EXPECT_FALSE(mark.Take("C:\\Shots\\b.bmp"));
    EXPECT_FALSE(mark.IsSet());

    mark.Set("C:\\Shots\\a.bmp");
    mark.Clear();
    EXPECT_FALSE(mark.Take("C:\\Shots\\a.bmp"));
}
