#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/PolygonMeasures.h"
#include "pavement/BuildJunction.h"
#include "pavement/Junctions.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddCentreLine;
using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kTol = 1e-9;

#define EXPECT_POINT(p, ex, ey)         \
    do {                                \
        EXPECT_NEAR((p).x, (ex), 1e-9); \
        EXPECT_NEAR((p).y, (ey), 1e-9); \
    } while (0)

double Dist(const DPoint& a, const DPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Classifies the ends, then builds every segment and junction afresh.
void Rebuild(CRollpathDoc& doc) {
    RebuildNetwork(doc);
    RebuildAllPavement(doc);
}

// Two 50 ft rollpaths meeting at a right angle at the origin: a from the
// west, b leaving to the north.
struct RightAngle {
    CRollpathDoc doc;
    int west = AddVertexAt(doc, -300.0, 0.0);
    int p = AddVertexAt(doc, 0.0, 0.0);
    int north = AddVertexAt(doc, 0.0, 300.0);
    RollpathSegment& a = AddSegment(doc, west, p, 50.0);
    RollpathSegment& b = AddSegment(doc, p, north, 50.0);
    RightAngle() { Rebuild(doc); }
    const NetworkVertex& v() const { return doc.Vertex(p); }
};

TEST(Junction, RightAngleConvexCornerIsAFilletOfDepthPlusTwoPoints) {
    RightAngle j;
    const int d = j.doc.GetSettings().BezierDepth;
    ASSERT_EQ(d, 5);
    ASSERT_EQ(j.v().junctionPolys.size(), 2);
    const GroundPolygon& convex = j.v().junctionPolys[0];
    EXPECT_EQ(convex.kind, PolygonKind::Junction);
    ASSERT_EQ(convex.count(), d + 2);
    // The facing edges (a's north edge, b's west edge) meet at (-25, 25); the
    // fillet leaves each 25 ft (half the narrower width) back from there.
    EXPECT_POINT(convex.points[0], -50.0, 25.0);
    EXPECT_POINT(convex.points[static_cast<std::size_t>(d)], -25.0, 50.0);
    EXPECT_POINT(convex.points[static_cast<std::size_t>(d) + 1], -25.0, 25.0);
    // It bulges toward the corner: every curve point lies nearer the corner
    // than the chord between the tangent points does.
    const DPoint corner{-25.0, 25.0};
    const double chord = Dist(corner, DPoint{-37.5, 37.5});
    for (int i = 1; i < d; ++i) {
        EXPECT_LT(Dist(convex.points[static_cast<std::size_t>(i)], corner), chord);
    }
}

TEST(Junction, RightAngleReflexSideIsAFilletOfDepthPlusFourPoints) {
    RightAngle j;
    const int d = j.doc.GetSettings().BezierDepth;
    const GroundPolygon& reflex = j.v().junctionPolys[1];
    ASSERT_EQ(reflex.count(), d + 4);
    // The outer edges meet at (25, -25); the fillet's tangent points lie
    // 50 ft (the wider width) back from there, on b's east edge and a's south
    // edge; then the inner corner with its own 25 ft tangent points.
    EXPECT_POINT(reflex.points[0], 25.0, 25.0);
    EXPECT_POINT(reflex.points[5], -25.0, -25.0);
    EXPECT_POINT(reflex.points[6], -50.0, 25.0);
    EXPECT_POINT(reflex.points[7], -25.0, 25.0);
    EXPECT_POINT(reflex.points[8], -25.0, 50.0);
    // Both ends are cut straight across to meet the polygon.
    EXPECT_POINT(j.a.outline[4], -25.0, -25.0);
    EXPECT_POINT(j.a.outline[2], -50.0, 25.0);
    EXPECT_POINT(j.a.outline[3], -37.5, 0.0);
    EXPECT_POINT(j.b.outline[5], 25.0, 25.0);
    EXPECT_POINT(j.b.outline[1], -25.0, 50.0);
    EXPECT_POINT(j.b.outline[0], 0.0, 37.5);
}

TEST(Junction, RightAngleCurvesStripsAndLights) {
    RightAngle j;
    // Edge markings curve on both sides; the centre line curves once (the
    // two corners of a two-segment vertex share it).
    EXPECT_EQ(j.v().edgeQuads.size(), 10);
    EXPECT_EQ(j.v().centreQuads.size(), 5);
    EXPECT_EQ(j.v().lightPts0.size(), 5);
    EXPECT_EQ(j.v().lightPts1.size(), 10);
    // The centre curve leaves each centre line (3/4 of the width) 37.5 ft
    // back from the vertex, where the stripes now end.
    EXPECT_POINT(j.a.centreStripe[1], -37.5, 0.5);
    EXPECT_POINT(j.a.centreStripe[2], -37.5, -0.5);
    EXPECT_POINT(j.b.centreStripe[0], -0.5, 37.5);
    EXPECT_POINT(j.b.centreStripe[3], 0.5, 37.5);
    const Quad& first = j.v().centreQuads[0];
    EXPECT_TRUE((first[0] == j.a.centreStripe[1] && first[3] == j.a.centreStripe[2]) ||
                (first[0] == j.a.centreStripe[2] && first[3] == j.a.centreStripe[1]));
    // Edge stripes on the convex side end where its edge curve starts, 25 ft
    // back from the corner of the edge-marking centre lines (-22.5, 22.5).
    EXPECT_POINT(j.a.leftEdgeStripe[1], -47.5, 23.0);
    EXPECT_POINT(j.a.leftEdgeStripe[2], -47.5, 22.0);
    // Centre lights at t = 1/6 .. 5/6 of the centre curve.
    const DPoint mid = j.v().lightPts0[2];
    EXPECT_NEAR(mid.x, -(37.5 + 3 * 18.75) / 8.0, kTol);
    EXPECT_NEAR(mid.y, (37.5 + 3 * 18.75) / 8.0, kTol);
}

TEST(Junction, StraightContinuationIsMitredWithoutJunctionPieces) {
    for (const double bend : {0.0, 1.5, -1.9}) {
        SCOPED_TRACE(bend);
        CRollpathDoc doc;
        const double a = bend * 3.141592653589793 / 180.0;
        const int w = AddVertexAt(doc, -300.0, 0.0);
        const int p = AddVertexAt(doc, 0.0, 0.0);
        const int e = AddVertexAt(doc, 300.0 * std::cos(a), 300.0 * std::sin(a));
        RollpathSegment& s1 = AddSegment(doc, w, p, 50.0);
        RollpathSegment& s2 = AddSegment(doc, e, p, 40.0);
        Rebuild(doc);
        const NetworkVertex& v = doc.Vertex(p);
        EXPECT_EQ(v.junctionPolys.size(), 0);
        EXPECT_EQ(v.centreQuads.size(), 0);
        EXPECT_EQ(v.edgeQuads.size(), 0);
        EXPECT_EQ(v.lightPts0.size(), 0);
        EXPECT_EQ(v.lightPts1.size(), 0);
        // Each side's corners meet at one point on the bisector of that side,
        // 22.5 ft (the mean half-width) from the vertex.
        EXPECT_EQ(s1.outline[2], s2.outline[4]);  // north side: s1's left, s2's right
        EXPECT_EQ(s1.outline[4], s2.outline[2]);
        EXPECT_NEAR(Dist(s1.outline[2], v.pos()), 22.5, kTol);
        EXPECT_NEAR(Dist(s1.outline[4], v.pos()), 22.5, kTol);
        EXPECT_GT(s1.outline[2].y, 0.0);
        EXPECT_LT(s1.outline[4].y, 0.0);
        EXPECT_EQ(s1.outline[3], v.pos());
        EXPECT_EQ(s2.outline[3], v.pos());
        EXPECT_EQ(s1.flags & (SegmentFlag::Stub0 | SegmentFlag::Stub1 | SegmentFlag::ThroughLine), 0);
    }
}

TEST(Junction, ABendOfMoreThanTwoDegreesGetsCurves) {
    CRollpathDoc doc;
    const double a = 2.5 * 3.141592653589793 / 180.0;
    const int w = AddVertexAt(doc, -300.0, 0.0);
    const int p = AddVertexAt(doc, 0.0, 0.0);
    const int e = AddVertexAt(doc, 300.0 * std::cos(a), 300.0 * std::sin(a));
    AddSegment(doc, w, p, 50.0);
    AddSegment(doc, p, e, 50.0);
    Rebuild(doc);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 2);
}

