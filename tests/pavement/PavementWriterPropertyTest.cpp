// Properties of the pavement file over random inputs: the tiles together
// carry every polygon whole, the file's layout holds on random networks, the
// model is left as it was and a fixed seed gives the same bytes.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TileWriterTestSupport.h"
#include "pavement/NetworkRebuild.h"
#include "pavement/PavementRebuild.h"
#include "pavement/TileGrid.h"
#include "support/DeterministicRandom.h"
#include "support/PolygonGenerators.h"
#include "support/RandomNetwork.h"

namespace rollpath::testing {
namespace {

double PavedArea(const std::vector<DecodedTile>& tiles) {
    double area = 0.0;
    for (const DecodedTile& t : tiles) {
        for (const std::vector<DPoint>& piece : t.pave()) {
            area += PolygonArea(piece.data(), static_cast<int>(piece.size()));
        }
    }
    return area;
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

using PavementWriterProperty = TileWriterTest;

TEST_F(PavementWriterProperty, RandomPolygonsAreCutIntoTilesWithoutLoss) {
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

TEST_F(PavementWriterProperty, RandomNetworksGiveWholeFilesAndLeaveTheModelAlone) {
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        CRollpathDoc network;
        RecordingMessageSink sink;
        network.SetMessageSink(&sink);
        network.SetTriangulationSeed(static_cast<std::uint32_t>(seed));
        network.m_szTmsName = "KTST.tms";
        BuildRandomNetwork(network, seed);
        RebuildNetwork(network);
        RebuildAllPavement(network);
        ComputeTileGrid(network);

        std::vector<RollpathSegment> segments;
        for (const auto& s : network.m_pSegments) {
            segments.push_back(*s);
        }
        const std::vector<NetworkVertex> vertices = network.m_Vertices;
        std::vector<GroundPolygon> polygons;
        for (const auto& p : network.m_pPolygons) {
            polygons.push_back(*p);
        }

        ByteWriter first;
        EncodePavementFile(network, first);
        DecodeTiles(first.bytes());
        EXPECT_LE(network.m_TriErrors.size(), static_cast<std::size_t>(kMaxTriangulationErrors));
        for (const std::vector<DPoint>& error : network.m_TriErrors) {
            EXPECT_LE(error.size(), static_cast<std::size_t>(kMaxTriangulationErrorPoints));
        }

        for (std::size_t i = 0; i < segments.size(); ++i) {
            EXPECT_EQ(*network.m_pSegments[i], segments[i]) << "segment " << i;
        }
        EXPECT_TRUE(network.m_Vertices == vertices);
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            EXPECT_EQ(*network.m_pPolygons[i], polygons[i]) << "polygon " << i;
        }

        ByteWriter second;
        EncodePavementFile(network, second);
        EXPECT_EQ(first.bytes(), second.bytes());
    }
}

}  // namespace
}  // namespace rollpath::testing
