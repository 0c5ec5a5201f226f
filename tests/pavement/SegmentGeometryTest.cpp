#include <gtest/gtest.h>

#include <cmath>

#include "pavement/SegmentGeometry.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddSegment;
using testing::AddVertexAt;

constexpr double kTol = 1e-9;

// Signed distance of p to the left of the line from a to b.
double LeftOf(const DPoint& a, const DPoint& b, const DPoint& p) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return (dx * (p.y - a.y) - dy * (p.x - a.x)) / std::hypot(dx, dy);
}

#define EXPECT_POINT(p, ex, ey)         \
    do {                                \
        EXPECT_NEAR((p).x, (ex), 1e-9); \
        EXPECT_NEAR((p).y, (ey), 1e-9); \
    } while (0)

TEST(SegmentGeometry, OutlineCornersAndStripeOrderFollowTheDirection) {
    CRollpathDoc doc;
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 100.0, 0.0);
    const RollpathSegment& s = AddSegment(doc, a, b, 50.0);
    // Heading east: left is north.
    EXPECT_POINT(s.outline[0], 0, 0);
    EXPECT_POINT(s.outline[1], 0, 25);
    EXPECT_POINT(s.outline[2], 100, 25);
    EXPECT_POINT(s.outline[3], 100, 0);
    EXPECT_POINT(s.outline[4], 100, -25);
    EXPECT_POINT(s.outline[5], 0, -25);
    // Centre stripe: left v0, left v1, right v1, right v0, EW (1 ft) wide.
    EXPECT_POINT(s.centreStripe[0], 0, 0.5);
    EXPECT_POINT(s.centreStripe[1], 100, 0.5);
    EXPECT_POINT(s.centreStripe[2], 100, -0.5);
    EXPECT_POINT(s.centreStripe[3], 0, -0.5);
    // Right stripe: inner v0, inner v1, outer v1, outer v0 (outer 2 ft in).
    EXPECT_POINT(s.rightEdgeStripe[0], 0, -22);
    EXPECT_POINT(s.rightEdgeStripe[1], 100, -22);
    EXPECT_POINT(s.rightEdgeStripe[2], 100, -23);
    EXPECT_POINT(s.rightEdgeStripe[3], 0, -23);
    // Left stripe: outer v0, outer v1, inner v1, inner v0.
    EXPECT_POINT(s.leftEdgeStripe[0], 0, 23);
    EXPECT_POINT(s.leftEdgeStripe[1], 100, 23);
    EXPECT_POINT(s.leftEdgeStripe[2], 100, 22);
    EXPECT_POINT(s.leftEdgeStripe[3], 0, 22);
}

TEST(SegmentGeometry, EdgeStripesOfA75FootRollpathLieBetween34Point5And35Point5) {
    CRollpathDoc doc;
    doc.GetSettings().EdgeWidth = 1.0;
    doc.GetSettings().EdgeInset = 2.0;
    const DPoint p0{-310.0, 42.0};
    const DPoint p1{455.0, -613.0};
    const RollpathSegment& s =
        AddSegment(doc, AddVertexAt(doc, p0.x, p0.y), AddVertexAt(doc, p1.x, p1.y), 75.0);
    for (const DPoint& p : s.rightEdgeStripe) {
        const double d = -LeftOf(p0, p1, p);
        EXPECT_GE(d, 34.5 - kTol);
        EXPECT_LE(d, 35.5 + kTol);
    }
    for (const DPoint& p : s.leftEdgeStripe) {
        const double d = LeftOf(p0, p1, p);
        EXPECT_GE(d, 34.5 - kTol);
        EXPECT_LE(d, 35.5 + kTol);
    }
    EXPECT_NEAR(-LeftOf(p0, p1, s.rightEdgeStripe[0]), 34.5, kTol);  // inner
    EXPECT_NEAR(-LeftOf(p0, p1, s.rightEdgeStripe[3]), 35.5, kTol);  // outer
    EXPECT_NEAR(LeftOf(p0, p1, s.leftEdgeStripe[0]), 35.5, kTol);    // outer
    EXPECT_NEAR(LeftOf(p0, p1, s.leftEdgeStripe[3]), 34.5, kTol);    // inner
}

TEST(SegmentGeometry, StubsLightRowsAndClearedMarks) {
    CRollpathDoc doc;
    doc.GetSettings().LiteOffset = 10.0;
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 0.0, 400.0);
    RollpathSegment& s = AddSegment(doc, a, b, 50.0);
    s.flags = SegmentFlag::Stub0 | SegmentFlag::Stub1 | SegmentFlag::RunwayHold | SegmentFlag::NoLighting;
    s.exitMask = 0xF;
    SegmentGeometry(doc, s);
    EXPECT_EQ(s.flags, SegmentFlag::RunwayHold | SegmentFlag::NoLighting);
    EXPECT_EQ(s.exitMask, 0);
    EXPECT_EQ(s.stub0, s.centreStripe);
    EXPECT_EQ(s.stub1, s.centreStripe);
    // Heading north: right is east. Edge rows 25 + 10 ft out.
    EXPECT_POINT(s.centreLightLine[0], 0, 0);
    EXPECT_POINT(s.centreLightLine[1], 0, 400);
    EXPECT_POINT(s.rightLightLine[0], 35, 0);
    EXPECT_POINT(s.rightLightLine[1], 35, 400);
    EXPECT_POINT(s.leftLightLine[0], -35, 0);
    EXPECT_POINT(s.leftLightLine[1], -35, 400);
}

TEST(SegmentGeometry, DamagedVertexIndexLeavesTheRecordAlone) {
    CRollpathDoc doc;
    const int a = AddVertexAt(doc, 0.0, 0.0);
    RollpathSegment& s = doc.AppendSegment();
    s.vertex0 = a;
    s.width = 50.0f;
    s.flags = SegmentFlag::Stub0;
    for (const int bad : {-1, 1, kMaxVertices, 1 << 30}) {
        s.vertex1 = bad;
        const RollpathSegment before = s;
        SegmentGeometry(doc, s);
        SegmentEndGeometry(doc, s, 1, 50.0);
        EXPECT_EQ(s, before) << bad;
    }
}

TEST(SegmentGeometry, ZeroLengthSegmentStaysFinite) {
    CRollpathDoc doc;
    const int a = AddVertexAt(doc, 5.0, 5.0);
    const int b = AddVertexAt(doc, 5.0, 5.0);
    const RollpathSegment& s = AddSegment(doc, a, b, 40.0);
    for (const DPoint& p : s.outline) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    for (const DPoint& p : s.leftEdgeStripe) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

}  // namespace
}  // namespace rollpath
