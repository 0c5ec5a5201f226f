#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/PolygonMeasures.h"
#include "pavement/BuildJunction.h"
#include "pavement/JunctionWalk.h"
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

constexpr double kDeg = 3.141592653589793 / 180.0;

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

// An end arriving at the origin from the far point (x, y).
JunctionEnd EndFrom(double x, double y) {
    JunctionEnd e;
    e.far = DPoint{x, y};
    e.dir = std::atan2(-y, -x);
    e.u = DPoint{std::cos(e.dir), std::sin(e.dir)};
    return e;
}

TEST(JunctionWalk, TurnsClockwiseFromEachEndToTheNextOnItsLeft) {
    // Arms east, north, west, south of the origin.
    const std::vector<JunctionEnd> ends = {EndFrom(100, 0), EndFrom(0, 100), EndFrom(-100, 0),
                                           EndFrom(0, -100)};
    const DPoint p{0.0, 0.0};
    // Arriving from the east (heading west) the left is south: the next arm
    // clockwise from east.
    const int expected[] = {3, 0, 1, 2};
    for (int i = 0; i < 4; ++i) {
        const Neighbour n = NextAroundVertex(ends, i, p);
        EXPECT_EQ(n.index, expected[i]) << i;
        EXPECT_NEAR(n.theta, -90.0 * kDeg, kTol) << i;
    }
}

TEST(JunctionWalk, AnEmptySideIsAReflexGapTakenTheLongWayRound) {
    const std::vector<JunctionEnd> ends = {EndFrom(100, 0), EndFrom(100, 100)};
    const DPoint p{0.0, 0.0};
    // From the east arm the 45 degree arm lies to the right: the gap on the
    // left spans 315 degrees.
    const Neighbour a = NextAroundVertex(ends, 0, p);
    EXPECT_EQ(a.index, 1);
    EXPECT_NEAR(a.theta, -315.0 * kDeg, kTol);
    const Neighbour b = NextAroundVertex(ends, 1, p);
    EXPECT_EQ(b.index, 0);
    EXPECT_NEAR(b.theta, -45.0 * kDeg, kTol);
    // Straight on counts as the reflex search's best (angle pi).
    const std::vector<JunctionEnd> line = {EndFrom(-100, 0), EndFrom(100, 0)};
    EXPECT_NEAR(std::fabs(NextAroundVertex(line, 0, p).theta), 180.0 * kDeg, kTol);
    // A damaged position gives no neighbour.
    const std::vector<JunctionEnd> damaged = {EndFrom(100, 0), EndFrom(std::nan(""), 0)};
    EXPECT_EQ(NextAroundVertex(damaged, 0, p).index, -1);
}

// Spokes of 50 ft rollpaths at even angles around the origin; returns the hub.
int Spokes(CRollpathDoc& doc, int count, double length = 400.0) {
    const int hub = AddVertexAt(doc, 0.0, 0.0);
    for (int i = 0; i < count; ++i) {
        const double a = 2.0 * 3.141592653589793 * i / count;
        AddSegment(doc, hub, AddVertexAt(doc, length * std::cos(a), length * std::sin(a)), 50.0);
    }
    return hub;
}

TEST(Junction, StopsWithAMessageWhenAListReachesForty) {
    CRollpathDoc doc;
    const int hub = Spokes(doc, 12);
    Rebuild(doc);
    auto& sink = static_cast<RecordingMessageSink&>(doc.Messages());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], "ConstructVertexPolygons: polygon limit reached");
    // Eight corners of five quads and five lights each bring the lists to
    // 40; the remaining four corners get nothing. The eighth corner's edge
    // curve comes after its centre curve has filled that list, so it is not
    // built.
    const NetworkVertex& v = doc.Vertex(hub);
    EXPECT_EQ(v.junctionPolys.size(), 8);
    EXPECT_EQ(v.centreQuads.size(), 40);
    EXPECT_EQ(v.edgeQuads.size(), 35);
    EXPECT_EQ(v.lightPts0.size(), 40);
    EXPECT_EQ(v.lightPts1.size(), 40);
    // Seven spokes stay below the limit.
    CRollpathDoc fewer;
    const int hub11 = Spokes(fewer, 7);
    Rebuild(fewer);
    EXPECT_TRUE(static_cast<RecordingMessageSink&>(fewer.Messages()).shown.empty());
    EXPECT_EQ(fewer.Vertex(hub11).junctionPolys.size(), 7);
}

