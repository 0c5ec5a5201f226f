#include "view/PolygonPoints.h"

#include <cmath>

#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

double Distance(const DPoint& a, const DPoint& b) {
    return math::Hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

std::vector<DPoint> FilterPolygonPoints(std::span<const DPoint> points, double sensitivity) {
    std::vector<DPoint> kept;
    if (points.empty()) {
        return kept;
    }
    kept.push_back(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (Distance(points[i], kept.back()) > sensitivity) {
            kept.push_back(points[i]);
        }
    }
    if (kept.size() > 1 && Distance(kept.back(), kept.front()) <= sensitivity) {
        kept.pop_back();
    }
    return kept;
}

}  // namespace rollpath
