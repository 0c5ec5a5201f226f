// Which pieces of the network go into which section of a tile, in which
// order, under which flags; and which rows and junction lights the light
// section holds, as single lights or runs, under which switches. A tile grid
// read from a pavement file stays.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TileWriterTestSupport.h"
#include "pavement/HoldMarkings.h"
#include "pavement/SegmentPieces.h"
#include "pavement/TileGrid.h"
#include "pavement/TileLights.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {
namespace {

Pieces Expected(const std::vector<const Quad*>& quads) {
    Pieces pieces;
    for (const Quad* q : quads) {
        pieces.push_back(Written({q->begin(), q->end()}));
    }
    return pieces;
}

// A clockwise square of side 10 at (x, y), as a hand-set marking piece.
Quad Square(double x, double y) {
    return Quad{DPoint{x, y}, DPoint{x, y + 10}, DPoint{x + 10, y + 10}, DPoint{x + 10, y}};
}

class TileSections : public TileWriterTest {
protected:
    // One tile from (-2000, -2000) to (2000, 2000) holds everything.
    TileSections() { Grid(-2000.0, -2000.0, 4000.0f); }

    DecodedTile OnlyTile() {
        const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
        EXPECT_EQ(tiles.size(), 1u);
        return tiles.empty() ? DecodedTile{} : tiles[0];
    }
};

// Two rollpaths a - b - c; b carries junction pieces of its own.
struct FlagCase {
    const char* name;
    int vertexFlags;
    int firstSegmentFlags;
    bool firstSegmentMarked;
    bool vertexMarked;
};

class MarkingFlags : public TileSections, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(MarkingFlags, DecideWhichStripesAndJunctionPiecesAreWritten) {
    const FlagCase& c = GetParam();
    const int b = AddVertexAt(doc, 400.0, 0.0);
    RollpathSegment& first = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), b, 50.0);
    const RollpathSegment& second = AddSegment(doc, b, AddVertexAt(doc, 400.0, 400.0), 50.0);
    first.flags = c.firstSegmentFlags;
    NetworkVertex& v = doc.Vertex(b);
    v.flags = c.vertexFlags;
    v.edgeQuads.push_back(Square(-500, -500));
    v.centreQuads.push_back(Square(-460, -500));

    std::vector<const Quad*> edge;
    std::vector<const Quad*> centre;
    if (c.firstSegmentMarked) {
        edge = {&first.rightEdgeStripe, &first.leftEdgeStripe};
        centre = {&first.centreStripe};
    }
    edge.insert(edge.end(), {&second.rightEdgeStripe, &second.leftEdgeStripe});
    centre.push_back(&second.centreStripe);
    if (c.vertexMarked) {
        edge.push_back(&v.edgeQuads[0]);
        centre.push_back(&v.centreQuads[0]);
    }
    const DecodedTile tile = OnlyTile();
    EXPECT_EQ(tile.edmk(), Expected(edge));
    EXPECT_EQ(tile.cntr(), Expected(centre));
}

INSTANTIATE_TEST_SUITE_P(
    TileSections, MarkingFlags,
    ::testing::Values(FlagCase{"AllWritten", 0, 0, true, true},
                      FlagCase{"VertexNoMarkingsKeepsTheSegmentsStripes", VertexFlag::NoMarkings, 0, true,
                               false},
                      FlagCase{"VertexNoPolygonKeepsItsMarkings", VertexFlag::NoPolygon, 0, true, true},
                      FlagCase{"SegmentNoMarkings", 0, SegmentFlag::NoMarkings, false, true},
                      FlagCase{"SegmentNoPolygon", 0, SegmentFlag::NoPolygon, false, true}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return info.param.name; });

TEST_F(TileSections, CentreStripeThenStubsThenTheExitsOfTheMaskUnlessNoExit) {
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 400.0, 0.0), 50.0);
    s.stub0 = Square(100, 100);
    s.stub1 = Square(120, 100);
    for (std::size_t k = 0; k < 4; ++k) {
        s.exitQuads[k] = Square(200.0 + 20.0 * static_cast<double>(k), 100);
    }
    s.exitMask = 0b1010;
    EXPECT_EQ(OnlyTile().cntr(), Expected({&s.centreStripe, &s.exitQuads[1], &s.exitQuads[3]}));
    s.flags = SegmentFlag::Stub0 | SegmentFlag::Stub1;
    EXPECT_EQ(OnlyTile().cntr(),
              Expected({&s.centreStripe, &s.stub0, &s.stub1, &s.exitQuads[1], &s.exitQuads[3]}));
    s.flags = SegmentFlag::Stub1 | SegmentFlag::NoExit;
    EXPECT_EQ(OnlyTile().cntr(), Expected({&s.centreStripe, &s.stub1}));
    EXPECT_EQ(s.exitMask, 0b1010);  // the exits stay in the model
}

