#pragma once

// The axis-aligned box of some world points (LocalFeet), for the tests that
// skip what cannot show before any point is copied or projected.

#include <algorithm>

#include "geometry/DPoint.h"

namespace rollpath {

struct WorldBox {
    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;
};

// n > 0.
inline WorldBox BoxOf(const DPoint* points, int n) {
    WorldBox box{points[0].x, points[0].x, points[0].y, points[0].y};
    for (int i = 1; i < n; ++i) {
        box.x0 = std::min(box.x0, points[i].x);
        box.x1 = std::max(box.x1, points[i].x);
        box.y0 = std::min(box.y0, points[i].y);
        box.y1 = std::max(box.y1, points[i].y);
    }
    return box;
}

}  // namespace rollpath
