// The pavement file as the tile writer builds it: whole files checked
// against bytes built here, the cutting into tiles, the polygons that cannot
// be written, the file on disk, and random polygons cut without loss.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TileWriterTestSupport.h"
#include "geometry/Triangulate.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/TileContent.h"
#include "pavement/TileGrid.h"
#include "support/DeterministicRandom.h"
#include "support/FaultyFileSystem.h"
#include "support/NetworkBuilder.h"
#include "support/PolygonGenerators.h"
#include "support/TempDir.h"

namespace rollpath::testing {
namespace {

const std::string kRedPolygons = "Polygon triangulation error(s): shown in red.";

double PavedArea(const std::vector<DecodedTile>& tiles) {
    double area = 0.0;
    for (const DecodedTile& t : tiles) {
        for (const std::vector<DPoint>& piece : t.pave()) {
            area += PolygonArea(piece.data(), static_cast<int>(piece.size()));
        }
    }
    return area;
}

using PavementWriter = TileWriterTest;

TEST_F(PavementWriter, UntriangulablePolygonsAreReportedOncePerSaveAndKeptForTheView) {
    Grid(0.0, 0.0, 2000.0f);
    // A bow tie and a polygon with a spike of no width: neither is simple.
    const std::vector<DPoint> bowTie{{100, 100}, {200, 200}, {300, 100}, {300, 200}, {200, 100}, {100, 200}};
    const std::vector<DPoint> spike{{400, 400}, {400, 500}, {450, 500}, {450, 600},
                                    {450, 500}, {500, 500}, {500, 400}};
    Polygon(bowTie);
    Polygon({{600, 600}, {600, 700}, {700, 700}, {700, 600}});
    Polygon(spike);
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_EQ(messages.shown, std::vector<std::string>{kRedPolygons});
    EXPECT_EQ(doc.m_TriErrors, (std::vector<std::vector<DPoint>>{Written(bowTie), Written(spike)}));
    EXPECT_EQ(tiles.at(0).pave().size(), 1u);  // the square
    // The next Save starts a new list and says so again.
    messages.Clear();
    Encode();
    EXPECT_EQ(messages.shown, std::vector<std::string>{kRedPolygons});
    EXPECT_EQ(doc.m_TriErrors.size(), 2u);
}

TEST_F(PavementWriter, APolygonTooLargeToClipIsWrittenInOneTileAndReportedAcrossTiles) {
    // 600 corners of a star, more than the clipper's node list holds.
    const auto star = [](DPoint centre, int corners = 600) {
        std::vector<DPoint> points;
        for (int k = 0; k < corners; ++k) {
            const double a = -2.0 * 3.141592653589793 * k / corners;
            const double r = k % 2 == 0 ? 400.0 : 380.0;
            points.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
        }
        return points;
    };
    Grid(-1000.0, -1000.0, 1000.0f);
    Polygon(star({500.0, 500.0}));
    DecodedTile inside = DecodeTiles(Encode()).at(0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(inside.pave().size(), 598u);

    // Across four tiles it cannot be cut: one message of the clipper's.
    doc.m_pPolygons[0]->points = star({0.0, 0.0});
    Polygon({{-500, -500}, {-500, -400}, {-400, -400}, {-400, -500}});
    const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{std::string(kClipCapacityMessage), kRedPolygons}));
    ASSERT_EQ(doc.m_TriErrors.size(), 4u);  // once for each tile it reaches
    EXPECT_EQ(doc.m_TriErrors[0].size(), 50u);
    ASSERT_EQ(tiles.size(), 4u);
    EXPECT_EQ(tiles[0].pave().size(), 1u);

