#pragma once

#include <array>
#include <cmath>

#include "geometry/PortableMath.h"

namespace rollpath {

// A point of the plane. In LocalFeet x grows east and y north, unit one foot.
// A polygon is a contiguous array of DPoint with a signed 32-bit count; the
// closing edge from the last point back to the first is implied.
struct DPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const DPoint&, const DPoint&) = default;
};

// The point `distance` from p along `direction`: feet when the direction is a
// unit vector. Every offset and stroke of the pavement is built with it.
inline DPoint Along(const DPoint& p, const DPoint& direction, double distance) {
    return DPoint{p.x + distance * direction.x, p.y + distance * direction.y};
}

// The unit vector at `angle` radians, counter-clockwise from east.
inline DPoint UnitVector(double angle) {
    return DPoint{math::Cos(angle), math::Sin(angle)};
}

// The same bits on every platform, unlike a sum of squares under sqrt.
inline double HypotDistance(const DPoint& a, const DPoint& b) {
    return math::Hypot(a.x - b.x, a.y - b.y);
}

inline DPoint Midpoint(const DPoint& a, const DPoint& b) {
    return DPoint{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// Every painted marking piece is a quadrilateral.
using Quad = std::array<DPoint, 4>;

}  // namespace rollpath
