// Page geometry of a print: positions, tiling order and coverage, texts
// only on one-page prints, and the job's option limits and names. Expected
// coordinates are worked out by hand from the margins (5 dots each side).
#include "print/PageLayout.h"
#include "print/PrintJobRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

PageLayout Layout(long deviceWidth, long deviceHeight, long width, long height, int scaling, int position = 4)
{
    PageGeometryInput input;
    input.deviceWidth = deviceWidth;
    input.deviceHeight = deviceHeight;
    input.imageWidth = width;
    input.imageHeight = height;
    input.scaling = scaling;
    input.position = position;
    return LayoutPage(input);
}

// Every image pixel lies on exactly one page, and no page holds more
// pixels than its printable area shows at the scaling (one pixel when a
// single pixel is already larger).
void ExpectTilesCoverImageOnce(const PageLayout& layout)
{
    std::vector<int> hits(size_t(layout.imageWidth * layout.imageHeight), 0);
    for (int64_t page = 0; page < layout.pages; ++page) {
        PrintTile tile = TileOfPage(layout, page);
        ASSERT_GT(tile.width, 0);
        ASSERT_GT(tile.height, 0);
        ASSERT_LE(tile.width * layout.scaling, std::max<int64_t>(layout.printableWidth, layout.scaling));
        ASSERT_LE(tile.height * layout.scaling, std::max<int64_t>(layout.printableHeight, layout.scaling));
        for (int64_t y = tile.top; y < tile.top + tile.height; ++y)
            for (int64_t x = tile.left; x < tile.left + tile.width; ++x) ++hits[size_t(y * layout.imageWidth + x)];
    }
    for (int count : hits) ASSERT_EQ(count, 1);
}

}  // namespace

TEST(PrintPageLayout, NinePositionsDownTheColumns)
{
    // Printable 1000 × 1000, image 200 × 100 dots: 800 and 900 dots free.
    const long want[9][2] = {{5, 5},   {5, 455},   {5, 905},   {405, 5}, {405, 455},
                             {405, 905}, {805, 5}, {805, 455}, {805, 905}};
    for (int position = 0; position < 9; ++position) {
        PageLayout layout = Layout(1010, 1010, 100, 50, 2, position);
        EXPECT_EQ(layout.x, want[position][0]) << position;
        EXPECT_EQ(layout.y, want[position][1]) << position;
        EXPECT_EQ(layout.pages, 1);
    }
    // A hand-edited position is clamped; an image wider than the page
    // starts at the margin across but keeps its place down.
    EXPECT_EQ(Layout(1010, 1010, 100, 50, 2, 12).x, 805);
    EXPECT_EQ(Layout(1010, 1010, 100, 50, 2, -3).y, 5);
    PageLayout wide = Layout(1010, 1010, 600, 50, 2, 8);
    EXPECT_EQ(wide.x, 5);
    EXPECT_EQ(wide.y, 905);
}

TEST(PrintPageLayout, LandscapeAndPortraitCellsSelectTheSamePosition)
{
    EXPECT_EQ(PositionOfCell(200), 0);
    EXPECT_EQ(PositionOfCell(209), 0);
    EXPECT_EQ(PositionOfCell(204), 4);
    EXPECT_EQ(PositionOfCell(213), 4);
    EXPECT_EQ(PositionOfCell(208), 8);
    EXPECT_EQ(PositionOfCell(217), 8);
    EXPECT_EQ(PositionOfCell(199), -1);
    EXPECT_EQ(PositionOfCell(218), -1);
    EXPECT_EQ(CellOfPosition(7, false), 207);
    EXPECT_EQ(CellOfPosition(7, true), 216);
}

