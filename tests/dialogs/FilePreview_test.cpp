// The open dialog's facts line, where the preview draws, and the previewed
// image that goes with the chosen path to the document.
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

TEST(PreviewedImage, HandsOnOnlyThePreviewOfTheChosenFileAndOnlyOnce)
{
    PreviewedImage preview;
    EXPECT_EQ(preview.TakeFor("C:\\a.bmp"), nullptr);

    XImage* first = new XImage;
    preview.Keep("C:\\Shots\\a.bmp", std::unique_ptr<XImage>(first));
    EXPECT_EQ(preview.Image(), first);
    // Names compare as Windows compares them.
    std::unique_ptr<XImage> taken = preview.TakeFor("c:/shots/A.BMP");
    EXPECT_EQ(taken.get(), first);
    EXPECT_EQ(preview.Image(), nullptr);
    EXPECT_EQ(preview.TakeFor("C:\\Shots\\a.bmp"), nullptr);  // taken once only

    // One file selected, another typed: the typed one is read, and the
    // preview is gone either way.
    preview.Keep("C:\\Shots\\a.bmp", std::unique_ptr<XImage>(new XImage));
    EXPECT_EQ(preview.TakeFor("C:\\Shots\\b.bmp"), nullptr);
    EXPECT_EQ(preview.Image(), nullptr);

    // A later selection replaces the earlier preview; a cleared one is gone.
    preview.Keep("C:\\Shots\\a.bmp", std::unique_ptr<XImage>(new XImage));
    XImage* second = new XImage;
    preview.Keep("C:\\Shots\\b.bmp", std::unique_ptr<XImage>(second));
    EXPECT_EQ(preview.TakeFor("C:\\Shots\\b.bmp").get(), second);
    preview.Keep("C:\\Shots\\a.bmp", std::unique_ptr<XImage>(new XImage));
    preview.Clear();
    EXPECT_EQ(preview.TakeFor("C:\\Shots\\a.bmp"), nullptr);
}