TEST(Junction, AVertexOfMoreThanFiftySegmentsIsRefused) {
    CRollpathDoc doc;
    const int hub = Spokes(doc, 51);
    RebuildAllPavement(doc);
    auto& sink = static_cast<RecordingMessageSink&>(doc.Messages());
    EXPECT_TRUE(sink.Saw("ConstructVertexPolygons: more than 50 segments meet at one vertex"));
    const NetworkVertex& v = doc.Vertex(hub);
    EXPECT_EQ(v.junctionPolys.size() + v.centreQuads.size() + v.lightPts1.size(), 0);

    CRollpathDoc fifty;
    const int hub50 = Spokes(fifty, 50, 1000.0);
    Rebuild(fifty);
    EXPECT_FALSE(static_cast<RecordingMessageSink&>(fifty.Messages()).Saw(kTooManySegmentsMessage));
    EXPECT_GT(fifty.Vertex(hub50).junctionPolys.size(), 0);
}

TEST(Junction, RollpathAtARunwayEndEndsItsStripeOnTheRunwayEdge) {
    // A 50 ft rollpath from the south meets a 150 ft runway where its centre
    // line starts, 25 ft in from the threshold at x = 0.
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {6000.0, 0.0}, 150);
    const int p = AddVertexAt(doc, 25.0, 0.0);
    RollpathSegment& r =
        AddSegment(doc, p, AddVertexAt(doc, 6000.0, 0.0), 150.0, SegmentType::RunwayCentreLine);
    RollpathSegment& t = AddSegment(doc, AddVertexAt(doc, 25.0, -600.0), p, 50.0);
    Rebuild(doc);
    ASSERT_EQ(t.endClass1, EndClass::RunwayEnd);
    ASSERT_EQ(r.endClass0, EndClass::RunwayEnd);
    const NetworkVertex& v = doc.Vertex(p);
    // Only the convex corner (south-east) gets a junction polygon.
    ASSERT_EQ(v.junctionPolys.size(), 1);
    EXPECT_EQ(v.junctionPolys[0].count(), 7);
    // The rollpath's west stripe ends on the runway's south edge with a 1 ft
    // end edge along it, centred on the stripe's centre line.
    EXPECT_POINT(t.leftEdgeStripe[1], 2.0, -75.0);
    EXPECT_POINT(t.leftEdgeStripe[2], 3.0, -75.0);
    // Both ends are cut along the line between the corners of the facing
    // edges (50, -75) and of the other edges (0, 75).
    EXPECT_POINT(t.outline[4], 50.0, -75.0);
    EXPECT_POINT(t.outline[2], 0.0, 75.0);
    EXPECT_POINT(t.outline[3], 25.0, 0.0);
    EXPECT_POINT(r.outline[5], 50.0, -75.0);
    EXPECT_POINT(r.outline[1], 0.0, 75.0);
}

TEST(Junction, RollpathAtAnExtensionsEndExitsToTheRunwaysEndLine) {
    CRollpathDoc doc;
    AddRunway(doc, {-1000.0, 0.0}, {1000.0, 0.0}, 150);
    const int p = AddVertexAt(doc, 1200.0, 0.0);
    RollpathSegment& x = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), p, 150.0, SegmentType::RunwayCentreLine);
    RollpathSegment& t = AddSegment(doc, p, AddVertexAt(doc, 1200.0, -400.0), 50.0);
    Rebuild(doc);
    ASSERT_EQ(x.endClass1, EndClass::Extension);
    const NetworkVertex& v = doc.Vertex(p);
    // The square reflex corner drops its polygon and its edge lights.
    ASSERT_EQ(v.junctionPolys.size(), 1);
    EXPECT_EQ(v.junctionPolys[0].count(), 7);
    EXPECT_EQ(v.lightPts1.size(), 5);
    // One exit from the centre curve's end on the extension's centre line
    // (3/4 of the wider width back) to the runway's end line, EW wide.
    ASSERT_EQ(t.exitMask & ~0x3, 0);
    ASSERT_NE(t.exitMask, 0);
    const Quad& exit = t.exitQuads[t.exitMask == 1 ? 0 : 1];
    EXPECT_NEAR(exit[0].x, 1200.0 - 87.5, kTol);
    EXPECT_NEAR(exit[1].x, 1200.0 - 87.5, kTol);
    EXPECT_NEAR(exit[2].x, 1000.0, kTol);
    EXPECT_NEAR(exit[3].x, 1000.0, kTol);
    EXPECT_NEAR(std::fabs(exit[0].y - exit[1].y), 1.0, kTol);
    EXPECT_NEAR(exit[0].y + exit[1].y, 0.0, kTol);
    // The extension's arrowheads are in place.
    EXPECT_NEAR(x.extensionMarks[0][0].x, 1004.0, kTol);
}

