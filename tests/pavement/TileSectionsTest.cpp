// Which pieces of the network go into which section of a tile, in which
// order, under which flags.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TileWriterTestSupport.h"
#include "pavement/ExtensionMarkings.h"
#include "pavement/HoldMarkings.h"
#include "pavement/QuadBuffer.h"
#include "pavement/SegmentPieces.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {
namespace {

using Pieces = std::vector<std::vector<DPoint>>;

Pieces Polygons(const DecodedMesh& mesh) {
    Pieces pieces;
    for (std::size_t k = 0; k < mesh.polygons.size(); ++k) {
        pieces.push_back(mesh.Corners(k));
    }
    return pieces;
}

// What a quad or polygon wholly inside the tile becomes in the file.
void Expect(Pieces& pieces, const std::vector<DPoint>& polygon) {
    pieces.push_back(Stored(ClockwisePiece(polygon)));
}
void Expect(Pieces& pieces, const Quad& quad) {
    Expect(pieces, std::vector<DPoint>(quad.begin(), quad.end()));
}
void Expect(Pieces& pieces, const QuadBuffer& quads) {
    for (const Quad& q : quads) {
        Expect(pieces, q);
    }
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
struct VertexMarkingCase {
    const char* name;
    int vertexFlags;
    int firstSegmentFlags;
    bool firstSegmentStripes;
    bool vertexPieces;
};

class VertexMarkings : public TileSections, public ::testing::WithParamInterface<VertexMarkingCase> {};

TEST_P(VertexMarkings, FollowTheVertexAndSegmentFlags) {
    const VertexMarkingCase& c = GetParam();
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 400.0, 0.0);
    const int cc = AddVertexAt(doc, 400.0, 400.0);
    RollpathSegment& first = AddSegment(doc, a, b, 50.0);
    const RollpathSegment& second = AddSegment(doc, b, cc, 50.0);
    first.flags = c.firstSegmentFlags;
    NetworkVertex& v = doc.Vertex(b);
    v.flags = c.vertexFlags;
    v.edgeQuads.push_back(Square(-500, -500));
    v.edgeQuads.push_back(Square(-480, -500));
    v.centreQuads.push_back(Square(-460, -500));

    Pieces edge;
    Pieces centre;
    if (c.firstSegmentStripes) {
        Expect(edge, first.rightEdgeStripe);
        Expect(edge, first.leftEdgeStripe);
        Expect(centre, first.centreStripe);
    }
    Expect(edge, second.rightEdgeStripe);
    Expect(edge, second.leftEdgeStripe);
    Expect(centre, second.centreStripe);
    if (c.vertexPieces) {
        Expect(edge, v.edgeQuads[0]);
        Expect(edge, v.edgeQuads[1]);
        Expect(centre, v.centreQuads[0]);
    }
    const DecodedTile tile = OnlyTile();
    EXPECT_EQ(Polygons(tile.edmk()), edge);
    EXPECT_EQ(Polygons(tile.cntr()), centre);
}

INSTANTIATE_TEST_SUITE_P(
    TileSections, VertexMarkings,
    ::testing::Values(VertexMarkingCase{"AllWritten", 0, 0, true, true},
                      VertexMarkingCase{"VertexNoMarkingsKeepsTheSegmentsStripes", VertexFlag::NoMarkings, 0,
                                        true, false},
                      // No Polygon or No Lighting on the vertex leaves its markings.
                      VertexMarkingCase{"VertexNoPolygonKeepsItsMarkings",
                                        VertexFlag::NoPolygon | VertexFlag::NoLighting, 0, true, true},
                      VertexMarkingCase{"SegmentNoMarkings", 0, SegmentFlag::NoMarkings, false, true},
                      VertexMarkingCase{"SegmentNoPolygon", 0, SegmentFlag::NoPolygon, false, true}),
    [](const ::testing::TestParamInfo<VertexMarkingCase>& info) { return info.param.name; });

TEST_F(TileSections, CentreStripeThenStubsThenTheExitsOfTheMaskUnlessNoExit) {
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 400.0, 0.0), 50.0);
    s.stub0 = Square(100, 100);
    s.stub1 = Square(120, 100);
    for (std::size_t k = 0; k < 4; ++k) {
        s.exitQuads[k] = Square(200.0 + 20.0 * static_cast<double>(k), 100);
    }
    s.exitMask = 0b1010;

    struct Case {
        int flags;
        std::vector<const Quad*> pieces;
    };
    for (const Case& c : {Case{0, {&s.centreStripe, &s.exitQuads[1], &s.exitQuads[3]}},
                          Case{SegmentFlag::Stub0 | SegmentFlag::Stub1,
                               {&s.centreStripe, &s.stub0, &s.stub1, &s.exitQuads[1], &s.exitQuads[3]}},
                          Case{SegmentFlag::Stub1 | SegmentFlag::NoExit, {&s.centreStripe, &s.stub1}}}) {
        SCOPED_TRACE(c.flags);
        s.flags = c.flags;
        Pieces expected;
        for (const Quad* q : c.pieces) {
            Expect(expected, *q);
        }
        EXPECT_EQ(Polygons(OnlyTile().cntr()), expected);
        // The exits stay in the model.
        EXPECT_EQ(s.exitMask, 0b1010);
    }
}

