#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "pavement/LightRows.h"

namespace rollpath {
namespace {

struct RowCase {
    const char* name;
    double length;
    int liteSpacing;
    int lights;
    double spacing;
};

class LightRowCase : public ::testing::TestWithParam<RowCase> {};

TEST_P(LightRowCase, PlacesEvenlySpacedLightsWithBothEndsLit) {
    const RowCase& c = GetParam();
    // A slanted row, so the spacing is measured along the line.
    const double a = 0.6;
    const std::array<DPoint, 2> row{DPoint{100.0, -50.0},
                                    DPoint{100.0 + c.length * std::cos(a), -50.0 + c.length * std::sin(a)}};
    std::vector<DPoint> points;
    double spacing = -1.0;
    EXPECT_EQ(LightPointsAlongLine(row, c.liteSpacing, points, spacing), c.lights);
    ASSERT_EQ(static_cast<int>(points.size()), c.lights);
    EXPECT_NEAR(spacing, c.spacing, 1e-9);
    EXPECT_EQ(points.front(), row[0]);
    EXPECT_NEAR(points.back().x, row[1].x, 1e-9);
    EXPECT_NEAR(points.back().y, row[1].y, 1e-9);
    for (std::size_t k = 1; k < points.size(); ++k) {
        EXPECT_NEAR(std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y), c.spacing,
                    1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Lights, LightRowCase,
                         ::testing::Values(RowCase{"row_450_spacing_100", 450.0, 100, 6, 90.0},
                                           RowCase{"row_150_always_three", 150.0, 100, 3, 75.0},
                                           RowCase{"row_150_ignores_long_spacing", 150.0, 500, 3, 75.0},
                                           RowCase{"exactly_100_general_rule", 100.0, 100, 2, 100.0},
                                           RowCase{"exactly_200_general_rule", 200.0, 100, 3, 100.0},
                                           RowCase{"row_30_raised_to_one_interval", 30.0, 100, 2, 30.0},
                                           RowCase{"spacing_0_counts_as_one_foot", 10.0, 0, 11, 1.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Lights, ARowOfOnePointIsASingleLight) {
    std::vector<DPoint> points;
    double spacing = -1.0;
    EXPECT_EQ(LightPointsAlongLine({DPoint{3, 4}, DPoint{3, 4}}, 100, points, spacing), 1);
    EXPECT_EQ(points, std::vector<DPoint>{(DPoint{3, 4})});
    EXPECT_EQ(spacing, 0.0);
}

TEST(Lights, DamagedRowsStayBounded) {
    std::vector<DPoint> points;
    double spacing = 0.0;
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{1e12, 0}}, 1, points, spacing), kMaxLightsPerRow);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(LightPointsAlongLine({DPoint{0, 0}, DPoint{nan, 0}}, 100, points, spacing), 1);
}

}  // namespace
}  // namespace rollpath
