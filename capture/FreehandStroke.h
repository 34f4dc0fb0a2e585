// The freehand stroke as pure geometry: the point buffer with its size
// fallbacks, the stroke's bounding box and the row spans that decide which
// pixels of each row stay in the picture (from the row's leftmost to its
// rightmost stroke point; vertical gaps between two recorded points are
// filled in by linear steps). Coordinates are screen pixels.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct StrokePoint {
    int32_t x, y;
};

// The recorded points of one stroke. Never grows past its capacity.
class StrokePoints {
public:
    // Tries 10 000 points, then 5 000, then 1 000; false when none fits.
    bool Allocate();
    // False, recording nothing, when the buffer is full.
    bool Add(StrokePoint pt);
    const StrokePoint* data() const { return m_points.get(); }
    size_t size() const { return m_count; }

private:
    std::unique_ptr<StrokePoint[]> m_points;
    size_t m_capacity = 0;
    size_t m_count = 0;
};

// Left and top are the smallest coordinates, right and bottom one beyond
// the largest. count must be at least 1.
RECT StrokeBounds(const StrokePoint* points, size_t count);

// For each of box's rows, the smallest and the largest x relative to
// box.left that the stroke reaches in it; a row never reached keeps the
// box width as its smallest x and 0 as its largest. Points outside box are
// left out. Both arrays hold box's height entries.
void StrokeRowSpans(const StrokePoint* points, size_t count, const RECT& box, int32_t* minX, int32_t* maxX);
