// Capture rectangle checks, depth table and size readout placement.
// Differences are taken in 64 bits: a stored rectangle may hold any 32-bit
// values, and right - left must not overflow before it is checked.
#include "CaptureGeometry.h"

#include <algorithm>
#include <cstdio>

bool CaptureExtent(const RECT& rc, int32_t* width, int32_t* height)
{
    int64_t w = int64_t(rc.right) - rc.left;
    int64_t h = int64_t(rc.bottom) - rc.top;
    if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return false;
    *width = int32_t(w);
    *height = int32_t(h);
    return true;
}

RECT ClipToScreen(const RECT& rc, int screenWidth, int screenHeight)
{
    RECT clipped = {std::max<LONG>(rc.left, 0), std::max<LONG>(rc.top, 0),
                    std::min<LONG>(rc.right, screenWidth), std::min<LONG>(rc.bottom, screenHeight)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return RECT{0, 0, 0, 0};
    return clipped;
}

int CaptureBitCount(int displayDepth)
{
    if (displayDepth <= 1) return 1;
    if (displayDepth <= 4) return 4;
    if (displayDepth <= 8) return 8;
    return 24;
}

std::string SizeReadoutText(const RECT& rc)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lldx%lld", static_cast<long long>(int64_t(rc.right) - rc.left),
                  static_cast<long long>(int64_t(rc.bottom) - rc.top));
    return text;
}

POINT SizeReadoutOrigin(const RECT& rc, int textWidth, int textHeight)
{
    return POINT{LONG((int64_t(rc.right) - textWidth + rc.left) / 2),
                 LONG((int64_t(rc.bottom) - textHeight + rc.top) / 2)};
}
