#pragma once

#include <array>

namespace rollpath {

// A point of the plane. In LocalFeet x grows east and y north, unit one foot.
// A polygon is a contiguous array of DPoint with a signed 32-bit count; the
// closing edge from the last point back to the first is implied.
struct DPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const DPoint&, const DPoint&) = default;
};

// Every painted marking piece is a quadrilateral.
using Quad = std::array<DPoint, 4>;

}  // namespace rollpath
