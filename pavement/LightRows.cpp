#include "pavement/LightRows.h"

#include <cmath>

namespace rollpath {

int LightPointsAlongLine(const std::array<DPoint, 2>& line, int liteSpacing, std::vector<DPoint>& points,
                         double& spacing) {
    points.clear();
    const DPoint& a = line[0];
    const DPoint& b = line[1];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if ((a.x == b.x && a.y == b.y) || !std::isfinite(length)) {
        points.push_back(a);
        spacing = 0.0;
        return 1;
    }
    // A spacing below one foot (a hand-edited setting) counts as one foot.
    const double nominal = liteSpacing < 1 ? 1.0 : static_cast<double>(liteSpacing);
    double intervals = std::trunc(length / nominal + 0.5);
    if (length > 100.0 && length < 200.0) {
        intervals = 2.0;
    } else if (intervals < 1.0) {
        intervals = 1.0;
    }
    if (intervals > kMaxLightsPerRow - 1) {
        intervals = kMaxLightsPerRow - 1;
    }
    const int n = static_cast<int>(intervals);
    spacing = length / n;
    const double ux = (b.x - a.x) / length;
    const double uy = (b.y - a.y) / length;
    points.reserve(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        points.push_back(DPoint{a.x + k * spacing * ux, a.y + k * spacing * uy});
    }
    return n + 1;
}

}  // namespace rollpath
