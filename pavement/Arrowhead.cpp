#include "pavement/Arrowhead.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

constexpr double kArmAngle = 10.0 * kDegToRad;
constexpr double kCutAngle = 80.0 * kDegToRad;

DPoint Along(const DPoint& p, double angle, double distance) {
    return DPoint{p.x + distance * math::Cos(angle), p.y + distance * math::Sin(angle)};
}

}  // namespace

std::array<DPoint, 6> ArrowheadPoints(const DPoint& tip, double phi, double q, double stroke) {
    const double t = stroke / math::Cos(kCutAngle);
    const double e = q - t * math::Sin(kCutAngle);
    const DPoint p1 = Along(tip, phi, t);
    return {tip,
            p1,
            Along(p1, phi - kArmAngle, e),
            Along(tip, phi - kArmAngle, q),
            Along(p1, phi + kArmAngle, e),
            Along(tip, phi + kArmAngle, q)};
}

void AppendArrowheadQuads(const std::array<DPoint, 6>& p, std::vector<Quad>& out) {
    out.push_back(Quad{p[0], p[1], p[2], p[3]});
    out.push_back(Quad{p[0], p[1], p[4], p[5]});
}

double ArrowStrokeFor(double width) {
    if (width <= 50.0) {
        return 1.0;
    }
    if (width <= 100.0) {
        return 1.5;
    }
    return 2.0;
}

}  // namespace rollpath
