// Status pane texts.
#include "shell/XMainFramePanes.h"

#include <gtest/gtest.h>

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
