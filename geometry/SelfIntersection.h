#pragma once

// Whether a polygon's outline touches or crosses itself.

#include <optional>
#include <span>

#include "geometry/DPoint.h"

namespace rollpath {

// The first point found where the closed outline meets itself: two edges
// that are not neighbours share a point (a crossing, or a corner touching
// another edge), or two neighbouring edges overlap along a stretch (the
// outline turns straight back). Consecutive equal points count as one
// corner. Nothing for a simple outline, and for fewer than 3 distinct
// consecutive corners. Exact in double arithmetic; O(n log n) plus the pairs
// whose x ranges overlap.
std::optional<DPoint> FindSelfIntersection(std::span<const DPoint> polygon);

}  // namespace rollpath
