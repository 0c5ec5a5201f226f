#pragma once

#include <array>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

// Evenly spaced lights on a row from line[0] to line[1], both ends lit, about
// liteSpacing feet apart (a row longer than 100 ft and shorter than 200 ft
// always gets three lights). Fills points, gives the spacing actually used
// (0 for a single light) and returns the number of lights, at least 1.
int LightPointsAlongLine(const std::array<DPoint, 2>& line, int liteSpacing, std::vector<DPoint>& points,
                         double& spacing);

// The most lights one row gets; a longer row (only from damaged data: it
// would be hundreds of miles long) is lit at this many points.
inline constexpr int kMaxLightsPerRow = 20000;

}  // namespace rollpath