TEST(Junction, SegmentsLyingAlmostOnTopOfEachOtherGetNoCorner) {
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    const double a = 0.5 * kDeg;
    RollpathSegment& s1 = AddSegment(doc, p, AddVertexAt(doc, 300.0, 0.0), 50.0);
    RollpathSegment& s2 =
        AddSegment(doc, p, AddVertexAt(doc, 300.0 * std::cos(a), 300.0 * std::sin(a)), 40.0);
    RebuildNetwork(doc);
    ConstructVertexPolygons(doc, p);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 0);
    for (const RollpathSegment* s : {&s1, &s2}) {
        for (const DPoint& c : s->outline) {
            EXPECT_LT(std::hypot(c.x, c.y), 400.0);
        }
    }
}

TEST(Junction, ANearlyStraightWidthChangeIsMitredWhenItsEdgesMeetOutOfReach) {
    // 35 ft into 75 ft with a 3 degree bend: the facing edges would meet
    // about 400 ft away, beyond both 300 ft segments.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& narrow = AddSegment(doc, AddVertexAt(doc, -300.0, 0.0), p, 35.0);
    RollpathSegment& wide = AddSegment(
        doc, p, AddVertexAt(doc, 300.0 * std::cos(3.0 * kDeg), 300.0 * std::sin(3.0 * kDeg)), 75.0);
    Rebuild(doc);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 0);
    EXPECT_EQ(narrow.outline[2], wide.outline[1]);
    EXPECT_EQ(narrow.outline[4], wide.outline[5]);
    EXPECT_NEAR(Dist(narrow.outline[2], doc.Vertex(p).pos()), 27.5, kTol);
    // The same bend between equal widths is a junction.
    wide.width = 35.0f;
    Rebuild(doc);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 2);
}

TEST(Junction, ParallelOffsetLinesGiveNoCornerAndChangeNothing) {
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& s1 = AddSegment(doc, AddVertexAt(doc, -300.0, 0.0), p, 50.0);
    RollpathSegment& s2 = AddSegment(doc, AddVertexAt(doc, -200.0, 0.0), p, 50.0);
    JunctionEnd a = EndFrom(-300.0, 0.0);
    a.segment = &s1;
    a.end = 1;
    a.halfWidth = 25.0;
    a.endClass = EndClass::Rollpath;
    JunctionEnd b = EndFrom(-200.0, 0.0);
    b.segment = &s2;
    b.end = 1;
    b.halfWidth = 25.0;
    b.endClass = EndClass::Rollpath;
    const RollpathSegment before1 = s1;
    const RollpathSegment before2 = s2;
    GroundPolygon polygon;
    EXPECT_FALSE(BuildJunction(doc, p, a, b, 2, -90.0 * kDeg, polygon));
    EXPECT_TRUE(polygon.points.empty());
    EXPECT_EQ(s1, before1);
    EXPECT_EQ(s2, before2);
    EXPECT_EQ(doc.Vertex(p).centreQuads.size() + doc.Vertex(p).lightPts1.size(), 0);
}

