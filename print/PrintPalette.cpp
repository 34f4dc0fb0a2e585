// Print colour tables (see PrintPalette.h). The gray level uses the
// program's weights 30, 54 and 11 (they add up to 95, so the level runs a
// little dark), and an entry with equal red, green and blue keeps its
// level exactly; the level is then lifted so that mid-tones do not print
// too dark.
#include "PrintPalette.h"

namespace {

int GrayLevel(const RGBQUAD& c)
{
    if (c.rgbRed == c.rgbGreen && c.rgbGreen == c.rgbBlue) return c.rgbRed;
    return (30 * c.rgbRed + 54 * c.rgbGreen + 11 * c.rgbBlue) / 100;
}

int LightenForPrint(int gray)
{
    if (gray <= 0 || gray >= 218) return gray;
    return gray < 128 ? gray + 58 : gray + 38;
}

int NearestReference(const RGBQUAD& c, const BlackWhiteReference& reference)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        long dr = long(c.rgbRed) - reference.colors[i].rgbRed;
        long dg = long(c.rgbGreen) - reference.colors[i].rgbGreen;
        long db = long(c.rgbBlue) - reference.colors[i].rgbBlue;
        long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

RGBQUAD Gray(int level)
{
    RGBQUAD c;
    c.rgbRed = c.rgbGreen = c.rgbBlue = BYTE(level);
    c.rgbReserved = 0;
    return c;
}

}  // namespace

std::optional<std::vector<RGBQUAD>> PrintColorTable(const RGBQUAD* table, size_t count, int bitsPerPixel, int colorMode,
                                                    const BlackWhiteReference& reference)
{
    if (colorMode != 1 && colorMode != 2) return std::nullopt;
    if (bitsPerPixel <= 1 || bitsPerPixel >= 24 || !table || count == 0) return std::nullopt;
    std::vector<RGBQUAD> colors(table, table + count);
    for (RGBQUAD& c : colors) {
        if (colorMode == 1)
            c = Gray(LightenForPrint(GrayLevel(c)));
        else
            c = Gray(reference.white[NearestReference(c, reference)] ? 255 : 0);
    }
    return colors;
}