    // In one tile, 2000 corners are more than the triangulator takes.
    doc.m_pPolygons[0]->points = star({500.0, 500.0}, 2000);
    messages.Clear();
    Encode();
    EXPECT_EQ(messages.shown, (std::vector<std::string>{kTriangulationLimitMessage, kRedPolygons}));
}

TEST_F(PavementWriter, ARollpathCentredOnATileSideIsCutWithoutLoss) {
    // The outline's centre points lie exactly on the side x = 0 of the tiles
    // west and east of it, where the clipper sees no crossing.
    Grid(-1000.0, -1000.0, 1000.0f);
    AddSegment(doc, AddVertexAt(doc, 0.0, -300.0), AddVertexAt(doc, 0.0, 300.0), 700.0);
    const double area = PavedArea(DecodeTiles(Encode()));
    EXPECT_TRUE(doc.m_TriErrors.empty());
    EXPECT_NEAR(area, 700.0 * 600.0, 20.0);  // to the file's 1/256 ft
}

TEST_F(PavementWriter, TheFileGoesToTheFolderAndAFailureKeepsTheOldOne) {
    Grid(0.0, 0.0, 1000.0f);
    Polygon({{100, 100}, {100, 200}, {200, 200}, {200, 100}});
    Polygon({{300, 300}, {400, 400}, {500, 300}, {500, 400}, {400, 300}, {300, 400}});  // red
    TempDir dir("rollpath-tms");
    ASSERT_TRUE(WritePavementFile(doc, dir.path()));
    const Bytes written = ReadBytes(dir / "KTST.tms");
    EXPECT_EQ(written, Encode());
    ASSERT_EQ(doc.m_TriErrors.size(), 1u);

    // Every fault of every file is the Save fault tests' part; a file that
    // cannot be created leaves the last Save's red polygons.
    doc.m_pPolygons[1]->state = -1;
    Polygon({{600, 600}, {600, 700}, {700, 700}});
    FaultyFileSystem files(FaultyFileSystem::Fault::Create);
    EXPECT_FALSE(WritePavementFile(doc, dir.path(), files));
    EXPECT_TRUE(messages.shown.back().starts_with("Cannot create " + (dir / "KTST.tms").string() + ": "));
    EXPECT_EQ(ReadBytes(dir / "KTST.tms"), written);
    EXPECT_EQ(doc.m_TriErrors.size(), 1u);
}

double Perimeter(const std::vector<DPoint>& polygon) {
    double length = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const DPoint& a = polygon[i];
        const DPoint& b = polygon[(i + 1) % polygon.size()];
        length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

TEST_F(PavementWriter, RandomPolygonsAreCutIntoTilesWithoutLoss) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        doc.CleanUp();
        messages.Clear();
        DeterministicRandom random(seed);
        double area = 0.0;
        double perimeter = 0.0;
        const int count = random.Int(1, 6);
        for (int k = 0; k < count; ++k) {
            const DPoint centre{random.Uniform(-3000.0, 3000.0), random.Uniform(-3000.0, 3000.0)};
            const double rMax = random.Uniform(50.0, 1500.0);
            std::vector<DPoint> polygon =
                StarPolygon(random.Int(3, 120), seed * 10 + static_cast<std::uint32_t>(k),
                            rMax * random.Uniform(0.2, 0.9), rMax, centre);
            if (random.Chance(0.5)) {
                polygon = Reversed(polygon);
            }
            area += std::fabs(PolygonArea(polygon.data(), static_cast<int>(polygon.size())));
            perimeter += Perimeter(polygon);
            Polygon(polygon);
        }
        ComputeTileGrid(doc);
        const std::vector<DecodedTile> tiles = DecodeTiles(Encode());
        ASSERT_TRUE(doc.m_TriErrors.empty());
        EXPECT_TRUE(messages.shown.empty());
        // Each stored corner moves by at most 1/256 ft in x and y; the cuts
        // along the tile sides add at most the grid's lines.
        const double grid = 2.0 * 9.0 * 8.0 * static_cast<double>(doc.m_TileGrid.side);
        EXPECT_NEAR(PavedArea(tiles), area, (perimeter + grid) * 2.0 / 256.0);
    }
}

}  // namespace
}  // namespace rollpath::testing
