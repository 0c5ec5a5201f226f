// Segment splitting and a tile grid read from a file. Whole curved strips
// within their lists are the junction invariants' part.

#include <gtest/gtest.h>

#include <cmath>
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

    EXPECT_EQ(copy.type, SegmentType::Rollpath);
    EXPECT_EQ(copy.endClass0, EndClass::Rollpath);
    EXPECT_EQ(copy.endClass1, EndClass::DeadEnd);
    EXPECT_EQ(copy.flags, SegmentFlag::NoLighting);
    // The half reaching into the runway keeps its extension.
    EXPECT_EQ(s.type, SegmentType::RunwayCentreLine);
    EXPECT_EQ(s.flags & SegmentFlag::Extension, SegmentFlag::ExtensionAt1);
    EXPECT_EQ(s.endClass1, EndClass::Extension);
}

TEST(TileGrid, AGridReadFromAPavementFileStays) {
    CRollpathDoc doc;
    AddRunway(doc, DPoint{0.0, 0.0}, DPoint{1000.0, 0.0}, 100);
    doc.m_bLoadedFromTms = 1;
    const TileGrid read{5, 3, 77.5f, {-12.0, 0.0, 40.0}};
    doc.m_TileGrid = read;
    const TileGridUpdate update = ComputeTileGrid(doc);
    EXPECT_EQ(update.extent, 1000.0);
    EXPECT_FALSE(update.changed);
    EXPECT_EQ(doc.m_TileGrid, read);
}

}  // namespace
}  // namespace rollpath
