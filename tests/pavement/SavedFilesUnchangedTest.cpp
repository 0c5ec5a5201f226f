// The files Save writes for the large synthetic airport, before and after a
// series of vertex drags, must stay the same byte for byte when the rebuilds
// behind them are made faster. The checksums were taken from the code as it
// stood before that work (renewed once when the light rows of dead-end
// stubs stopped running on to their junction and the vertices a rebuild
// moves began to be rebuilt); any change to them is a change of output.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pavement/NetworkIndex.h"
#include "pavement/PavementRebuild.h"
#include "pavement/PavementWriter.h"
#include "pavement/SegmentGeometry.h"
#include "pavement/TileGrid.h"
#include "scenery/NetworkFile.h"
#include "scenery/PolygonFile.h"
#include "scenery/SideFile.h"
#include "support/DocumentSnapshot.h"
#include "support/SyntheticAirport.h"

namespace rollpath {
namespace {

std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes, std::uint64_t hash = 0xCBF29CE484222325ull) {
    for (const std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

struct FileChecksums {
    std::uint64_t polygons = 0;
    std::uint64_t network = 0;
    std::uint64_t sides = 0;
    std::uint64_t pavement = 0;
    std::size_t pavementBytes = 0;

    friend bool operator==(const FileChecksums&, const FileChecksums&) = default;
};

std::string Describe(const FileChecksums& c) {
    char text[200];
    std::snprintf(text, sizeof text, "{0x%llxull, 0x%llxull, 0x%llxull, 0x%llxull, %zu}",
                  static_cast<unsigned long long>(c.polygons), static_cast<unsigned long long>(c.network),
                  static_cast<unsigned long long>(c.sides), static_cast<unsigned long long>(c.pavement),
                  c.pavementBytes);
    return text;
}

FileChecksums Encode(CRollpathDoc& doc) {
    ComputeTileGrid(doc);
    FileChecksums c;
    c.polygons = Fnv1a(EncodePolygonFile(doc));
    c.network = Fnv1a(EncodeNetworkFile(doc));
    c.sides = Fnv1a(EncodeSideFile(doc));
    c.pavement = 0xCBF29CE484222325ull;
    const testing::DocumentSnapshot before = testing::Snapshot(doc);
    EncodePavementFile(doc, [&c](std::span<const std::uint8_t> part) {
        c.pavement = Fnv1a(part, c.pavement);
        c.pavementBytes += part.size();
    });
    // Writing the pavement file leaves the model as it was.
    EXPECT_EQ(testing::SnapshotDifference(before, testing::Snapshot(doc)), std::nullopt);
    return c;
}

// A drag as the view ends it: the vertex moves, its segments' geometry is
// recomputed, both ends of each are touched, and the touched vertices are
// rebuilt.
void Drag(CRollpathDoc& doc, int v, DPoint by) {
    const VertexIncidence incidence(doc);
    const auto span = incidence.SegmentsAt(v);
    const std::vector<int> segments(span.begin(), span.end());
    doc.Vertex(v).x += by.x;
    doc.Vertex(v).y += by.y;
    doc.ClearTouched();
    for (const int i : segments) {
        RollpathSegment& s = *doc.m_pSegments[static_cast<std::size_t>(i)];
        SegmentGeometry(doc, s);
        doc.TouchVertex(s.vertex0);
        doc.TouchVertex(s.vertex1);
    }
    RebuildTouchedVertices(doc);
}

struct AirportCase {
    std::string name;
    testing::SyntheticAirportOptions options;
    FileChecksums paved;
    FileChecksums dragged;
};

TEST(SavedFilesUnchanged, SyntheticAirportsBeforeAndAfterDrags) {
    const std::vector<AirportCase> cases = {
        // Taken again when the rebuild stopped joining two segments to the
        // same two vertices (the small airport lost five such segments), when
        // the side file stopped holding deleted segments, when the rebuild
        // came to rebuild every junction it moves, and (the pavement) when the
        // elementary functions came to give the same bits on every platform.
        {"large",
         {},
         {0x944209f856ff1222ull, 0x8431036067ab233ull, 0x72a0dd3d0a8e1388ull, 0x98cf24ce0390a910ull, 9958070},
         {0x944209f856ff1222ull, 0xcd15a70c001fd528ull, 0x83e233ffd6f56e5aull, 0x4abf450273733005ull,
          9960218}},
        {"small, other seed",
         {7, 14, 11, 260.0, 40},
         {0x3d1b88a117da8e83ull, 0x64308d6debb7d032ull, 0x7b56e9887b92701ull, 0x81068ae3e0302a6full, 469954},
         {0x3d1b88a117da8e83ull, 0x17c448d98045b3f0ull, 0x92442982abcb2197ull, 0x68a412d3abfbb972ull,
          470734}},
    };
    for (const AirportCase& c : cases) {
        CRollpathDoc doc;
        testing::BuildSyntheticAirport(doc, c.options);
        testing::PaveSyntheticAirport(doc);
        doc.m_szTmsName = "TEST.tms";
        doc.SetTriangulationSeed(1);
        const FileChecksums paved = Encode(doc);
        EXPECT_EQ(paved, c.paved) << c.name << " paved: " << Describe(paved);

        // Drags spread over the pool, some far enough to cross neighbours.
        const int vertices = doc.m_nVertices;
        for (int k = 0; k < 12; ++k) {
            const int v = (k * 211 + 5) % vertices;
            if (doc.IsLiveVertex(v)) {
                Drag(doc, v, {k % 2 == 0 ? 4.0 : -3.0 * k, k % 3 == 0 ? 35.0 : -2.0});
            }
        }
        const FileChecksums dragged = Encode(doc);
        EXPECT_EQ(dragged, c.dragged) << c.name << " dragged: " << Describe(dragged);
    }
}

}  // namespace
}  // namespace rollpath
