// Line sequences of the notification flashes (see FlashGeometry.h).
// Coordinates are worked in 64 bits so that a rectangle at the edge of the
// 32-bit range cannot wrap while the box is widened by one pixel.
#include "FlashGeometry.h"

#include "CaptureGeometry.h"

#include <cstdint>

namespace {

void AddStrip(std::vector<InvertStrip>& out, int64_t x, int64_t y, int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0) return;
    out.push_back(InvertStrip{LONG(x), LONG(y), LONG(width), LONG(height)});
}

// Columns l and r from t to b inclusive, rows t and b between them starting
// at column m (m = l + 1 for a closed ring).
void AddRing(std::vector<InvertStrip>& out, int64_t l, int64_t t, int64_t r, int64_t b, int64_t m)
{
    AddStrip(out, l, t, 1, b - t + 1);
    AddStrip(out, r, t, 1, b - t + 1);
    AddStrip(out, m, t, r - l - 1, 1);
    AddStrip(out, m, b, r - l - 1, 1);
}

bool HasArea(const RECT& rc)
{
    int32_t width, height;
    return CaptureExtent(rc, &width, &height);
}

}  // namespace

int FlashRepeatCount(int notification, int displayDepth)
{
    if (displayDepth > 8) return 1;
    switch (notification) {
    case 1: return 3;  // Center-In
    case 3: return 5;  // Up-Down
    default: return 1; // Inside Out
    }
}

FlashPlan CenterInPlan(const RECT& rc, int repeat)
{
    FlashPlan plan;
    if (!HasArea(rc)) return plan;
    int64_t l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    if ((r - l) % 2 == 0) --r;
    if ((b - t) % 2 == 0) --b;

    int rings = 0;
    while (l <= r && t <= b) {
        for (int k = 0; k < repeat; ++k) AddRing(plan.phase1, l, t, r, b, l + 1);
        ++l, ++t, --r, --b;
        ++rings;
    }
    // Back out from the innermost ring: the same rings in reverse order.
    int64_t m = l + 1;
    for (int i = 0; i < rings; ++i) {
        --l, --m, --t, ++r, ++b;
        AddRing(plan.phase2, l, t, r, b, m);
    }
    return plan;
}

namespace {

// Inside Out on columns (rows false) or Up-Down on rows (rows true):
// low..high is the split axis, the strips span from..from+span.
FlashPlan SplitPlan(int64_t low, int64_t high, int64_t from, int64_t span, int repeat, bool rows)
{
    FlashPlan plan;
    auto add = [&](std::vector<InvertStrip>& out, int64_t at) {
        if (rows)
            AddStrip(out, from, at, span, 1);
        else
            AddStrip(out, at, from, 1, span);
    };
    int64_t c = low + (high - low) / 2;
    int64_t a = c, d = c - 1;
    while (a < high) {
        for (int k = 0; k < repeat; ++k) {
            add(plan.phase1, a);
            add(plan.phase1, d);
        }
        ++a, --d;
    }
    a = high - 1;
    ++d;
    while (a >= c) {
        add(plan.phase2, a);
        add(plan.phase2, d);
        --a, ++d;
    }
    return plan;
}

}  // namespace

FlashPlan InsideOutPlan(const RECT& rc, int repeat)
{
    if (!HasArea(rc)) return FlashPlan();
    return SplitPlan(rc.left, rc.right, rc.top, int64_t(rc.bottom) - rc.top, repeat, false);
}

FlashPlan UpDownPlan(const RECT& rc, int repeat)
{
    if (!HasArea(rc)) return FlashPlan();
    return SplitPlan(rc.top, rc.bottom, rc.left, int64_t(rc.right) - rc.left, repeat, true);
}
