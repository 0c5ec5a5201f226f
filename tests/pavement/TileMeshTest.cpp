#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "pavement/TileMesh.h"

namespace rollpath {
namespace {

// Same index for every point and the same table, entry by entry (bits
// included, so a -0.0 kept first stays -0.0).
void ExpectSameAsLinearSearch(const std::vector<DPoint>& sequence) {
    std::vector<DPoint> linear;
    // A table used before and cleared, as each tile section reuses it.
    VertexTable hashed;
    hashed.FindOrAdd({1.0, 2.0});
    hashed.Clear();
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const std::uint32_t expected = FindOrAddVertex(sequence[i], linear);
        ASSERT_EQ(hashed.FindOrAdd(sequence[i]), expected) << "point " << i;
    }
    ASSERT_EQ(hashed.size(), linear.size());
    for (std::size_t i = 0; i < linear.size(); ++i) {
        EXPECT_EQ(std::signbit(hashed.points()[i].x), std::signbit(linear[i].x)) << i;
        EXPECT_EQ(std::signbit(hashed.points()[i].y), std::signbit(linear[i].y)) << i;
        if (!std::isnan(linear[i].x) && !std::isnan(linear[i].y)) {
            EXPECT_EQ(hashed.points()[i], linear[i]) << i;
        }
    }
}

TEST(VertexTable, SignedZerosInfinitiesAndNaNsAsTheLinearSearchTreatsThem) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectSameAsLinearSearch({{-0.0, 0.0},
                              {0.0, -0.0},
                              {0.0, 0.0},
                              {nan, 1.0},
                              {nan, 1.0},
                              {1.0, nan},
                              {inf, -inf},
                              {inf, -inf},
                              {-0.0, -0.0},
                              {5.0, 5.0},
                              {nan, nan},
                              {5.0, 5.0}});
}

}  // namespace
}  // namespace rollpath
