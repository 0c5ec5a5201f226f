#pragma once

// The inputs every peer comparison shares: one star-shaped polygon of n
// vertices (seed 12345), or for n = 0 every ground and junction polygon of
// the large synthetic airport; counter-clockwise, at most 1999 vertices.

#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

std::vector<std::vector<DPoint>> PeerInputs(int stars);

}  // namespace rollpath