TEST(Junction, RunwayOnlyVertexGetsNothing) {
    CRollpathDoc doc;
    const RunwayRecord& r = AddRunway(doc, {-2000.0, 0.0}, {2000.0, 0.0}, 150);
    (void)r;
    const int a = AddVertexAt(doc, -2000.0, 0.0);
    const int m = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 2000.0, 0.0);
    const int c = AddVertexAt(doc, 500.0, 40.0);
    AddSegment(doc, a, m, 150.0, SegmentType::RunwayCentreLine);
    AddSegment(doc, m, b, 150.0, SegmentType::RunwayCentreLine);
    AddSegment(doc, m, c, 150.0, SegmentType::RunwayCentreLine);
    Rebuild(doc);
    const NetworkVertex& v = doc.Vertex(m);
    EXPECT_EQ(v.junctionPolys.size() + v.centreQuads.size() + v.edgeQuads.size() + v.lightPts0.size() +
                  v.lightPts1.size(),
              0);
}

// A rollpath 50 ft wide leaving a 150 ft runway southward from its middle:
// the runway's centre line is split at the junction.
struct RunwayT {
    CRollpathDoc doc;
    RunwayRecord& runway = AddRunway(doc, {-3000.0, 0.0}, {3000.0, 0.0}, 150);
    int west = AddVertexAt(doc, -3000.0, 0.0);
    int p = AddVertexAt(doc, 0.0, 0.0);
    int east = AddVertexAt(doc, 3000.0, 0.0);
    int south = AddVertexAt(doc, 0.0, -600.0);
    RollpathSegment& r1 = AddSegment(doc, west, p, 150.0, SegmentType::RunwayCentreLine);
    RollpathSegment& r2 = AddSegment(doc, p, east, 150.0, SegmentType::RunwayCentreLine);
    RollpathSegment& t = AddSegment(doc, p, south, 50.0);
    RunwayT() { Rebuild(doc); }
};

