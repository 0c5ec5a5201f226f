// Limits in the pavement's building blocks: curved strips, segment splitting
// and a tile grid read from a file.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pavement/Fillets.h"
#include "pavement/SplitSegment.h"
#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"

namespace rollpath {
namespace {

using testing::AddRunway;
using testing::AddSegment;
using testing::AddVertexAt;

// A quarter turn from heading east to heading north, with its lead points.
std::vector<DPoint> QuarterTurn(int depth, const Fillet& f) {
    std::vector<DPoint> polyline{{f.t1.x - 1.0, f.t1.y}};
    for (const DPoint& p : FilletCurve(f, depth)) {
        polyline.push_back(p);
    }
    polyline.push_back({f.t2.x, f.t2.y + 1.0});
    return polyline;
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