TEST(PrintPageLayout, TilesRunColumnByColumnAndCoverEveryPixel)
{
    // Printable 100 × 50 at scaling 1: a 250 × 130 image needs 3 × 3 pages.
    PageLayout layout = Layout(110, 60, 250, 130, 1);
    ASSERT_EQ(layout.columns, 3);
    ASSERT_EQ(layout.rows, 3);
    ASSERT_EQ(layout.pages, 9);
    const int64_t want[9][4] = {{0, 0, 100, 50},   {0, 50, 100, 50},   {0, 100, 100, 30},
                                {100, 0, 100, 50}, {100, 50, 100, 50}, {100, 100, 100, 30},
                                {200, 0, 50, 50},  {200, 50, 50, 50},  {200, 100, 50, 30}};
    for (int page = 0; page < 9; ++page) {
        PrintTile tile = TileOfPage(layout, page);
        EXPECT_EQ(tile.left, want[page][0]) << page;
        EXPECT_EQ(tile.top, want[page][1]) << page;
        EXPECT_EQ(tile.width, want[page][2]) << page;
        EXPECT_EQ(tile.height, want[page][3]) << page;
    }
    EXPECT_EQ(layout.x, 5);
    EXPECT_EQ(layout.y, 5);
    ExpectTilesCoverImageOnce(layout);

    // An exact multiple of the printable size gets no empty page.
    EXPECT_EQ(Layout(110, 60, 200, 50, 1).pages, 2);
    // Scaling 99 on 4790 printable dots holds 48 pixels a page: 10000
    // pixels need 209 columns (a count from the scaled size gives 207 and
    // drops the right edge).
    EXPECT_EQ(Layout(4800, 6000, 10000, 10, 99).columns, 209);
    ExpectTilesCoverImageOnce(Layout(4800, 310, 1000, 7, 99));
    ExpectTilesCoverImageOnce(Layout(301, 205, 123, 77, 7));
    // Scaling 1 on a fine printer: tiny, one page, at its position.
    PageLayout tiny = Layout(4800, 6600, 64, 48, 1, 8);
    EXPECT_EQ(tiny.pages, 1);
    EXPECT_EQ(tiny.x, 5 + 4790 - 64);
}

TEST(PrintPageLayout, HandEditedScalingAndTinyPagesNeverDivideByZero)
{
    PageLayout zero = Layout(1010, 1010, 100, 100, 0);
    EXPECT_EQ(zero.scaling, 1);
    EXPECT_EQ(zero.pages, 1);
    EXPECT_EQ(Layout(1010, 1010, 100, 100, 150).scaling, 99);
    // Scaling above the printable size, and a device smaller than its
    // margins: one pixel a page, every pixel still printed.
    PageLayout crowded = Layout(60, 40, 3, 2, 99);
    EXPECT_EQ(crowded.pages, 6);
    ExpectTilesCoverImageOnce(crowded);
    PageLayout none = Layout(4, 0, 2, 2, 3);
    EXPECT_EQ(none.printableWidth, 1);
    EXPECT_EQ(none.pages, 4);
    EXPECT_EQ(Layout(1010, 1010, 0, 10, 3).pages, 0);
}

TEST(PrintPageLayout, HeaderFooterAndNotesOnlyOnOnePagePrints)
{
    // Image 200 × 100 dots at the centre of printable 1000 × 1000.
    PageLayout layout = Layout(1010, 1010, 100, 50, 2, 4);
    EXPECT_TRUE(PrintsPageTexts(layout));
    EXPECT_FALSE(PrintsPageTexts(Layout(1010, 1010, 600, 50, 2)));
    EXPECT_FALSE(PrintsPageTexts(Layout(1010, 1010, 50, 501, 2)));

    RECT header = HeaderRect(layout, 20);
    EXPECT_EQ(header.left, 5);
    EXPECT_EQ(header.top, 5);
    EXPECT_EQ(header.right, 1005);
    EXPECT_EQ(header.bottom, 25);
    RECT footer = FooterRect(layout, 20);
    EXPECT_EQ(footer.top, 985);
    EXPECT_EQ(footer.bottom, 1005);

    NotesPlacement under;
    RECT notes = NotesRect(layout, under, 20, 0);
    EXPECT_EQ(notes.left, 405);
    EXPECT_EQ(notes.right, 605);
    EXPECT_EQ(notes.top, 455 + 100 + 20);
    EXPECT_EQ(notes.bottom, 995);
    NotesPlacement above;
    above.above = true;
    above.pageAligned = true;
    notes = NotesRect(layout, above, 20, 60);
    EXPECT_EQ(notes.left, 5);
    EXPECT_EQ(notes.right, 995);
    EXPECT_EQ(notes.bottom, 435);
    EXPECT_EQ(notes.top, 375);
    // Too tall for the room above the image: starts at the margin.
    EXPECT_EQ(NotesRect(layout, above, 20, 5000).top, 5);
    // An image at the top leaves no room above, one at the bottom none
    // under: the rectangle is empty, not inverted.
    RECT none = NotesRect(Layout(1010, 1010, 100, 50, 2, 0), above, 20, 60);
    EXPECT_EQ(none.top, none.bottom);
    none = NotesRect(Layout(1010, 1010, 100, 50, 2, 2), under, 20, 0);
    EXPECT_EQ(none.top, none.bottom);

    // Screen font height -13 at 96 dpi on a 600-dpi printer.
    EXPECT_EQ(PrinterFontHeight(-13, 600, 96), -81);
    EXPECT_EQ(PrinterFontHeight(-13, 600, 0), -13);
}