TEST(Junction, RunwayTJunctionCurvesOntoTheCentreLineMovedByCenterOffset) {
    RunwayT j;
    const NetworkVertex& v = j.doc.Vertex(j.p);
    ASSERT_EQ(j.t.endClass0, EndClass::Runway);
    // Two convex corners either side of the rollpath; the runway's own
    // straight pair gets nothing.
    EXPECT_EQ(v.junctionPolys.size(), 2);
    EXPECT_EQ(v.centreQuads.size(), 10);
    const double co = j.doc.GetSettings().CenterOffset;
    // Each exit line starts on the runway-side end edge of a centre curve,
    // CenterOffset south of the runway's centre line, toward the rollpath.
    const auto startsACurve = [&v](const Quad& exit) {
        for (const Quad& q : v.centreQuads) {
            for (int i = 0; i < 4; ++i) {
                const DPoint& c = q[static_cast<std::size_t>(i)];
                const DPoint& d = q[static_cast<std::size_t>((i + 3) % 4)];
                if ((c == exit[0] && d == exit[1]) || (c == exit[1] && d == exit[0])) {
                    return true;
                }
            }
        }
        return false;
    };
    // Exit lines both ways along the runway: the rollpath meets the vertex
    // with vertex0, the runway is first of one pair and second of the other.
    EXPECT_EQ(j.t.exitMask, 0x3);
    const double exitLength = j.doc.GetSettings().RunwayExit;
    for (int i = 0; i < 2; ++i) {
        const Quad& q = j.t.exitQuads[static_cast<std::size_t>(i)];
        EXPECT_NEAR(std::fabs(q[3].x - q[0].x), exitLength, 1e-9);
        EXPECT_NEAR(q[0].y, q[3].y, 1e-9);
        EXPECT_NEAR(std::fabs(q[0].y - q[1].y), j.doc.GetSettings().EdgeWidth, 1e-9);
        EXPECT_NEAR((q[0].y + q[1].y) / 2.0, -co, 1e-9);
        EXPECT_TRUE(startsACurve(q)) << i;
    }
    // One exit runs west, the other east, each away from the junction.
    EXPECT_LT(
        (j.t.exitQuads[0][3].x - j.t.exitQuads[0][0].x) * (j.t.exitQuads[1][3].x - j.t.exitQuads[1][0].x),
        0.0);
}

