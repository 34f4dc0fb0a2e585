// Freehand stroke geometry (see FreehandStroke.h). The interpolation step is
// the horizontal distance divided by the vertical one, truncated towards
// zero, so the filled-in values stay between the two points' x values.
#include "FreehandStroke.h"

#include <algorithm>
#include <cstdlib>
#include <new>

bool StrokePoints::Allocate()
{
    for (size_t capacity : {size_t(10000), size_t(5000), size_t(1000)}) {
        m_points.reset(new (std::nothrow) StrokePoint[capacity]());
        if (m_points) {
            m_capacity = capacity;
            m_count = 0;
            return true;
        }
    }
    m_capacity = m_count = 0;
    return false;
}

bool StrokePoints::Add(StrokePoint pt)
{
    if (m_count >= m_capacity) return false;
    m_points[m_count++] = pt;
    return true;
}

RECT StrokeBounds(const StrokePoint* points, size_t count)
{
    RECT box = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (size_t i = 1; i < count; ++i) {
        box.left = std::min<LONG>(box.left, points[i].x);
        box.top = std::min<LONG>(box.top, points[i].y);
        box.right = std::max<LONG>(box.right, points[i].x);
        box.bottom = std::max<LONG>(box.bottom, points[i].y);
    }
    ++box.right;
    ++box.bottom;
    return box;
}

namespace {

void Reach(const RECT& box, int32_t x, int32_t y, int32_t* minX, int32_t* maxX)
{
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return;
    const size_t row = size_t(y - box.top);
    minX[row] = std::min(minX[row], x - int32_t(box.left));
    maxX[row] = std::max(maxX[row], x - int32_t(box.left));
}

}  // namespace

void StrokeRowSpans(const StrokePoint* points, size_t count, const RECT& box, int32_t* minX, int32_t* maxX)
{
    const int32_t width = box.right - box.left, height = box.bottom - box.top;
    std::fill(minX, minX + height, width);
    std::fill(maxX, maxX + height, 0);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) {
            const StrokePoint from = points[i - 1], to = points[i];
            const int32_t dy = std::abs(to.y - from.y);
            const int32_t direction = to.y > from.y ? 1 : -1;
            const int32_t step = dy > 1 ? (to.x - from.x) / dy : 0;
            for (int32_t j = 1; j < dy; ++j) Reach(box, from.x + j * step, from.y + direction * j, minX, maxX);
        }
        Reach(box, points[i].x, points[i].y, minX, maxX);
    }
}
