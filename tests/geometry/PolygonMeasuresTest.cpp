#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "geometry/PolygonMeasures.h"

namespace rollpath {
namespace {

const std::vector<DPoint> kClockwiseSquare{{0, 0}, {0, 1}, {1, 1}, {1, 0}};

TEST(PolygonConvexity, ClassifiesTurns) {
    const std::vector<DPoint> lShape{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}};
    const std::vector<DPoint> collinear{{0, 0}, {1, 1}, {2, 2}};
    EXPECT_EQ(PolygonConvexity(kClockwiseSquare.data(), 4), kConvex);
    EXPECT_EQ(PolygonConvexity(lShape.data(), 6), kConcave);
    EXPECT_EQ(PolygonConvexity(collinear.data(), 3), kConvexityUnknown);
    EXPECT_EQ(PolygonConvexity(kClockwiseSquare.data(), 2), kConvexityUnknown);
}

// Inside, outside, on a side or a corner, within one foot of a slanted edge,
// and with repeated corners skipped.
TEST(PointInPolygon, BoundariesWithinAFootAndRepeatedCorners) {
    const std::vector<DPoint> sq{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    const std::vector<DPoint> tri{{0, 0}, {10, 10}, {10, 0}};
    const std::vector<DPoint> repeats{{0, 0}, {0, 10}, {0, 10}, {10, 10}, {10, 0}, {10, 0}};
    const struct {
        const std::vector<DPoint>* polygon;
        double x, y;
        int expected;
    } rows[] = {
        {&sq, 5, 5, kInside},        {&sq, 0, 5, kOnBoundary},    {&sq, 10, 10, kOnBoundary},
        {&sq, -0.0001, 5, kOutside}, {&tri, 5, 5.5, kOnBoundary}, {&tri, 5, 3.9, kInside},
        {&tri, 5, 6.1, kOutside},    {&repeats, 5, 5, kInside},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PointInPolygon(row.x, row.y, row.polygon->data(), static_cast<int>(row.polygon->size())),
                  row.expected)
            << row.x << ", " << row.y;
    }
    EXPECT_EQ(PointInPolygon(5, 5, sq.data(), 0), kOutside);
}

TEST(IntersectSegments, StrictBoundsExcludeEndPoints) {
    double x = -1, y = -1;
    EXPECT_EQ(IntersectSegments(0, 0, 10, 10, 0, 10, 10, 0, x, y, 1), 1);
    EXPECT_DOUBLE_EQ(x, 5.0);
    EXPECT_DOUBLE_EQ(y, 5.0);

    x = y = -1;
    EXPECT_EQ(IntersectSegments(0, 0, 10, 0, 5, 0, 15, 0, x, y, 0), 0);  // collinear
    // Meeting exactly at an end point: bounded says no, unbounded finds it.
    EXPECT_EQ(IntersectSegments(0, 0, 10, 0, 10, -5, 10, 5, x, y, 1), 0);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(IntersectSegments(0, 0, 10, 0, 10, -5, 10, 5, x, y, 0), 1);
    EXPECT_DOUBLE_EQ(x, 10.0);
    EXPECT_DOUBLE_EQ(y, 0.0);

    // Unbounded lines meet beyond both segments.
    DPoint p;
    EXPECT_EQ(IntersectSegments({0, 0}, {1, 0}, {5, 3}, {5, 4}, p, false), 1);
    EXPECT_EQ(p, (DPoint{5, 0}));
    EXPECT_EQ(IntersectSegments({0, 0}, {1, 0}, {5, 3}, {5, 4}, p, true), 0);
}

TEST(DistanceToLine, SignGateAndDegenerateLine) {
    EXPECT_EQ(DistanceToLine(5, -3, 0, 0, 10, 0, 0), -3);
    EXPECT_EQ(DistanceToLine(15, 3, 0, 0, 10, 0, 1), kDistanceOutsideGate);
    EXPECT_EQ(DistanceToLine(10, 3, 0, 0, 10, 0, 1), 3);                     // the box is inclusive
    EXPECT_EQ(DistanceToLine(3, 12, 0, 0, 0, 10, 1), kDistanceOutsideGate);  // vertical: only y
    EXPECT_EQ(DistanceToLine(7, 20, 0, 0, 10, 10, 1), kDistanceOutsideGate);
    // Truncated toward zero.
    EXPECT_EQ(DistanceToLine(0, 10, 0, 0, 10, 10, 0), 7);
    // Two equal line points: the distance to that point.
    EXPECT_EQ(DistanceToLine(3, 4, 0, 0, 0, 0, 0), 5);
}

TEST(RoundAwayFromZero, RoundsOutward) {
    EXPECT_EQ(RoundAwayFromZero(2.1), 3);
    EXPECT_EQ(RoundAwayFromZero(-2.1), -3);
    EXPECT_EQ(RoundAwayFromZero(2.0), 2);
    EXPECT_EQ(RoundAwayFromZero(1e30), INT_MAX);
    EXPECT_EQ(RoundAwayFromZero(2147483646.5), INT_MAX);
    EXPECT_EQ(RoundAwayFromZero(-2147483647.5), INT_MIN);
    EXPECT_EQ(RoundAwayFromZero(-1e30), INT_MIN);
    EXPECT_EQ(RoundAwayFromZero(std::nan("")), 0);
}

}  // namespace
}  // namespace rollpath
