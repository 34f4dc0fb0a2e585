// Canvas placement arithmetic of the image document.
#include "XDocumentLayout.h"

#include <algorithm>
#include <cstdint>

namespace {
LONG Clamp32(int64_t v)
{
    return LONG(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}
}

RECT PlacementForSlot(int slot, int width, int height)
{
    int64_t offset = int64_t(slot) * 50;
    return RECT{Clamp32(offset), Clamp32(offset), Clamp32(offset + width), Clamp32(offset + height)};
}

SIZE CanvasExtent(const std::vector<RECT>& places, int marginX, int marginY)
{
    int64_t minLeft = 0, minTop = 0, maxRight = 0, maxBottom = 0;
    bool any = false;
    for (const RECT& rc : places) {
        minLeft = std::min<int64_t>(minLeft, rc.left);
        minTop = std::min<int64_t>(minTop, rc.top);
        maxRight = any ? std::max<int64_t>(maxRight, rc.right) : rc.right;
        maxBottom = any ? std::max<int64_t>(maxBottom, rc.bottom) : rc.bottom;
        any = true;
    }
    int64_t cx = maxRight - minLeft + 2 * int64_t(marginX);
    int64_t cy = maxBottom - minTop + 2 * int64_t(marginY);
    return SIZE{Clamp32(std::max<int64_t>(0, cx)), Clamp32(std::max<int64_t>(0, cy))};
}

POINT FullViewOrigin(const std::vector<RECT>& places, int screenWidth, int screenHeight)
{
    int64_t minLeft = 0, minTop = 0, maxRight = 0, maxBottom = 0;
    for (const RECT& rc : places) {
        minLeft = std::min<int64_t>(minLeft, rc.left);
        minTop = std::min<int64_t>(minTop, rc.top);
        maxRight = std::max<int64_t>(maxRight, rc.right);
        maxBottom = std::max<int64_t>(maxBottom, rc.bottom);
    }
    auto centred = [](int64_t screen, int64_t box) { return box >= screen ? 0 : LONG((screen - box) / 2); };
    return POINT{centred(screenWidth, maxRight - minLeft), centred(screenHeight, maxBottom - minTop)};
}
