#include "PngFilters.h"

#include <cstdlib>

namespace {
int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}
}

bool UnfilterPngRow(int type, BYTE* row, const BYTE* previous, size_t length, size_t bpp)
{
    switch (type) {
    case 0: return true;
    case 1:
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + row[i - bpp]);
        return true;
    case 2:
        if (previous)
            for (size_t i = 0; i < length; ++i) row[i] = BYTE(row[i] + previous[i]);
        return true;
    case 3:
        for (size_t i = 0; i < length; ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0;
            const int b = previous ? previous[i] : 0;
            row[i] = BYTE(row[i] + ((a + b) >> 1));
        }
        return true;
    case 4:
        for (size_t i = 0; i < length; ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0;
            const int b = previous ? previous[i] : 0;
            const int c = previous && i >= bpp ? previous[i - bpp] : 0;
            row[i] = BYTE(row[i] + Paeth(a, b, c));
        }
        return true;
    default: return false;
    }
}
