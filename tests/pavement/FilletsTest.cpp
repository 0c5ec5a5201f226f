#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/PolygonMeasures.h"
#include "pavement/Fillets.h"

namespace rollpath {
namespace {

constexpr double kTol = 1e-9;

#define EXPECT_POINT(p, ex, ey)         \
    do {                                \
        EXPECT_NEAR((p).x, (ex), 1e-9); \
        EXPECT_NEAR((p).y, (ey), 1e-9); \
    } while (0)

TEST(FilletControlPoints, TangentPointsLieTheCapBackWithInnerPointsHalfway) {
    // Lines arriving from the west (uA east) and from the north (uB south)
    // meeting at c.
    const DPoint c{10.0, 20.0};
    const Fillet f = FilletControlPoints(c, 25.0, {-300.0, 20.0}, {10.0, 400.0}, {1.0, 0.0}, {0.0, -1.0});
    EXPECT_POINT(f.t1, -15.0, 20.0);
    EXPECT_POINT(f.m1, -2.5, 20.0);
    EXPECT_POINT(f.m2, 10.0, 32.5);
    EXPECT_POINT(f.t2, 10.0, 45.0);
    EXPECT_POINT(FilletPoint(f, 0.0), -15.0, 20.0);
    EXPECT_POINT(FilletPoint(f, 1.0), 10.0, 45.0);
}

TEST(FilletControlPoints, NeverReachesPastALinesFarPoint) {
    const DPoint c{0.0, 0.0};
    const Fillet f = FilletControlPoints(c, 50.0, {-12.0, 0.0}, {0.0, 80.0}, {1.0, 0.0}, {0.0, -1.0});
    EXPECT_POINT(f.t1, -12.0, 0.0);
    EXPECT_POINT(f.m1, -6.0, 0.0);
    EXPECT_POINT(f.t2, 0.0, 50.0);
}

// A quarter turn from heading east to heading north, with its lead points.
std::vector<DPoint> QuarterTurn(int depth, const Fillet& f) {
    std::vector<DPoint> polyline{{f.t1.x - 1.0, f.t1.y}};
    for (const DPoint& p : FilletCurve(f, depth)) {
        polyline.push_back(p);
    }
    polyline.push_back({f.t2.x, f.t2.y + 1.0});
    return polyline;
}

double QuadArea(const Quad& q) {
    return PolygonArea(q.data(), 4);
}

TEST(CurvedStrip, OneQuadPerIntervalSharingEdgesAndEndingOnTheEndEdges) {
    const Fillet f{{0.0, 0.0}, {20.0, 0.0}, {40.0, 20.0}, {40.0, 40.0}};
    for (const bool swapEnds : {false, true}) {
        SCOPED_TRACE(swapEnds);
        NetworkVertex v;
        const int depth = 5;
        // End edges across the curve's ends, EW 1 ft, given in either order.
        EndEdge e0{{0.0, 0.5}, {0.0, -0.5}};
        EndEdge e1{{39.5, 40.0}, {40.5, 40.0}};
        if (swapEnds) {
            std::swap(e0.a, e0.b);
            std::swap(e1.a, e1.b);
        }
        ASSERT_TRUE(CurvedStrip(v, StripList::Centre, QuarterTurn(depth, f), 1.0, e0, e1));
        ASSERT_EQ(v.centreQuads.size(), depth);
        EXPECT_EQ(v.edgeQuads.size(), 0);
        for (int i = 0; i + 1 < depth; ++i) {
            EXPECT_EQ(v.centreQuads[i][1], v.centreQuads[i + 1][0]);
            EXPECT_EQ(v.centreQuads[i][2], v.centreQuads[i + 1][3]);
        }
        // The strip starts on e0 and ends on e1, left side first.
        const Quad& first = v.centreQuads[0];
        EXPECT_POINT(first[0], 0.0, 0.5);
        EXPECT_POINT(first[3], 0.0, -0.5);
        const Quad& last = v.centreQuads[depth - 1];
        EXPECT_POINT(last[1], 39.5, 40.0);
        EXPECT_POINT(last[2], 40.5, 40.0);
        // No quad twists: all turn the same way and none is degenerate.
        for (const Quad& q : v.centreQuads) {
            EXPECT_GT(QuadArea(q), 0.0);
            EXPECT_EQ(PolygonConvexity(q.data(), 4), kConvex);
        }
        // Interior corners lie half the width from the curve.
        const auto curve = FilletCurve(f, depth);
        for (int i = 1; i < depth; ++i) {
            const DPoint& c = curve[static_cast<std::size_t>(i)];
            const Quad& q = v.centreQuads[i - 1];
            EXPECT_NEAR(std::hypot(q[1].x - c.x, q[1].y - c.y), 0.5, kTol);
            EXPECT_NEAR(std::hypot(q[2].x - c.x, q[2].y - c.y), 0.5, kTol);
        }
    }
}

TEST(CurvedStrip, ARightTurnKeepsItsLeftSideFirstToo) {
    // Heading east, turning south.
    const Fillet f{{0.0, 0.0}, {20.0, 0.0}, {40.0, -20.0}, {40.0, -40.0}};
    std::vector<DPoint> polyline{{-1.0, 0.0}};
    for (const DPoint& p : FilletCurve(f, 4)) {
        polyline.push_back(p);
    }
    polyline.push_back({40.0, -41.0});
    NetworkVertex v;
    ASSERT_TRUE(CurvedStrip(v, StripList::Edge, polyline, 2.0, {{0.0, -1.0}, {0.0, 1.0}},
                            {{41.0, -40.0}, {39.0, -40.0}}));
    ASSERT_EQ(v.edgeQuads.size(), 4);
    EXPECT_POINT(v.edgeQuads[0][0], 0.0, 1.0);
    EXPECT_POINT(v.edgeQuads[3][1], 41.0, -40.0);
    for (const Quad& q : v.edgeQuads) {
        EXPECT_GT(QuadArea(q), 0.0);
    }
}

TEST(CurvedStrip, RefusedAtFortyQuadsOrWhenTheStripWouldNotFit) {
    const Fillet f{{0.0, 0.0}, {20.0, 0.0}, {40.0, 20.0}, {40.0, 40.0}};
    const EndEdge e0{{0.0, 0.5}, {0.0, -0.5}};
    const EndEdge e1{{39.5, 40.0}, {40.5, 40.0}};
    NetworkVertex full;
    for (int i = 0; i < kStripListLimit; ++i) {
        full.edgeQuads.push_back(Quad{});
    }
    EXPECT_FALSE(CurvedStrip(full, StripList::Centre, QuarterTurn(5, f), 1.0, e0, e1));
    EXPECT_EQ(full.centreQuads.size(), 0);

    NetworkVertex nearlyFull;
    for (int i = 0; i < kStripListLimit - 1; ++i) {
        nearlyFull.centreQuads.push_back(Quad{});
    }
    EXPECT_TRUE(CurvedStrip(nearlyFull, StripList::Centre, QuarterTurn(5, f), 1.0, e0, e1));
    EXPECT_EQ(nearlyFull.centreQuads.size(), 44);
    // 39 + 10 would pass the list's 45 entries: the strip is not cut short.
    NetworkVertex tight;
    for (int i = 0; i < kStripListLimit - 1; ++i) {
        tight.centreQuads.push_back(Quad{});
    }
    EXPECT_FALSE(CurvedStrip(tight, StripList::Centre, QuarterTurn(10, f), 1.0, e0, e1));
    EXPECT_EQ(tight.centreQuads.size(), kStripListLimit - 1);
    EXPECT_FALSE(
        CurvedStrip(tight, StripList::Centre, std::vector<DPoint>{{0, 0}, {1, 1}, {2, 2}}, 1.0, e0, e1));
}

}  // namespace
}  // namespace rollpath
