// The pavement file as the tile writer builds it: whole files checked
// against bytes built here, and the rules of what goes into which tile.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "TileWriterTestSupport.h"
#include "geometry/Triangulate.h"
#include "pavement/TileContent.h"
#include "support/FaultyFileSystem.h"
#include "support/NetworkBuilder.h"
#include "support/TempDir.h"
#include "support/TileGridRule.h"

namespace rollpath::testing {
namespace {

// The four words of an empty mesh section after its tag, then V = 0 and the
// terminator: byte count 24.
Golden& EmptyMesh(Golden& g, const char* tag) {
    return g.tag(tag).u32(24).u32(20).u32(65536).u32(2).u32(0).u32(0).u32(0);
}

Golden& EmptyLights(Golden& g) {
    return g.tag("<lite>").u32(4).u32(0);
}

Golden& Vertex(Golden& g, double x, double y) {
    return g.i32(static_cast<std::int32_t>(x * 256)).i32(0).i32(static_cast<std::int32_t>(y * 256));
}

Golden& PolygonWords(Golden& g, std::initializer_list<std::uint32_t> indices) {
    g.u32(5).u32(static_cast<std::uint32_t>(indices.size())).u32(0).u32(65535).u32(0).u32(0);
    for (const std::uint32_t k : indices) {
        g.u32(k);
    }
    return g;
}

const std::string kRedPolygons = "Polygon triangulation error(s): shown in red.";

using PavementWriter = TileWriterTest;

TEST_F(PavementWriter, AnEmptyAirportIsTheHeaderAndTheEnd) {
    Grid(-300.25, -410.5, 125.5f);
    Golden g = Header();
    g.tag("<endo>");
    EXPECT_EQ(Encode(), g.bytes);
    // The longitude -122.25 degrees is stored as 1296000 - 440100.
    EXPECT_EQ(Bytes(g.bytes.begin() + 22, g.bytes.begin() + 30), Golden().f64(855900.0).bytes);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PavementWriter, RunwaysAloneGetAGridButNoTile) {
    AddRunway(doc, {0.0, 0.0}, {3000.0, 400.0}, 150);
    AddRunway(doc, {500.0, -800.0}, {900.0, 1500.0}, 100);
    doc.m_TileGrid = GridAroundDrawing(doc);
    ASSERT_EQ(doc.m_TileGrid.columns, 8u);
    ASSERT_GT(doc.m_TileGrid.side, 300.0f);
    Golden g = Header();
    g.tag("<endo>");
    EXPECT_EQ(Encode(), g.bytes);
}

TEST_F(PavementWriter, AConvexQuadInsideOneTileIsOnePolygonOfFourIndices) {
    Grid(0.0, 0.0, 1000.0f);
    // Clockwise, in tile (2, 3); positions exact in 1/256 ft.
    Polygon({{2100.5, 3100.25}, {2100.5, 3400.0}, {2500.75, 3450.0}, {2600.0, 3050.5}});
    Golden g = Header();
    g.tag("<tile>").tag("<bgno>").tag("<indx>").u32(2).u32(3);
    g.tag("<pave>").u32(12 * (4 + 2) + 24 + 16).u32(20).u32(65536).u32(2).u32(0).u32(4);
    Vertex(g, 2100.5, 3100.25);
    Vertex(g, 2100.5, 3400.0);
    Vertex(g, 2500.75, 3450.0);
    Vertex(g, 2600.0, 3050.5);
    PolygonWords(g, {0, 1, 2, 3}).u32(0);
    EmptyMesh(g, "<edmk>");
    EmptyMesh(g, "<cntr>");
    EmptyLights(g);
    g.tag("<endo>");
    g.tag("<endo>");
    EXPECT_EQ(Encode(), g.bytes);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(doc.m_TriErrors.empty());
}

TEST_F(PavementWriter, ACounterClockwisePolygonIsWrittenClockwiseAndStaysAsItWasInTheDocument) {
    Grid(0.0, 0.0, 1000.0f);
    const std::vector<DPoint> ccw{{100.0, 100.0}, {300.0, 100.0}, {300.0, 200.0}, {100.0, 200.0}};
    Polygon(ccw);
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    ASSERT_EQ(tiles.size(), 1u);
    ASSERT_EQ(tiles[0].pave().polygons.size(), 1u);
    EXPECT_EQ(tiles[0].pave().Corners(0), ClockwisePiece(ccw));
    EXPECT_EQ(doc.m_pPolygons[0]->points, ccw);
}

TEST_F(PavementWriter, AnLShapedHexagonIsFourTrianglesWithTheirLastTwoCornersSwapped) {
    Grid(0.0, 0.0, 1000.0f);
    // Clockwise L in tile (0, 0).
    const std::vector<DPoint> l{{100, 100}, {100, 500}, {300, 500}, {300, 300}, {600, 300}, {600, 100}};
    Polygon(l);
    // The triangulator gets the L counter-clockwise, with the same seed.
    std::vector<DPoint> contour{DPoint{}};
    contour.insert(contour.end(), l.rbegin(), l.rend());
    std::vector<Triangle> triangles;
    ASSERT_EQ(TriangulatePolygon(std::array<int, 1>{6}, contour, triangles, 7u), 4);

    // Vertices in order of first use over a, c, b of each triangle.
    std::vector<DPoint> table;
    std::vector<std::uint32_t> words;
    for (const Triangle& t : triangles) {
        words.push_back(3);
        for (const int corner : {t[0], t[2], t[1]}) {
            const DPoint p = contour[static_cast<std::size_t>(corner)];
            std::size_t k = 0;
            while (k < table.size() && !(table[k] == p)) {
                ++k;
            }
            if (k == table.size()) {
                table.push_back(p);
            }
            words.push_back(static_cast<std::uint32_t>(k));
        }
    }
    ASSERT_EQ(table.size(), 6u);
    Golden g = Header();
    g.tag("<tile>").tag("<bgno>").tag("<indx>").u32(0).u32(0);
    g.tag("<pave>").u32(12 * (6 + 2) + 4 * (24 + 12)).u32(20).u32(65536).u32(2).u32(0).u32(6);
    for (const DPoint& p : table) {
        Vertex(g, p.x, p.y);
    }
    for (std::size_t i = 0; i < words.size(); i += 4) {
        PolygonWords(g, {words[i + 1], words[i + 2], words[i + 3]});
    }
    g.u32(0);
    EmptyMesh(g, "<edmk>");
    EmptyMesh(g, "<cntr>");
    EmptyLights(g);
    g.tag("<endo>").tag("<endo>");
    EXPECT_EQ(Encode(), g.bytes);

    // Each written triangle runs clockwise.
    const std::vector<DecodedTile> tiles = DecodeTiles(g.bytes);
    ASSERT_EQ(tiles.size(), 1u);
    for (std::size_t k = 0; k < 4; ++k) {
        const std::vector<DPoint> corners = tiles[0].pave().Corners(k);
        EXPECT_GT(PolygonArea(corners.data(), 3), 0.0) << k;
    }
}

TEST_F(PavementWriter, APolygonAcrossTwoTilesLeavesAPieceWithItsOwnVerticesInEach) {
    Grid(0.0, 0.0, 1000.0f);
    Polygon({{900.0, 200.0}, {900.0, 300.0}, {1100.0, 300.0}, {1100.0, 200.0}});
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_EQ(tiles[0].column, 0u);
    EXPECT_EQ(tiles[1].column, 1u);
    const std::array<std::pair<double, double>, 2> spans{std::pair{900.0, 1000.0}, std::pair{1000.0, 1100.0}};
    for (std::size_t t = 0; t < 2; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(tiles[t].row, 0u);
        const DecodedMesh& pave = tiles[t].pave();
        ASSERT_EQ(pave.polygons.size(), 1u);
        ASSERT_EQ(pave.vertices.size(), 4u);
        std::vector<DPoint> corners = pave.Corners(0);
        EXPECT_GT(PolygonArea(corners.data(), 4), 0.0);
        for (const DPoint& p : corners) {
            EXPECT_TRUE(p.x == spans[t].first || p.x == spans[t].second) << p.x;
            EXPECT_TRUE(p.y == 200.0 || p.y == 300.0) << p.y;
        }
        EXPECT_NEAR(PolygonArea(corners.data(), 4), 100.0 * 100.0, 1e-9);
    }
}

TEST_F(PavementWriter, AdjacentSegmentOutlinesShareTheVertexRecordsOfTheirCommonCorners) {
    Grid(-500.0, -500.0, 2000.0f);
    const int a = AddVertexAt(doc, 0.0, 0.0);
    const int b = AddVertexAt(doc, 400.0, 0.0);
    const int c = AddVertexAt(doc, 800.0, 0.0);
    const RollpathSegment& first = AddSegment(doc, a, b, 50.0);
    const RollpathSegment& second = AddSegment(doc, b, c, 50.0);
    // Centre, left and right at b.
    ASSERT_EQ(first.outline[3], second.outline[0]);
    ASSERT_EQ(first.outline[2], second.outline[1]);
    ASSERT_EQ(first.outline[4], second.outline[5]);

    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    ASSERT_EQ(tiles.size(), 1u);
    const DecodedMesh& pave = tiles[0].pave();
    ASSERT_EQ(pave.polygons.size(), 2u);
    EXPECT_EQ(pave.vertices.size(), 9u);
    EXPECT_EQ(pave.polygons[0], (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    const std::vector<std::uint32_t>& shared = pave.polygons[1];
    ASSERT_EQ(shared.size(), 6u);
    EXPECT_EQ(shared[0], 3u);
    EXPECT_EQ(shared[1], 2u);
    EXPECT_EQ(shared[5], 4u);
    EXPECT_EQ(pave.Corners(1), Stored(std::vector<DPoint>(second.outline.begin(), second.outline.end())));
}

TEST_F(PavementWriter, TwoUntriangulablePolygonsGiveOneMessageAndTwoRedPolygons) {
    Grid(0.0, 0.0, 1000.0f);
    // A bow tie and a polygon with a spike of no width: neither is simple.
    const std::vector<DPoint> bowTie{{100, 100}, {200, 200}, {300, 100}, {300, 200}, {200, 100}, {100, 200}};
    const std::vector<DPoint> spike{{400, 400}, {400, 500}, {450, 500}, {450, 600},
                                    {450, 500}, {500, 500}, {500, 400}};
    Polygon(bowTie);
    Polygon({{600, 600}, {600, 700}, {700, 700}, {700, 600}});
    Polygon(spike);
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_EQ(messages.shown, std::vector<std::string>{kRedPolygons});
    ASSERT_EQ(doc.m_TriErrors.size(), 2u);
    EXPECT_EQ(doc.m_TriErrors[0], ClockwisePiece(bowTie));
    EXPECT_EQ(doc.m_TriErrors[1], ClockwisePiece(spike));
    // Only the square made it into the file.
    ASSERT_EQ(tiles.size(), 1u);
    ASSERT_EQ(tiles[0].pave().polygons.size(), 1u);
    EXPECT_EQ(tiles[0].pave().vertices.size(), 4u);

    // The next Save starts a new list and reports again.
    messages.Clear();
    doc.m_pPolygons[0]->state = -1;
    Encode();
    EXPECT_EQ(messages.shown, std::vector<std::string>{kRedPolygons});
    EXPECT_EQ(doc.m_TriErrors.size(), 1u);
}

TEST_F(PavementWriter, AtMostThirtyRedPolygonsOfAtMostFiftyPointsAreKept) {
    Grid(0.0, 0.0, 2000.0f);
    // Bow ties along a line, the last ones with extra points on one edge.
    for (int k = 0; k < 33; ++k) {
        const double x = 100.0 + 40.0 * k;
        std::vector<DPoint> bowTie{{x, 100}, {x + 10, 110}, {x + 20, 100}, {x + 20, 110}, {x + 10, 100}};
        // Points along the edge from (x + 10, 100) to (x, 110).
        for (int extra = 1; extra <= (k >= 28 ? 60 : 0); ++extra) {
            const double t = extra / 61.0;
            bowTie.push_back({x + 10.0 - 10.0 * t, 100.0 + 10.0 * t});
        }
        bowTie.push_back({x, 110});
        Polygon(bowTie);
    }
    Encode();
    EXPECT_EQ(messages.shown.size(), 1u);
    ASSERT_EQ(doc.m_TriErrors.size(), 30u);
    EXPECT_EQ(doc.m_TriErrors[27].size(), 6u);
    EXPECT_EQ(doc.m_TriErrors[28].size(), 50u);
    EXPECT_EQ(doc.m_TriErrors[29].size(), 50u);
    EXPECT_EQ(doc.m_TriErrors[29][0].x, 100.0 + 40.0 * 29);
}

TEST_F(PavementWriter, APolygonTooLargeToClipIsReportedOnceAndShownInRed) {
    Grid(-1000.0, -1000.0, 1000.0f);
    // 600 corners, more than the clipper's node list holds, over four tiles.
    std::vector<DPoint> big;
    for (int k = 0; k < 600; ++k) {
        const double a = -2.0 * 3.141592653589793 * k / 600.0;
        big.push_back({400.0 * std::cos(a), 400.0 * std::sin(a)});
    }
    Polygon(big);
    Polygon({{-500, -500}, {-500, -400}, {-400, -400}, {-400, -500}});
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{std::string(kClipCapacityMessage), kRedPolygons}));
    // Recorded in each of the four tiles it reaches.
    ASSERT_EQ(doc.m_TriErrors.size(), 4u);
    EXPECT_EQ(doc.m_TriErrors[0].size(), 50u);
    ASSERT_EQ(tiles.size(), 4u);
    EXPECT_EQ(tiles[0].pave().polygons.size(), 1u);  // the small square
    EXPECT_EQ(tiles[1].pave().polygons.size(), 0u);
}

TEST_F(PavementWriter, APolygonTooLargeToClipIsWrittenWholeWhenItLiesInOneTile) {
    Grid(0.0, 0.0, 2000.0f);
    std::vector<DPoint> big;
    for (int k = 0; k < 600; ++k) {
        const double a = 2.0 * 3.141592653589793 * k / 600.0;
        const double r = k % 2 == 0 ? 400.0 : 380.0;  // a star: concave
        big.push_back({1000.0 + r * std::cos(a), 1000.0 + r * std::sin(a)});
    }
    Polygon(big);
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles[0].pave().polygons.size(), 598u);
    EXPECT_EQ(tiles[0].pave().vertices.size(), 600u);
}

TEST_F(PavementWriter, APolygonPassingJustOutsideATileCornerDoesNotPaveTheTile) {
    // Tile (1, 0) runs from x 0 to 300 and y -200 to 100. The triangle's
    // long side passes half a foot above the tile's top-left corner.
    Grid(-300.0, -200.0, 300.0f);
    const std::vector<DPoint> triangle{{-100.0, 0.5}, {-100.0, 200.0}, {99.5, 200.0}};
    Polygon(triangle);
    Polygon({{100, -100}, {100, -50}, {150, -50}, {150, -100}});
    // The clipper alone takes the tile for lying inside the triangle.
    const ClipRect tile = TileRectangle(doc.m_TileGrid, 1, 0);
    std::vector<DPoint> subject = triangle;
    std::vector<DPoint> points;
    std::vector<int> counts;
    ASSERT_EQ(PreciseClipToRectangle(subject.data(), 3, tile, points, counts, {}), 1);
    ASSERT_EQ(counts, std::vector<int>{4});

    for (const DecodedTile& t : DecodeTiles(Encode())) {
        if (t.column == 1 && t.row == 0) {
            ASSERT_EQ(t.pave().polygons.size(), 1u);
            EXPECT_EQ(t.pave().Corners(0),
                      (std::vector<DPoint>{{100, -100}, {100, -50}, {150, -50}, {150, -100}}));
        }
    }
}

// Twice the area of the pieces a file holds in its pavement sections.
double PavedArea(const std::vector<DecodedTile>& tiles) {
    double area = 0.0;
    for (const DecodedTile& t : tiles) {
        for (std::size_t k = 0; k < t.pave().polygons.size(); ++k) {
            const std::vector<DPoint> corners = t.pave().Corners(k);
            area += PolygonArea(corners.data(), static_cast<int>(corners.size()));
        }
    }
    return area;
}

TEST_F(PavementWriter, ARollpathCentredOnATileSideIsCutWithoutLoss) {
    // The outline's centre points lie exactly on the side x = 0 of the tiles
    // west and east of it, where the clipper sees no crossing.
    Grid(-1000.0, -1000.0, 1000.0f);
    const RollpathSegment& s =
        AddSegment(doc, AddVertexAt(doc, 0.0, -300.0), AddVertexAt(doc, 0.0, 300.0), 700.0);
    ASSERT_EQ(s.outline[0].x, 0.0);
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_TRUE(doc.m_TriErrors.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(tiles.size(), 4u);
    // Every piece clockwise; together the whole outline, to the file's
    // resolution.
    EXPECT_NEAR(PavedArea(tiles), 700.0 * 600.0, 20.0);
}

TEST_F(PavementWriter, ATileHoldsMoreThanTheDesignCapacitiesWithNothingLeftOut) {
    Grid(0.0, 0.0, 4000.0f);
    // 1700 separate squares: 6800 vertices and 8500 index words in one
    // section, beyond 2048 and 8192.
    for (int k = 0; k < 1700; ++k) {
        const double x = 10.0 + 20.0 * (k % 100);
        const double y = 10.0 + 20.0 * (k / 100);
        Polygon({{x, y}, {x, y + 10}, {x + 10, y + 10}, {x + 10, y}});
    }
    // 450 junction edge lights (beyond 400) at ten vertices, and 130 short
    // rollpaths whose three rows are runs in the tile (390, beyond 200).
    for (int v = 0; v < 10; ++v) {
        const int k = AddVertexAt(doc, 3000.0 + v, 3000.0);
        for (int i = 0; i < 45; ++i) {
            doc.Vertex(k).lightPts1.push_back({3000.0 + v, 3000.0 + i});
        }
    }
    for (int k = 0; k < 130; ++k) {
        const double y = 500.0 + 20.0 * k;
        AddSegment(doc, AddVertexAt(doc, 2200.0, y), AddVertexAt(doc, 2600.0, y), 10.0);
    }
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    ASSERT_EQ(tiles.size(), 1u);
    const DecodedMesh& pave = tiles[0].pave();
    EXPECT_EQ(pave.polygons.size(), 1700u + 130u);
    EXPECT_EQ(pave.vertices.size(), 6800u + 130u * 6u);
    std::size_t points = 0;
    std::size_t runs = 0;
    for (const LightEntryRecord& light : tiles[0].lights) {
        (light.shape == 1 ? points : runs) += 1;
    }
    EXPECT_EQ(points, 450u);
    EXPECT_EQ(runs, 390u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PavementWriter, TheFileGoesToTheFolderUnderItsNameAndAFailureKeepsTheOldOne) {
    Grid(0.0, 0.0, 1000.0f);
    Polygon({{100, 100}, {100, 200}, {200, 200}, {200, 100}});
    TempDir dir("rollpath-tms");
    ASSERT_TRUE(WritePavementFile(doc, dir.path()));
    const Bytes old = ReadBytes(dir / "KTST.tms");
    EXPECT_EQ(old, Encode());
    EXPECT_TRUE(messages.shown.empty());

    // A Save with a red polygon, then one whose file cannot be created: the
    // list of the last written Save stays, as does the file.
    Polygon({{300, 300}, {400, 400}, {500, 300}, {500, 400}, {400, 300}, {300, 400}});
    Polygon({{600, 600}, {600, 700}, {700, 700}});
    ASSERT_TRUE(WritePavementFile(doc, dir.path()));
    ASSERT_EQ(doc.m_TriErrors.size(), 1u);
    const Bytes written = ReadBytes(dir / "KTST.tms");
    EXPECT_NE(written, old);
    doc.m_pPolygons[1]->state = -1;
    for (const auto fault : {FaultyFileSystem::Fault::Create, FaultyFileSystem::Fault::Write,
                             FaultyFileSystem::Fault::Close, FaultyFileSystem::Fault::Rename}) {
        messages.Clear();
        FaultyFileSystem files(fault);
        EXPECT_FALSE(WritePavementFile(doc, dir.path(), files));
        EXPECT_EQ(messages.shown.back(), "Cannot create KTST.tms");
        EXPECT_EQ(ReadBytes(dir / "KTST.tms"), written);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
        if (fault == FaultyFileSystem::Fault::Create) {
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(doc.m_TriErrors.size(), 1u);
        } else {
            EXPECT_TRUE(doc.m_TriErrors.empty());
        }
    }
}

}  // namespace
}  // namespace rollpath::testing
