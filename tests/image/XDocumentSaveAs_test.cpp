// The save dialog's format decision: typed extensions win over the filter,
// the filter's extension is added when none is typed.
#include "image/XDocumentSaveAs.h"

#include <gtest/gtest.h>

TEST(ChooseSaveFormat, TypedExtensionWinsOverTheFilter)
{
    SaveChoice jpg = ChooseSaveFormat("C:\\shots\\picture", 7);
    EXPECT_EQ(jpg.path, "C:\\shots\\picture.jpg");
    EXPECT_EQ(jpg.format, 7);
    SaveChoice gif = ChooseSaveFormat("C:\\shots\\picture.gif", 1);
    EXPECT_EQ(gif.path, "C:\\shots\\picture.gif");
    EXPECT_EQ(gif.format, 5);
    EXPECT_EQ(ChooseSaveFormat("shot.GIF", 6).format, 6);  // GIF Interlace filter chosen
    EXPECT_EQ(ChooseSaveFormat("shot.gif", 7).format, 5);
    EXPECT_EQ(ChooseSaveFormat("shot.Tif", 1).format, 10);
}

TEST(ChooseSaveFormat, DotsInFoldersDoNotCountAndUnknownExtensionsAreRefused)
{
    SaveChoice plain = ChooseSaveFormat("C:\\my.images\\shot", 1);
    EXPECT_EQ(plain.path, "C:\\my.images\\shot.bmp");
    EXPECT_EQ(plain.format, 1);
    EXPECT_EQ(ChooseSaveFormat("C:\\shot.png", 1).format, 12);
    EXPECT_EQ(ChooseSaveFormat("C:\\shot.xyz", 1).format, 0);
    EXPECT_EQ(ChooseSaveFormat("C:\\shot.ico", 1).format, 0);  // read only
    // A filter index out of range falls back to the first filter.
    EXPECT_EQ(ChooseSaveFormat("shot", 40).path, "shot.bmp");
}
