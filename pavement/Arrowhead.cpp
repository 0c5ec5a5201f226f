#include "pavement/Arrowhead.h"

#include <cmath>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"

namespace rollpath {

namespace {

constexpr double kArmAngle = 10.0 * kDegToRad;
constexpr double kCutAngle = 80.0 * kDegToRad;

}  // namespace

double ArrowheadNotch(double stroke) {
    return stroke / math::Cos(kCutAngle);
}

std::array<DPoint, 6> ArrowheadPoints(const DPoint& tip, double phi, double q, double stroke) {
    const double t = ArrowheadNotch(stroke);
    const double e = q - t * math::Sin(kCutAngle);
    const DPoint minus = UnitVector(phi - kArmAngle);
    const DPoint plus = UnitVector(phi + kArmAngle);
    const DPoint p1 = Along(tip, UnitVector(phi), t);
    return {tip, p1, Along(p1, minus, e), Along(tip, minus, q), Along(p1, plus, e), Along(tip, plus, q)};
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
