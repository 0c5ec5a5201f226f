// Segment splitting and a tile grid read from a file. Whole curved strips
// within their lists are the junction invariants' part.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "pavement/SplitSegment.h"
#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

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

TEST(TileGrid, AGridReadFromAPavementFileStays) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{0.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    doc.m_bLoadedFromTms = 1;
    const TileGrid read{5, 3, 77.5f, {-12.0, 0.0, 40.0}};
    doc.m_TileGrid = read;
    const TileGridUpdate update = ComputeTileGrid(doc);
    EXPECT_EQ(std::tuple(update.extent, update.changed, doc.m_TileGrid), std::tuple(1000.0, false, read));
}

}  // namespace
}  // namespace rollpath
