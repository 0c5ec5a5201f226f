#include <gtest/gtest.h>

#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "pavement/RunwayPlacement.h"
#include "support/DeterministicRandom.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::DeterministicRandom;

// The quick rejection by the outline's box never changes an answer of the
// ray test, also for points within a foot or two of the box.
TEST(RunwayContains, AgreesWithThePolygonTestEverywhere) {
    DeterministicRandom rng(7);
    for (int r = 0; r < 200; ++r) {
        CRollpathDoc doc;
        const double a = rng.Chance(0.3) ? rng.Int(0, 3) * 1.5707963267948966 : rng.Uniform(0.0, 6.3);
        const double half = rng.Uniform(200.0, 3000.0);
        const DPoint c{rng.Uniform(-500, 500), rng.Uniform(-500, 500)};
        const RunwayRecord& runway =
            testing::AddRunway(doc, {c.x - half * std::cos(a), c.y - half * std::sin(a)},
                               {c.x + half * std::cos(a), c.y + half * std::sin(a)}, rng.Int(30, 300));
        for (int k = 0; k < 400; ++k) {
            DPoint p;
            if (rng.Chance(0.5)) {
                // Near a corner or an edge, within a few feet.
                const DPoint& q = runway.corners[static_cast<std::size_t>(rng.Int(0, 3))];
                p = {q.x + rng.Uniform(-4, 4), q.y + rng.Uniform(-4, 4)};
                if (rng.Chance(0.3)) {
                    p.x = std::round(p.x);
                    p.y = std::round(p.y);
                }
            } else {
                p = {c.x + rng.Uniform(-1.2, 1.2) * half, c.y + rng.Uniform(-1.2, 1.2) * half};
            }
            ASSERT_EQ(RunwayContains(runway, p), PointInPolygon(p.x, p.y, runway.corners.data(), 4))
                << p.x << " " << p.y;
        }
        for (const DPoint& q : runway.corners) {
            EXPECT_EQ(RunwayContains(runway, q), kOnBoundary);
        }
    }
}

TEST(RunwayPlacement, CrossingAndFootOfDegenerateRunways) {
    CRollpathDoc doc;
    const RunwayRecord& point = testing::AddRunway(doc, {100, 100}, {100, 100}, 100);
    const RunwayRecord& line = testing::AddRunway(doc, {0, 100}, {1000, 100}, 100);
    DPoint out{-1, -1};
    EXPECT_FALSE(FootOnCentreLine(point, {120, 110}, out));
    EXPECT_FALSE(RunwayCrossing(line, line, out));  // parallel
    EXPECT_EQ(out, (DPoint{-1, -1}));
    EXPECT_TRUE(FootOnCentreLine(line, {500, 130}, out));
    EXPECT_EQ(out, (DPoint{500, 100}));
    EXPECT_FALSE(FootOnCentreLine(line, {500, 100}, out));  // already on it
}

}  // namespace
}  // namespace rollpath
