#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "pavement/RunwayExtension.h"
#include "pavement/SegmentGeometry.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

struct ExtensionCase {
    std::string name;
    DPoint p0;
    DPoint p1;
    int flag;
    int cornerA;  // extensionCorners[0] is this runway corner
    int cornerB;
    int outsideEnd;
};

// Runway 1000 ft long and 100 ft wide from (0, 0) to (1000, 0): corners
// 0 (0, 50), 1 (0, -50), 2 (1000, -50), 3 (1000, 50).
void PrintTo(const ExtensionCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtensionFromEitherEnd : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionFromEitherEnd, FlagsCornersClassAndStripes) {
    const ExtensionCase& c = GetParam();
    CRollpathDoc doc;
    const RunwayRecord& runway = AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, c.p0.x, c.p0.y), AddVertexAt(doc, c.p1.x, c.p1.y),
                                    100.0, SegmentType::RunwayCentreLine);
    EXPECT_EQ(s.flags & SegmentFlag::Extension, c.flag);
    EXPECT_EQ(s.extensionCorners[0], runway.corners[static_cast<std::size_t>(c.cornerA)]);
    EXPECT_EQ(s.extensionCorners[1], runway.corners[static_cast<std::size_t>(c.cornerB)]);
    EXPECT_EQ(s.EndClassAt(c.outsideEnd), EndClass::Extension);

    // The stripes run from the outside end's stripe points to the runway's
    // end line at the same offsets (width 100: inner 47, outer 48 ft).
    const DPoint outside = c.outsideEnd == 0 ? c.p0 : c.p1;
    const double endX = runway.corners[static_cast<std::size_t>(c.cornerA)].x;
    const Quad& right = s.extensionEdgeStripes[0];
    const Quad& left = s.extensionEdgeStripes[1];
    EXPECT_EQ(right[0], c.outsideEnd == 0 ? s.rightEdgeStripe[0] : s.rightEdgeStripe[1]);
    EXPECT_EQ(right[3], c.outsideEnd == 0 ? s.rightEdgeStripe[3] : s.rightEdgeStripe[2]);
    EXPECT_EQ(left[0], c.outsideEnd == 0 ? s.leftEdgeStripe[0] : s.leftEdgeStripe[1]);
    EXPECT_EQ(left[3], c.outsideEnd == 0 ? s.leftEdgeStripe[3] : s.leftEdgeStripe[2]);
    for (const Quad* q : {&right, &left}) {
        EXPECT_NEAR((*q)[0].x, outside.x, 1e-9);
        EXPECT_NEAR((*q)[1].x, endX, 1e-9);
        EXPECT_NEAR((*q)[2].x, endX, 1e-9);
        EXPECT_NEAR((*q)[0].y, (*q)[1].y, 1e-9);  // same offset at both ends
        EXPECT_NEAR((*q)[2].y, (*q)[3].y, 1e-9);
    }
    // Right of the segment's own direction.
    const double rightSign = c.p1.x > c.p0.x ? -1.0 : 1.0;
    EXPECT_NEAR(right[1].y, rightSign * 47.0, 1e-9);
    EXPECT_NEAR(right[2].y, rightSign * 48.0, 1e-9);
    EXPECT_NEAR(left[1].y, -rightSign * 48.0, 1e-9);
    EXPECT_NEAR(left[2].y, -rightSign * 47.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    FindExtension, ExtensionFromEitherEnd,
    ::testing::Values(
        ExtensionCase{"OutPastEnd2FromVertex0", {900, 0}, {1200, 0}, SegmentFlag::ExtensionAt1, 3, 2, 1},
        ExtensionCase{"OutPastEnd2FromVertex1", {1200, 0}, {900, 0}, SegmentFlag::ExtensionAt0, 2, 3, 0},
        ExtensionCase{"OutPastEnd1FromVertex0", {100, 0}, {-200, 0}, SegmentFlag::ExtensionAt1, 1, 0, 1},
        ExtensionCase{"OutPastEnd1FromVertex1", {-200, 0}, {100, 0}, SegmentFlag::ExtensionAt0, 0, 1, 0}),
    [](const ::testing::TestParamInfo<ExtensionCase>& info) { return info.param.name; });

