// Where a scaled image goes on printer pages: the printable area, the nine
// positions, the tiles of a multi-page print (column by column), the
// position grid's cells, and the rectangles of header, footer and notes.
// All sizes are printer dots except tile coordinates, which are image
// pixels counted from the image's top-left corner.
//
// The Win32 side feeds: the printer DC's HORZRES and VERTRES (after the
// orientation was set in its device mode), the image's width and height,
// the stored scaling and position options as they are (they are clamped
// here), and for the texts the font heights, LOGPIXELSX of printer and
// screen, and the notes' height measured with DT_CALCRECT | DT_WORDBREAK.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>

struct PageGeometryInput {
    long deviceWidth = 0;   // HORZRES, dots
    long deviceHeight = 0;  // VERTRES, dots
    long imageWidth = 0;    // pixels
    long imageHeight = 0;
    int scaling = 3;        // printer dots per image pixel, clamped to 1-99
    int position = 4;       // 0-8 down the columns from top-left, clamped
};

struct PageLayout {
    int64_t deviceWidth, deviceHeight;
    int64_t imageWidth, imageHeight;
    int scaling;      // clamped
    int position;     // clamped
    // Printable size: the device size less a 5-dot margin on each side.
    int64_t printableWidth, printableHeight;
    int64_t scaledWidth, scaledHeight;  // image size × scaling
    // Top-left corner of the image (of every tile) on the page.
    int64_t x, y;
    // Image pixels that one page holds across and down.
    int64_t tileWidth, tileHeight;
    int64_t columns, rows, pages;
};

// One page of a print: the part of the image it shows.
struct PrintTile {
    int64_t column, row;  // zero-based
    int64_t left, top;    // image pixels from the top-left corner
    int64_t width, height;
};

PageLayout LayoutPage(const PageGeometryInput& input);

// The tile of page index (zero-based): pages run down the first column,
// then down the next, and the first holds the image's top-left corner.
PrintTile TileOfPage(const PageLayout& layout, int64_t index);

// Position cells of the print page: ids 200-208 are the portrait grid,
// 209-217 the landscape grid; both number positions down the columns.
// PositionOfCell gives -1 for any other id.
int PositionOfCell(int controlId);
int CellOfPosition(int position, bool landscape);

// Header, footer and notes are printed only when the image fits one page.
bool PrintsPageTexts(const PageLayout& layout);

// A stored screen font height converted to printer dots, by the ratio of
// the printer's to the screen's horizontal dots per inch. The line height
// is its absolute value.
long PrinterFontHeight(long screenHeight, int printerDpi, int screenDpi);

// The header and footer lines across the page, lineHeight dots high,
// 5 dots from the page's edges.
RECT HeaderRect(const PageLayout& layout, long lineHeight);
RECT FooterRect(const PageLayout& layout, long lineHeight);

struct NotesPlacement {
    bool above = false;        // above the image instead of under it
    bool pageAligned = false;  // page margins instead of the image's edges
};
// The notes' rectangle. Under the image it runs from one line below the
// image to the printable bottom; above, it ends one line above the image
// and is textHeight high, but starts no higher than 5. A rectangle with no
// room left is empty (bottom == top), never inverted. Left and right do not
// depend on textHeight: measure the text between them first.
RECT NotesRect(const PageLayout& layout, NotesPlacement placement, long lineHeight, long textHeight);
