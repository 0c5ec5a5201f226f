#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "pavement/LightRows.h"

namespace rollpath {
namespace {

TEST(Lights, DamagedRowsStayBounded) {
    std::vector<DPoint> points;
    double spacing = 0.0;
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{1e12, 0}}, 1, points, spacing), kMaxLightsPerRow);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{nan, 0}}, 100, points, spacing), 1);
}

}  // namespace
}  // namespace rollpath