TEST(FindExtension, ExtensionPolygonIsASimpleOutlineFromTheOuterEndToTheRunwayEnd) {
    // With the corners in this order the five-point polygon never
    // crosses itself: its signed area is the extension's full area.
    for (const bool reversed : {false, true}) {
        CRollpathDoc doc;
        AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
        const DPoint in{900.0, 0.0};
        const DPoint out{1200.0, 0.0};
        RollpathSegment& s =
            reversed ? AddSegment(doc, AddVertexAt(doc, out.x, out.y), AddVertexAt(doc, in.x, in.y), 80.0,
                                  SegmentType::RunwayCentreLine)
                     : AddSegment(doc, AddVertexAt(doc, in.x, in.y), AddVertexAt(doc, out.x, out.y), 80.0,
                                  SegmentType::RunwayCentreLine);
        std::vector<DPoint> polygon;
        if (reversed) {
            polygon = {s.outline[5], s.outline[0], s.outline[1], s.extensionCorners[0],
                       s.extensionCorners[1]};
        } else {
            polygon = {s.extensionCorners[1], s.extensionCorners[0], s.outline[2], s.outline[3],
                       s.outline[4]};
        }
        double area = 0.0;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const DPoint& a = polygon[i];
            const DPoint& b = polygon[(i + 1) % polygon.size()];
            area += a.x * b.y - b.x * a.y;
        }
        // Trapezoid from the 100 ft runway end to the 80 ft outer end, 200 ft long.
        EXPECT_NEAR(std::fabs(area) / 2.0, 200.0 * (100.0 + 80.0) / 2.0, 1e-6) << reversed;
    }
}

TEST(FindExtension, AxisToleranceIsTwoDegreesMeasuredAroundTheCircle) {
    struct Case {
        double degrees;
        bool found;
    };
    // Runway from (1000, 0) to (0, 0): its axis from end1 to end0 points at
    // 0 degrees, so a segment leaving past end0 slightly south points at
    // about 359 degrees.
    for (const Case c :
         {Case{1.9, true}, Case{-1.9, true}, Case{2.1, false}, Case{-2.1, false}, Case{-0.5, true}}) {
        CRollpathDoc doc;
        AddRunway(doc, {1000.0, 0.0}, {0.0, 0.0}, 150);
        const double a = c.degrees * 3.141592653589793 / 180.0;
        const DPoint in{950.0, 0.0};
        const DPoint out{in.x + 400.0 * std::cos(a), in.y + 400.0 * std::sin(a)};
        const RollpathSegment& s =
            AddSegment(doc, AddVertexAt(doc, in.x, in.y), AddVertexAt(doc, out.x, out.y), 150.0,
                       SegmentType::RunwayCentreLine);
        EXPECT_EQ((s.flags & SegmentFlag::ExtensionAt1) != 0, c.found) << c.degrees;
    }
}

TEST(FindExtension, OnlyLiveRunwayCentreLinesWithOneEndStrictlyInside) {
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    // A rollpath along the same line is no extension, and loses stale flags.
    RollpathSegment& rollpath = AddSegment(doc, AddVertexAt(doc, 900, 0), AddVertexAt(doc, 1200, 0), 50.0);
    rollpath.flags |= SegmentFlag::ExtensionAt0;
    EXPECT_FALSE(FindExtension(doc, rollpath));
    EXPECT_EQ(rollpath.flags & SegmentFlag::Extension, 0);

    // Both ends inside; an end on the outline is not strictly inside.
    EXPECT_EQ(AddSegment(doc, AddVertexAt(doc, 100, 0), AddVertexAt(doc, 900, 0), 100.0, 0).flags, 0);
    EXPECT_EQ(AddSegment(doc, AddVertexAt(doc, 1000, 0), AddVertexAt(doc, 1300, 0), 100.0, 0).flags, 0);
    EXPECT_EQ(AddSegment(doc, AddVertexAt(doc, 1300, 50), AddVertexAt(doc, 600, 50), 100.0, 0).flags, 0);

    RollpathSegment& deleted = AddSegment(doc, AddVertexAt(doc, 900, 0), AddVertexAt(doc, 1200, 0), 100.0, 0);
    EXPECT_NE(deleted.flags & SegmentFlag::Extension, 0);
    deleted.state = -1;
    EXPECT_FALSE(FindExtension(doc, deleted));
    EXPECT_EQ(deleted.flags & SegmentFlag::Extension, 0);
}

TEST(FindExtension, FirstRunwayInListOrderWins) {
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    const RunwayRecord& wide = AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 200);
    const RunwayRecord& first = *doc.m_pRunways[0];
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 900, 0), AddVertexAt(doc, 1300, 0), 100.0,
                                    SegmentType::RunwayCentreLine);
    EXPECT_EQ(s.extensionCorners[0], first.corners[3]);
    EXPECT_NE(s.extensionCorners[0], wide.corners[3]);
}

}  // namespace
}  // namespace rollpath
