// Each filter has its loop for the first row of a pass (no row above) and
// for the others, and starts past the first pixel, so that the inner loops
// carry no tests and Up vectorises.
#include "PngFilters.h"

#include <cstdlib>

namespace {
// Branch-free predictor choice; ties go to a, then b, as the standard
// orders them.
inline int Paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int ab = pb < pa ? b : a;
    const int abMin = pb < pa ? pb : pa;
    return pc < abMin ? c : ab;
}
}

bool UnfilterPngRow(int type, BYTE* row, const BYTE* previous, size_t length, size_t bpp)
{
    const size_t first = bpp < length ? bpp : length;
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
        if (!previous) {
            for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + (row[i - bpp] >> 1));
            return true;
        }
        for (size_t i = 0; i < first; ++i) row[i] = BYTE(row[i] + (previous[i] >> 1));
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + ((row[i - bpp] + previous[i]) >> 1));
        return true;
    case 4:
        // With no row above, Paeth always picks the left byte: Sub.
        if (!previous) return UnfilterPngRow(1, row, previous, length, bpp);
        for (size_t i = 0; i < first; ++i) row[i] = BYTE(row[i] + previous[i]);
        for (size_t i = bpp; i < length; ++i) row[i] = BYTE(row[i] + Paeth(row[i - bpp], previous[i], previous[i - bpp]));
        return true;
    default: return false;
    }
}
