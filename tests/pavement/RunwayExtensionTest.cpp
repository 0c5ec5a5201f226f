#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "pavement/RunwayExtension.h"
#include "pavement/SegmentGeometry.h"
#include "pavement/SplitSegment.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

// Runway 1000 ft long and 100 ft wide from (0, 0) to (1000, 0): corners
// 0 (0, 50), 1 (0, -50), 2 (1000, -50), 3 (1000, 50). A centre line running
// out past either end, drawn either way, is flagged at its outer end and
// takes the corners of that runway end.
TEST(FindExtension, FlagsCornersAndClassFromEitherEnd) {
    const struct {
        DPoint p0, p1;
        int flag, cornerA, cornerB, outsideEnd;
    } rows[] = {{{900, 0}, {1200, 0}, SegmentFlag::ExtensionAt1, 3, 2, 1},
                {{1200, 0}, {900, 0}, SegmentFlag::ExtensionAt0, 2, 3, 0},
                {{100, 0}, {-200, 0}, SegmentFlag::ExtensionAt1, 1, 0, 1},
                {{-200, 0}, {100, 0}, SegmentFlag::ExtensionAt0, 0, 1, 0}};
    for (const auto& c : rows) {
        SCOPED_TRACE(std::to_string(c.p0.x) + " to " + std::to_string(c.p1.x));
        CRollpathDoc doc;
        const RunwayRecord& runway = AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
        RollpathSegment& s =
            AddSegment(doc, AddVertexAt(doc, c.p0.x, c.p0.y), AddVertexAt(doc, c.p1.x, c.p1.y), 100.0,
                       SegmentType::RunwayCentreLine);
        EXPECT_EQ(s.flags & SegmentFlag::Extension, c.flag);
        EXPECT_EQ(s.extensionCorners[0], runway.corners[static_cast<std::size_t>(c.cornerA)]);
        EXPECT_EQ(s.extensionCorners[1], runway.corners[static_cast<std::size_t>(c.cornerB)]);
        EXPECT_EQ(s.EndClassAt(c.outsideEnd), EndClass::Extension);
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

TEST(SplitSegment, OuterHalfOfARunwayExtensionBecomesARollpath) {
    CRollpathDoc doc;
    AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 900, 0), AddVertexAt(doc, 1400, 0), 100.0,
                                    SegmentType::RunwayCentreLine);
    ASSERT_EQ(s.endClass1, EndClass::Extension);
    ASSERT_EQ(s.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt1);
    s.flags |= SegmentFlag::NoLighting;
    const int x = AddVertexAt(doc, 1200, 0);
    RollpathSegment& copy = doc.AppendSegment();
    SplitSegment(doc, copy, s, x);

    EXPECT_EQ(
        std::tuple(copy.type, copy.endClass0, copy.endClass1, copy.flags),
        std::tuple(SegmentType::Rollpath, EndClass::Rollpath, EndClass::DeadEnd, SegmentFlag::NoLighting));
    // The half reaching into the runway keeps its extension.
    EXPECT_EQ(std::tuple(s.type, s.flags & SegmentFlag::Extension, s.endClass1),
              std::tuple(SegmentType::RunwayCentreLine, SegmentFlag::ExtensionAt1, EndClass::Extension));
}

}  // namespace
}  // namespace rollpath