TEST_F(TileSections, AHoldMarkingReplacesTheCentreStripeAndACutOneIsReportedOncePerSave) {
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 0.0, 400.0), 50.0);
    s.endClass0 = EndClass::Runway;
    s.flags = SegmentFlag::RunwayHold | SegmentFlag::CriticalHold;  // the runway hold wins
    QuadBuffer hold;
    QuadBuffer ends;
    ASSERT_EQ(RunwayHoldQuads(doc, s, hold), 20);
    ASSERT_EQ(HoldEndQuads(doc, s, SegmentFlag::RunwayHold, ends), 2);
    Pieces expected;
    for (const QuadBuffer* buffer : {&hold, &ends}) {
        for (const Quad& q : *buffer) {
            expected.push_back(Written({q.begin(), q.end()}));
        }
    }
    EXPECT_EQ(OnlyTile().cntr(), expected);
    EXPECT_TRUE(messages.shown.empty());

    // 700 ft wide, over four tiles: the hold needs more than 100 quads.
    Grid(-1000.0, -1000.0, 1000.0f);
    AddSegment(doc, AddVertexAt(doc, 0.0, -300.0), AddVertexAt(doc, 0.0, 300.0), 700.0).flags =
        SegmentFlag::RunwayHold;
    for (int save = 0; save < 2; ++save) {
        messages.Clear();
        Encode();
        EXPECT_EQ(messages.shown, std::vector<std::string>{kMarkingCutMessage});
    }
}

using TileLights = TileWriterTest;

TEST_F(TileLights, CollectionOrderClassesAndSwitches) {
    Grid(-100.0, -100.0, 1000.0f);
    // a: three runs. b: three single lights (rows of one point).
    RollpathSegment& a = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 400.0, 0.0), 20.0);
    a.rightLightLine = {DPoint{0, -15}, DPoint{400, -15}};
    a.leftLightLine = {DPoint{0, 15}, DPoint{400, 15}};
    a.centreLightLine = {DPoint{0, 0}, DPoint{400, 0}};
    RollpathSegment& b = AddSegment(doc, AddVertexAt(doc, 0.0, 300.0), AddVertexAt(doc, 200.0, 300.0), 20.0);
    b.rightLightLine = {DPoint{50, 200}, DPoint{50, 200}};
    b.leftLightLine = {DPoint{60, 200}, DPoint{60, 200}};
    b.centreLightLine = {DPoint{70, 200}, DPoint{70, 200}};
    // c: No Lighting; d: No Polygon keeps its centre row only; e: a runway
    // centre line carries no rows.
    RollpathSegment& c = AddSegment(doc, AddVertexAt(doc, 0.0, 500.0), AddVertexAt(doc, 200.0, 500.0), 20.0);
    c.flags = SegmentFlag::NoLighting;
    RollpathSegment& d = AddSegment(doc, AddVertexAt(doc, 0.0, 600.0), AddVertexAt(doc, 200.0, 600.0), 20.0);
    d.flags = SegmentFlag::NoPolygon;
    d.centreLightLine = {DPoint{80, 200}, DPoint{80, 200}};
    AddSegment(doc, AddVertexAt(doc, 0.0, 700.0), AddVertexAt(doc, 200.0, 700.0), 20.0,
               SegmentType::RunwayCentreLine);
    // Junction lights: kept at a lit vertex, left out at a vertex with No
    // Lighting and at a deleted one.
    NetworkVertex& lit = doc.Vertex(a.vertex0);
    lit.lightPts1.push_back({10, 50});
    lit.lightPts1.push_back({5000, 50});  // outside the tile
    lit.lightPts0.push_back({20, 50});
    NetworkVertex& dark = doc.Vertex(b.vertex0);
    dark.flags = VertexFlag::NoLighting;
    dark.lightPts1.push_back({30, 50});
    dark.lightPts0.push_back({40, 50});
    const int gone = AddVertexAt(doc, 800.0, 800.0);
    doc.Vertex(gone).lightPts1.push_back({800, 800});
    doc.Vertex(gone).state = -1;

    Golden g;
    g.tag("<lite>").u32(16 * 6 + 28 * 3 + 4);
    for (const auto& [cls, x, y] : std::vector<std::tuple<std::uint32_t, float, float>>{
             {1, 50, 200}, {1, 60, 200}, {1, 10, 50}, {0, 70, 200}, {0, 80, 200}, {0, 20, 50}}) {
        g.u32(1).u32(cls).f32(x).f32(y);
    }
    g.u32(2).u32(1).f32(0).f32(-15).f32(400).f32(-15).f32(100);
    g.u32(2).u32(1).f32(0).f32(15).f32(400).f32(15).f32(100);
    g.u32(2).u32(0).f32(0).f32(0).f32(400).f32(0).f32(100);
    g.u32(0);
    g.tag("<endo>").tag("<endo>");
    const Bytes bytes = Encode();
    ASSERT_GE(bytes.size(), g.bytes.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<std::ptrdiff_t>(g.bytes.size()), bytes.end()), g.bytes);
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
}  // namespace rollpath::testing
