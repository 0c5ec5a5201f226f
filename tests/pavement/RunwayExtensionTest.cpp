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

TEST_P(ExtensionFromEitherEnd, FlagsCornersAndClass) {
    const ExtensionCase& c = GetParam();
    CRollpathDoc doc;
    const RunwayRecord& runway = AddRunway(doc, {0.0, 0.0}, {1000.0, 0.0}, 100);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, c.p0.x, c.p0.y), AddVertexAt(doc, c.p1.x, c.p1.y),
                                    100.0, SegmentType::RunwayCentreLine);
    EXPECT_EQ(s.flags & SegmentFlag::Extension, c.flag);
    EXPECT_EQ(s.extensionCorners[0], runway.corners[static_cast<std::size_t>(c.cornerA)]);
    EXPECT_EQ(s.extensionCorners[1], runway.corners[static_cast<std::size_t>(c.cornerB)]);
    EXPECT_EQ(s.EndClassAt(c.outsideEnd), EndClass::Extension);
}

INSTANTIATE_TEST_SUITE_P(
    FindExtension, ExtensionFromEitherEnd,
    ::testing::Values(
        ExtensionCase{"OutPastEnd2FromVertex0", {900, 0}, {1200, 0}, SegmentFlag::ExtensionAt1, 3, 2, 1},
        ExtensionCase{"OutPastEnd2FromVertex1", {1200, 0}, {900, 0}, SegmentFlag::ExtensionAt0, 2, 3, 0},
        ExtensionCase{"OutPastEnd1FromVertex0", {100, 0}, {-200, 0}, SegmentFlag::ExtensionAt1, 1, 0, 1},
        ExtensionCase{"OutPastEnd1FromVertex1", {-200, 0}, {100, 0}, SegmentFlag::ExtensionAt0, 0, 1, 0}),
    [](const ::testing::TestParamInfo<ExtensionCase>& info) { return info.param.name; });

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

}  // namespace
}  // namespace rollpath