TEST(PrintJobRules, DocumentNameOfThirtyTwoOrMoreCharactersIsTheTitleAlone)
{
    // "Kestrel - " is 10 characters.
    EXPECT_EQ(PrintDocumentName("Kestrel", "Screen Capture"), "Kestrel - Screen Capture");
    EXPECT_EQ(PrintDocumentName("Kestrel", std::string(21, 'a')), "Kestrel - " + std::string(21, 'a'));
    EXPECT_EQ(PrintDocumentName("Kestrel", std::string(22, 'a')), "Kestrel");
    EXPECT_EQ(PrintDocumentName("Kestrel", "C:\\Documents\\captures\\IMG0001.BMP"), "Kestrel");
}

TEST(PrintJobRules, OptionLimitsAndProgressTexts)
{
    EXPECT_EQ(ClampCopies(0), 1);
    EXPECT_EQ(ClampCopies(1000), 999);
    EXPECT_EQ(ClampCopies(12), 12);
    EXPECT_EQ(ClampScaling(-5), 1);
    EXPECT_EQ(PrintingLineText("Screen Capture"), "Printing 'Screen Capture' on the");
    EXPECT_EQ(PageLineText(3, 12, 0, 0), "Page 3 of 12");
    EXPECT_EQ(PageLineText(1, 4, 2, 5), "Page 1 of 4, Image 2 of 5");
}

TEST(PrintJobRules, PercentagesAboveTwentyOneMillionPixels)
{
    // 5000 × 5000: (done + 1) × 100 passes 2^31 after 21.5 million pixels.
    const uint64_t total = 25000000;
    EXPECT_EQ(ProgressPercent(0, total), 0);
    EXPECT_EQ(ProgressPercent(12499999, total), 50);
    EXPECT_EQ(ProgressPercent(24000000, total), 96);
    EXPECT_EQ(ProgressPercent(total - 1, total), 100);
    EXPECT_EQ(ProgressPercent(total + 5000, total), 100);
    EXPECT_EQ(ProgressPercent(0, 0), 100);

    // Overlapping strips count a column twice; the meter stops at 100 and
    // only asks for a repaint when the number changes.
    PrintProgress progress(total);
    EXPECT_FALSE(progress.Add(1000));
    EXPECT_TRUE(progress.Add(24000000));
    EXPECT_EQ(progress.Percent(), 96);
    EXPECT_TRUE(progress.Add(5000000));
    EXPECT_EQ(progress.Percent(), 100);
    EXPECT_FALSE(progress.Add(5000000));
}

TEST(PrintJobRules, PrinterTextsSplitIntoDeviceDriverAndPort)
{
    PrinterName name;
    SplitPrinterText("PDF,winspool,CUPS:PDF", false, &name);
    EXPECT_EQ(name.device, "PDF");
    EXPECT_EQ(name.driver, "winspool");
    EXPECT_EQ(name.port, "CUPS:PDF");
    // The system's default printer separates driver and port by a blank.
    SplitPrinterText("Laser,winspool Ne00:", true, &name);
    EXPECT_EQ(name.driver, "winspool");
    EXPECT_EQ(name.port, "Ne00:");
    // Missing parts keep what they held.
    SplitPrinterText("Other", false, &name);
    EXPECT_EQ(name.device, "Other");
    EXPECT_EQ(name.driver, "winspool");
    EXPECT_EQ(name.port, "Ne00:");
}
