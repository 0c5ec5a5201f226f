#pragma once

// The points a polygon drawn with the polygon tool keeps when it is
// finished.

#include <span>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

// Keeps the first point and each later point farther than `sensitivity` feet
// from the last kept one; then drops the last kept point when it lies within
// `sensitivity` of the first, so a polygon closed by clicking near its start
// gets no duplicate point.
std::vector<DPoint> FilterPolygonPoints(std::span<const DPoint> points, double sensitivity);

}  // namespace rollpath
