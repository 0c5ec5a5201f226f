#pragma once

// The order of the segments around a junction vertex.

#include <vector>

#include "pavement/JunctionEnd.h"

namespace rollpath {

struct Neighbour {
    int index = -1;      // -1: none found (only with damaged positions)
    double theta = 0.0;  // signed angle of the corner, radians
};

// The neighbour of ends[current] across the corner on its left (as seen
// travelling toward the vertex p), turning clockwise around p: among the ends
// whose far vertex lies on that side, the one at the smallest angle from the
// current one. When none lies there the corner is a reflex gap: the end at the
// largest angle on the other side, its angle taken the long way round (theta
// = t - 2 pi for t >= 0, t + 2 pi otherwise, |theta| > pi).
Neighbour NextAroundVertex(const std::vector<JunctionEnd>& ends, int current, const DPoint& p);

}  // namespace rollpath