TEST(Junction, DepthFiveGivesSevenAndNinePointPolygonsAndFiveQuadStrips) {
    for (const int depth : {3, 5, 10}) {
        SCOPED_TRACE(depth);
        CRollpathDoc doc;
        doc.GetSettings().BezierDepth = depth;
        const int w = AddVertexAt(doc, -300.0, 0.0);
        const int p = AddVertexAt(doc, 0.0, 0.0);
        const int n = AddVertexAt(doc, 100.0, 300.0);
        AddSegment(doc, w, p, 60.0);
        AddSegment(doc, p, n, 35.0);
        Rebuild(doc);
        const NetworkVertex& v = doc.Vertex(p);
        ASSERT_EQ(v.junctionPolys.size(), 2);
        EXPECT_EQ(v.junctionPolys[0].count(), depth + 2);
        EXPECT_EQ(v.junctionPolys[1].count(), depth + 4);
        EXPECT_EQ(v.edgeQuads.size(), 2 * depth);
        EXPECT_EQ(v.centreQuads.size(), depth);
    }
}

TEST(Junction, StraightPairAtAThreeWayVertexGetsStubsAndAThroughLine) {
    CRollpathDoc doc;
    const int w = AddVertexAt(doc, -300.0, 0.0);
    const int p = AddVertexAt(doc, 0.0, 0.0);
    const int e = AddVertexAt(doc, 300.0, 0.0);
    const int n = AddVertexAt(doc, 0.0, 300.0);
    RollpathSegment& a = AddSegment(doc, w, p, 50.0);  // meets p with vertex1
    RollpathSegment& b = AddSegment(doc, p, e, 50.0);  // meets p with vertex0
    RollpathSegment& c = AddSegment(doc, p, n, 50.0);
    Rebuild(doc);
    EXPECT_NE(a.flags & SegmentFlag::Stub1, 0);
    EXPECT_EQ(a.flags & SegmentFlag::Stub0, 0);
    EXPECT_NE(b.flags & SegmentFlag::Stub0, 0);
    EXPECT_EQ(c.flags & (SegmentFlag::Stub0 | SegmentFlag::Stub1), 0);
    // The stubs close the centre lines from the vertex to where the curves
    // of the corners with c trimmed them (37.5 ft back).
    EXPECT_POINT(a.stub1[0], -37.5, 0.5);
    EXPECT_POINT(a.stub1[1], 0.0, 0.5);
    EXPECT_POINT(a.stub1[2], 0.0, -0.5);
    EXPECT_POINT(a.stub1[3], -37.5, -0.5);
    EXPECT_POINT(b.stub0[0], 0.0, 0.5);
    EXPECT_POINT(b.stub0[1], 37.5, 0.5);
    EXPECT_POINT(b.stub0[2], 37.5, -0.5);
    EXPECT_POINT(b.stub0[3], 0.0, -0.5);
    // The straight side is mitred: both south corners at (0, -25).
    EXPECT_POINT(a.outline[4], 0.0, -25.0);
    EXPECT_POINT(b.outline[5], 0.0, -25.0);
    // Exactly one of the pair carries the through line, from the vertex.
    const RollpathSegment& through = (a.flags & SegmentFlag::ThroughLine) != 0 ? a : b;
    EXPECT_NE((a.flags ^ b.flags) & SegmentFlag::ThroughLine, 0);
    EXPECT_EQ(through.throughLine[0], doc.Vertex(p).pos());
    EXPECT_NEAR(Dist(through.throughLine[0], through.throughLine[1]), 5.0 + 25.0, kTol);
}

TEST(Junction, SafeModeChangesNothing) {
    CRollpathDoc doc;
    const int w = AddVertexAt(doc, -300.0, 0.0);
    const int p = AddVertexAt(doc, 0.0, 0.0);
    const int n = AddVertexAt(doc, 0.0, 300.0);
    AddSegment(doc, w, p, 50.0);
    AddSegment(doc, p, n, 50.0);
    RebuildNetwork(doc);
    doc.m_bSafeMode = 1;
    const RollpathSegment before0 = *doc.m_pSegments[0];
    const RollpathSegment before1 = *doc.m_pSegments[1];
    doc.Vertex(p).lightPts0.push_back(DPoint{1.0, 2.0});
    const NetworkVertex vertexBefore = doc.Vertex(p);
    ConstructVertexPolygons(doc, p);
    EXPECT_EQ(*doc.m_pSegments[0], before0);
    EXPECT_EQ(*doc.m_pSegments[1], before1);
    EXPECT_EQ(doc.Vertex(p), vertexBefore);
}

}  // namespace
}  // namespace rollpath