TEST_F(TileSections, HoldMarkingsReplaceTheCentreStripeRunwayHoldFirst) {
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, 0.0), AddVertexAt(doc, 0.0, 400.0), 50.0);
    s.endClass0 = EndClass::Runway;
    s.extent1 = 120.0;
    for (const int flags : {SegmentFlag::RunwayHold, SegmentFlag::CriticalHold,
                            SegmentFlag::RunwayHold | SegmentFlag::CriticalHold}) {
        SCOPED_TRACE(flags);
        s.flags = flags;
        const int kind =
            (flags & SegmentFlag::RunwayHold) != 0 ? SegmentFlag::RunwayHold : SegmentFlag::CriticalHold;
        Pieces expected;
        QuadBuffer quads;
        if (kind == SegmentFlag::RunwayHold) {
            ASSERT_EQ(RunwayHoldQuads(doc, s, quads), 20);
        } else {
            ASSERT_EQ(CriticalHoldQuads(doc, s, quads), 10);
        }
        Expect(expected, quads);
        ASSERT_EQ(HoldEndQuads(doc, s, kind, quads), 2);
        Expect(expected, quads);
        EXPECT_EQ(Polygons(OnlyTile().cntr()), expected);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TileSections, AHoldMarkingCutAtTheBufferIsReportedOncePerSave) {
    // 700 ft wide: the runway hold needs more than 100 quads. The rollpath
    // lies across four tiles.
    Grid(-1000.0, -1000.0, 1000.0f);
    RollpathSegment& s = AddSegment(doc, AddVertexAt(doc, 0.0, -300.0), AddVertexAt(doc, 0.0, 300.0), 700.0);
    s.flags = SegmentFlag::RunwayHold;
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_EQ(tiles.size(), 4u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kMarkingCutMessage});
    messages.Clear();
    Encode();
    EXPECT_EQ(messages.shown, std::vector<std::string>{kMarkingCutMessage});
}

// A runway from x = -1000 to 1000 whose centre line runs on 300 ft past its
// east end.
class Extension : public TileSections {
protected:
    Extension() {
        AddRunway(doc, {-1000.0, 0.0}, {1000.0, 0.0}, 100);
        s = &AddSegment(doc, AddVertexAt(doc, 900.0, 0.0), AddVertexAt(doc, 1300.0, 0.0), 80.0,
                        SegmentType::RunwayCentreLine);
        ExtensionArrowheads(doc, *s);
    }
    RollpathSegment* s = nullptr;
};

