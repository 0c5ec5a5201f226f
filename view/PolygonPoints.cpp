#include "view/PolygonPoints.h"

#include <cmath>

#include "geometry/PortableMath.h"

namespace rollpath {

std::vector<DPoint> FilterPolygonPoints(std::span<const DPoint> points, double sensitivity) {
    std::vector<DPoint> kept;
    if (points.empty()) {
        return kept;
    }
    kept.push_back(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (HypotDistance(points[i], kept.back()) > sensitivity) {
            kept.push_back(points[i]);
        }
    }
    if (kept.size() > 1 && HypotDistance(kept.back(), kept.front()) <= sensitivity) {
        kept.pop_back();
    }
    return kept;
}

}  // namespace rollpath
