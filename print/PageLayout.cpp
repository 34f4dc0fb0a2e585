// Page geometry of a print (see PageLayout.h).
//
// Sizes are 64-bit: a 65535-pixel image at scaling 99 is 6.5 million dots
// across, and a tiny printable area can make its page count exceed 2^31.
// The printable size is kept at least one dot and a page at least one
// pixel, so no hand-edited option or odd driver divides by zero.
//
// Columns and rows are counted as the pages needed to show every pixel:
// ceil(image size / pixels per page). Where the scaling divides the
// printable size this equals scaled size / printable size + 1, except that
// an exact multiple gets no empty extra page; where it does not divide, the
// older formula can come out one page short and cut off the image's right
// or bottom edge (scaling 99 on a 4790-dot printable width holds 48 pixels
// a page: a 10000-pixel image needs 209 columns, not 207).
#include "PageLayout.h"

#include "PrintJobRules.h"

#include <algorithm>

namespace {

const int64_t kMargin = 5;

int64_t PagesFor(int64_t pixels, int64_t perPage)
{
    return pixels <= 0 ? 0 : (pixels + perPage - 1) / perPage;
}

// Offset of the image along one axis: start, middle or end of the free
// room, at the margin when the image is larger than the page.
int64_t Place(int64_t printable, int64_t scaled, int step)
{
    if (scaled > printable) return kMargin;
    return kMargin + ((printable - scaled) * step >> 1);
}

}  // namespace

PageLayout LayoutPage(const PageGeometryInput& input)
{
    PageLayout layout = {};
    layout.deviceWidth = input.deviceWidth;
    layout.deviceHeight = input.deviceHeight;
    layout.imageWidth = std::max(0L, input.imageWidth);
    layout.imageHeight = std::max(0L, input.imageHeight);
    layout.scaling = ClampScaling(input.scaling);
    layout.position = ClampPosition(input.position);
    layout.printableWidth = std::max<int64_t>(1, layout.deviceWidth - 2 * kMargin);
    layout.printableHeight = std::max<int64_t>(1, layout.deviceHeight - 2 * kMargin);
    layout.scaledWidth = layout.imageWidth * layout.scaling;
    layout.scaledHeight = layout.imageHeight * layout.scaling;
    // Positions run down the columns: column = position / 3, row = position % 3.
    layout.x = Place(layout.printableWidth, layout.scaledWidth, layout.position / 3);
    layout.y = Place(layout.printableHeight, layout.scaledHeight, layout.position % 3);
    layout.tileWidth = std::max<int64_t>(1, layout.printableWidth / layout.scaling);
    layout.tileHeight = std::max<int64_t>(1, layout.printableHeight / layout.scaling);
    layout.columns = PagesFor(layout.imageWidth, layout.tileWidth);
    layout.rows = PagesFor(layout.imageHeight, layout.tileHeight);
    layout.pages = layout.columns * layout.rows;
    return layout;
}

PrintTile TileOfPage(const PageLayout& layout, int64_t index)
{
    PrintTile tile = {};
    if (layout.rows <= 0 || index < 0 || index >= layout.pages) return tile;
    tile.column = index / layout.rows;
    tile.row = index % layout.rows;
    tile.left = tile.column * layout.tileWidth;
    tile.top = tile.row * layout.tileHeight;
    tile.width = std::min(layout.tileWidth, layout.imageWidth - tile.left);
    tile.height = std::min(layout.tileHeight, layout.imageHeight - tile.top);
    return tile;
}

int PositionOfCell(int controlId)
{
    if (controlId >= 200 && controlId <= 208) return controlId - 200;
    if (controlId >= 209 && controlId <= 217) return controlId - 209;
    return -1;
}

int CellOfPosition(int position, bool landscape) { return (landscape ? 209 : 200) + ClampPosition(position); }

bool PrintsPageTexts(const PageLayout& layout) { return layout.pages == 1; }

long PrinterFontHeight(long screenHeight, int printerDpi, int screenDpi)
{
    if (screenDpi <= 0 || printerDpi <= 0) return screenHeight;
    return long(int64_t(screenHeight) * printerDpi / screenDpi);
}

RECT HeaderRect(const PageLayout& layout, long lineHeight)
{
    RECT rc;
    rc.left = LONG(kMargin);
    rc.top = LONG(kMargin);
    rc.right = LONG(layout.deviceWidth - kMargin);
    rc.bottom = LONG(lineHeight + kMargin);
    return rc;
}

RECT FooterRect(const PageLayout& layout, long lineHeight)
{
    RECT rc;
    rc.left = LONG(kMargin);
    rc.top = LONG(layout.deviceHeight - lineHeight - kMargin);
    rc.right = LONG(layout.deviceWidth - kMargin);
    rc.bottom = LONG(layout.deviceHeight - kMargin);
    return rc;
}

RECT NotesRect(const PageLayout& layout, NotesPlacement placement, long lineHeight, long textHeight)
{
    int64_t left = placement.pageAligned ? kMargin : layout.x;
    int64_t right = placement.pageAligned ? layout.printableWidth - kMargin : layout.x + layout.scaledWidth;
    int64_t top, bottom;
    if (placement.above) {
        bottom = std::max<int64_t>(kMargin, layout.y - lineHeight);
        top = std::max<int64_t>(kMargin, bottom - textHeight);
    } else {
        top = layout.y + layout.scaledHeight + lineHeight;
        bottom = std::max(top, layout.printableHeight - kMargin);
    }
    RECT rc;
    rc.left = LONG(left);
    rc.top = LONG(top);
    rc.right = LONG(std::max(left, right));
    rc.bottom = LONG(bottom);
    return rc;
}
