#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "geometry/SelfIntersection.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

TEST(SelfIntersection, OutlinesThatMeetThemselvesAndOnesThatDoNot) {
    const struct {
        const char* name;
        std::vector<DPoint> polygon;
        std::optional<DPoint> meets;
    } rows[] = {
        {"square", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, std::nullopt},
        {"square with repeated corners", {{0, 0}, {0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, std::nullopt},
        {"L shape", {{0, 0}, {0, 30}, {10, 30}, {10, 10}, {30, 10}, {30, 0}}, std::nullopt},
        {"bow tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, DPoint{5, 5}},
        {"corner on a far edge", {{0, 0}, {0, 10}, {5, 0}, {10, 10}, {10, 0}}, DPoint{5, 0}},
        {"outline through one point twice",
         {{0, 0}, {5, 5}, {10, 0}, {10, 10}, {5, 5}, {0, 10}},
         DPoint{5, 5}},
        {"spike turning straight back",
         {{0, 0}, {0, 10}, {10, 10}, {10, 20}, {10, 5}, {10, 0}},
         DPoint{10, 20}},
        {"three points on a line", {{0, 0}, {10, 0}, {30, 0}}, DPoint{30, 0}},
        {"two points", {{0, 0}, {10, 0}}, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FindSelfIntersection(row.polygon), row.meets) << row.name;
    }
}

// Star-shaped, convex, spiral, comb and staircase outlines are simple; a
// convex outline with a stretch of its corners taken in reverse order is not.
RC_GTEST_PROP(SelfIntersection, SimpleOutlinesPassAndReversedStretchesOfConvexOnesCross, ()) {
    const auto seed = *rc::gen::arbitrary<std::uint32_t>();
    const int n = *rc::gen::inRange(3, 300);
    for (const auto& simple :
         {testing::StarPolygon(n, seed), testing::ConvexPolygon(n, seed), testing::SpiralPolygon(200 + 2 * n),
          testing::CombPolygon(n % 20 + 1, seed % 2 == 0), testing::StaircasePolygon(n % 30 + 1)}) {
        RC_ASSERT(!FindSelfIntersection(simple).has_value());
        RC_ASSERT(!FindSelfIntersection(testing::Reversed(simple)).has_value());
    }
    RC_PRE(n >= 4);
    std::vector<DPoint> convex = testing::ConvexPolygon(n, seed);
    const int first = *rc::gen::inRange(0, n - 1);
    const int length = *rc::gen::inRange(2, n - 1);
    std::rotate(convex.begin(), convex.begin() + first, convex.end());
    std::reverse(convex.begin(), convex.begin() + length);
    RC_ASSERT(FindSelfIntersection(convex).has_value());
}

}  // namespace
}  // namespace rollpath