TEST(Junction, AReflexGapOfUnequalWidthsClosesAlongItsChord) {
    // Three rollpaths within a right angle: the 270 degree gap lies between a
    // 110 ft one and a 20 ft one, whose fillet passes in front of the vertex.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    AddSegment(doc, p, AddVertexAt(doc, 400.0, 0.0), 110.0);
    AddSegment(doc, p, AddVertexAt(doc, 300.0, 300.0), 20.0);
    AddSegment(doc, p, AddVertexAt(doc, 0.0, 400.0), 20.0);
    Rebuild(doc);
    const NetworkVertex& v = doc.Vertex(p);
    const int d = doc.GetSettings().BezierDepth;
    int chordClosed = 0;
    for (const GroundPolygon& g : v.junctionPolys) {
        ASSERT_TRUE(g.count() == d + 1 || g.count() == d + 2);
        chordClosed += g.count() == d + 1 ? 1 : 0;
        if (g.count() == d + 1) {
            // The vertex lies between the fillet's chord and its corner.
            EXPECT_EQ(PolygonConvexity(g.points.data(), g.count()), kConvex);
        }
    }
    EXPECT_EQ(chordClosed, 1);
}

TEST(Junction, AShortDeadEndRunwaySpurGetsNoCentreCurveAtABusyVertex) {
    // A 300 ft runway centre-line spur north that stops dead (shorter than
    // RunwayExitMax, 500 ft), and rollpaths east and south.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& spur =
        AddSegment(doc, p, AddVertexAt(doc, 0.0, 300.0), 60.0, SegmentType::RunwayCentreLine);
    RollpathSegment& east = AddSegment(doc, p, AddVertexAt(doc, 400.0, 0.0), 50.0);
    AddSegment(doc, p, AddVertexAt(doc, 0.0, -400.0), 50.0);
    Rebuild(doc);
    ASSERT_EQ(spur.endClass1, EndClass::DeadEnd);
    const int d = doc.GetSettings().BezierDepth;
    // Junctions at the spur's corner with the east rollpath and between the
    // rollpaths (south to north is straight on); a centre curve only on the
    // latter, and no exit onto the spur.
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 2);
    EXPECT_EQ(doc.Vertex(p).centreQuads.size(), d);
    EXPECT_EQ(doc.Vertex(p).lightPts0.size(), 5);
    EXPECT_EQ(east.exitMask, 0);
    // A spur as long as RunwayExitMax gets its curve and exit.
    doc.GetSettings().RunwayExitMax = 300;
    RebuildAllPavement(doc);
    EXPECT_EQ(doc.Vertex(p).centreQuads.size(), 2 * d);
    EXPECT_NE(east.exitMask, 0);
}

TEST(Junction, WhatAnEarlierJunctionMadeGoesWhenItsReasonGoes) {
    // A straight pair with a third rollpath, which is then deleted.
    CRollpathDoc doc;
    const int p = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& a = AddSegment(doc, AddVertexAt(doc, -300.0, 0.0), p, 50.0);
    RollpathSegment& b = AddSegment(doc, p, AddVertexAt(doc, 300.0, 0.0), 50.0);
    RollpathSegment& c = AddSegment(doc, p, AddVertexAt(doc, 0.0, 300.0), 50.0);
    Rebuild(doc);
    ASSERT_NE((a.flags | b.flags) & (SegmentFlag::Stub0 | SegmentFlag::Stub1), 0);
    c.state = -1;
    doc.ClearTouched();
    doc.TouchVertex(p);
    RebuildTouchedVertices(doc);
    EXPECT_EQ((a.flags | b.flags) & (SegmentFlag::Stub0 | SegmentFlag::Stub1 | SegmentFlag::ThroughLine), 0);
    EXPECT_EQ(doc.Vertex(p).junctionPolys.size(), 0);
    EXPECT_EQ(doc.Vertex(p).visited, 0);

    // A rollpath's exits go with the runway it met.
    RunwayT j;
    ASSERT_NE(j.t.exitMask, 0);
    j.r1.state = -1;
    j.r2.state = -1;
    ConstructVertexPolygons(j.doc, j.p);
    EXPECT_EQ(j.t.exitMask, 0);
}

TEST(Junction, TouchedRebuildBuildsEachListedVertexOnce) {
    RightAngle j;
    j.doc.Vertex(j.p).ClearProducts();
    j.doc.ClearTouched();
    j.doc.TouchVertex(j.p);
    j.doc.TouchVertex(j.p);
    RebuildTouchedVertices(j.doc);
    EXPECT_EQ(j.v().junctionPolys.size(), 2);
    EXPECT_EQ(j.v().visited, 0);
    EXPECT_EQ(j.doc.m_nTouched, 2);
}

}  // namespace
}  // namespace rollpath