TEST_F(Extension, PavesItsPolygonAndPaintsEdgeStripesAndArrowheadsOfTwoQuadsEach) {
    ASSERT_TRUE(IsExtensionSegment(*s));
    Pieces pave;
    std::array<DPoint, 5> polygon{};
    ASSERT_TRUE(ExtensionPolygon(*s, polygon));
    Expect(pave, std::vector<DPoint>(polygon.begin(), polygon.end()));
    Pieces edge;
    Expect(edge, s->extensionEdgeStripes[0]);
    Expect(edge, s->extensionEdgeStripes[1]);
    Pieces centre;
    for (const auto& p : s->extensionMarks) {
        Expect(centre, Quad{p[0], p[1], p[2], p[3]});
        Expect(centre, Quad{p[0], p[1], p[4], p[5]});
    }
    const DecodedTile tile = OnlyTile();
    EXPECT_EQ(Polygons(tile.pave()), pave);
    EXPECT_EQ(Polygons(tile.edmk()), edge);
    EXPECT_EQ(Polygons(tile.cntr()), centre);
    EXPECT_EQ(centre.size(), 8u);
    // The extension polygon runs from the runway's end to the outer end.
    EXPECT_NEAR(std::fabs(PolygonArea(polygon.data(), 5)), 300.0 * (100.0 + 80.0) / 2.0, 1e-6);
}

TEST_F(Extension, ABlastPadHasChevronsAndNoEdgeStripes) {
    s->flags |= SegmentFlag::BlastPad;
    QuadBuffer quads;
    ASSERT_EQ(BlastPadQuads(*s, quads), 8);
    Pieces centre;
    Expect(centre, quads);
    const DecodedTile tile = OnlyTile();
    EXPECT_EQ(tile.pave().polygons.size(), 1u);
    EXPECT_TRUE(tile.edmk().polygons.empty());
    EXPECT_EQ(Polygons(tile.cntr()), centre);
}

TEST_F(Extension, NoPolygonOrNoMarkingsOnTheExtensionAndPlainCentreLines) {
    // A centre line inside its runway adds nothing; a ground polygon keeps
    // the tile.
    AddCentreLine(doc, *doc.m_pRunways[0]);
    Polygon({{-500, 500}, {-500, 510}, {-490, 510}, {-490, 500}});
    s->flags |= SegmentFlag::NoMarkings;
    DecodedTile tile = OnlyTile();
    EXPECT_EQ(tile.pave().polygons.size(), 2u);
    EXPECT_TRUE(tile.edmk().polygons.empty());
    EXPECT_TRUE(tile.cntr().polygons.empty());
    s->flags |= SegmentFlag::NoPolygon;
    tile = OnlyTile();
    EXPECT_EQ(tile.pave().polygons.size(), 1u);
}

TEST_F(TileSections, PavementOrderIsSegmentsThenGroundPolygonsThenJunctions) {
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 0.0, 300.0);
    const RollpathSegment& s = AddSegment(doc, a, b, 40.0);
    GroundPolygon junction;
    junction.kind = PolygonKind::Junction;
    junction.points = {{-100, 400}, {-100, 420}, {-80, 420}, {-80, 400}};
    doc.Vertex(b).junctionPolys.push_back(junction);
    doc.Vertex(a).junctionPolys.push_back(
        GroundPolygon{{PolygonKind::Junction, {{-200, 0}, {-200, 5}, {-195, 0}}, 0}});
    Polygon({{500, 500}, {500, 520}, {520, 520}, {520, 500}});
    Polygon({{600, 600}, {600, 620}, {620, 620}}).state = -1;
    Pieces expected;
    Expect(expected, std::vector<DPoint>(s.outline.begin(), s.outline.end()));
    Expect(expected, doc.m_pPolygons[0]->points);
    Expect(expected, doc.Vertex(a).junctionPolys[0].points);
    Expect(expected, junction.points);
    EXPECT_EQ(Polygons(OnlyTile().pave()), expected);

    // No Polygon on a vertex leaves its junction polygons out.
    doc.Vertex(a).flags = VertexFlag::NoPolygon;
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(Polygons(OnlyTile().pave()), expected);
}

TEST_F(TileSections, OnlyPavementDecidesWhetherATileIsWritten) {
    Grid(0.0, 0.0, 1000.0f);
    // Markings and lights in tile (1, 1), pavement only in tile (0, 0).
    Polygon({{100, 100}, {100, 200}, {200, 200}, {200, 100}});
    const int v = AddVertexAt(doc, 1500.0, 1500.0);
    doc.Vertex(v).edgeQuads.push_back(Square(1500, 1500));
    doc.Vertex(v).lightPts1.push_back({1500, 1500});
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    ASSERT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles[0].column, 0u);
    EXPECT_EQ(tiles[0].row, 0u);
}

}  // namespace
}  // namespace rollpath::testing
