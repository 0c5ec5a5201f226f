#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "SceneryTestSupport.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementFile.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/PavementSections.h"

namespace rollpath::testing {
namespace {

const TileGrid kGrid{8, 8, 125.5f, {-300.25, 0.0, -410.5}};

Golden Header(double latArcsec, double lonArcsec, const TileGrid& grid = kGrid) {
    Golden g;
    g.tag("<bgno>").tag("<orgn>").f64(latArcsec).f64(lonArcsec).f64(0.0).u32(1);
    g.tag("<tlxz>").u32(grid.columns).u32(grid.rows);
    g.tag("<feet>").f32(grid.side);
    g.tag("<lowl>").f64(grid.lowerLeft[0]).f64(grid.lowerLeft[1]).f64(grid.lowerLeft[2]);
    return g;
}

// A whole file of one tile, byte by byte: the header with the western
// longitude as a full-circle value, corners in 1/256 ft rounded away from
// zero, each polygon with its constant words, light points before runs.
TEST(PavementSections, AFileOfOneTileByteByByte) {
    const std::vector<DPoint> vertices{{10.25, -0.001}, {-3.5, 0.0039}, {1, 1}, {2, 2}};
    const std::vector<std::uint32_t> words{4, 0, 1, 2, 3, 3, 2, 3, 1};
    const std::vector<TileLightPoint> points{{1, 10.5, -2.25}, {0, 3.0, 4.0}};
    const std::vector<TileLightRun> runs{{1, 0.0, 0.0, 100.0, 50.0, 25.0}};
    ByteWriter w;
    WritePavementHeader(w, 25.75, -80.5, kGrid);
    WriteTileStart(w, 3, 7);
    WriteMeshSection(w, MeshSection::Pavement, {}, {});
    WriteMeshSection(w, MeshSection::CentreMarkings, vertices, words);
    WriteLightSection(w, points, runs);
    WriteTileEnd(w);
    WritePavementEnd(w);

    Golden g = Header(25.75 * 3600, 1006200.0);
    g.tag("<tile>").tag("<bgno>").tag("<indx>").u32(3).u32(7);
    g.tag("<pave>").u32(24).u32(20).u32(65536).u32(2).u32(0).u32(0).u32(0);
    g.tag("<cntr>").u32(12 * (4 + 2) + (24 + 16) + (24 + 12));
    g.u32(20).u32(65536).u32(2).u32(0).u32(4);
    g.i32(2624).i32(0).i32(-1).i32(-896).i32(0).i32(1).i32(256).i32(0).i32(256).i32(512).i32(0).i32(512);
    g.u32(5).u32(4).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(1).u32(2).u32(3);
    g.u32(5).u32(3).u32(0).u32(65535).u32(0).u32(0).u32(2).u32(3).u32(1);
    g.u32(0);
    g.tag("<lite>").u32(16 * 2 + 28 + 4);
    g.u32(1).u32(1).f32(10.5f).f32(-2.25f);
    g.u32(1).u32(0).f32(3.0f).f32(4.0f);
    g.u32(2).u32(1).f32(0.0f).f32(0.0f).f32(100.0f).f32(50.0f).f32(25.0f);
    g.u32(0);
    g.tag("<endo>").tag("<endo>");
    EXPECT_EQ(w.bytes(), g.bytes);
}

class PavementFileTest : public SceneryTest {
protected:
    void Read(CRollpathDoc& d, const Bytes& bytes) {
        WriteBytes(File("in.tms"), bytes);
        ReadPavementFile(d, File("in.tms"));
    }
};

// Two tiles, the first holding one polygon in each mesh section and a point
// and a run of lights.
TEST_F(PavementFileTest, ReadsBackWhatTheBlocksWrote) {
    ByteWriter w;
    WritePavementHeader(w, 25.75, -80.5, kGrid);
    WriteTileStart(w, 2, 5);
    const std::vector<DPoint> pave{{10.25, 20.5}, {30.0, 20.5}, {30.0, 40.0}, {10.25, 40.0}};
    const std::vector<std::uint32_t> quad{4, 0, 1, 2, 3};
    WriteMeshSection(w, MeshSection::Pavement, pave, quad);
    const std::vector<DPoint> edge{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}};
    const std::vector<std::uint32_t> shared{3, 0, 1, 2, 3, 1, 4, 2};
    WriteMeshSection(w, MeshSection::EdgeMarkings, edge, shared);
    WriteMeshSection(w, MeshSection::CentreMarkings, {}, {});
    const std::vector<TileLightPoint> points{{1, 10.5, -2.25}};
    const std::vector<TileLightRun> runs{{0, 0.0, 0.0, 100.0, 50.0, 25.0}};
    WriteLightSection(w, points, runs);
    WriteTileEnd(w);
    WriteTileStart(w, 2, 6);
    WriteMeshSection(w, MeshSection::Pavement, {}, {});
    WriteMeshSection(w, MeshSection::EdgeMarkings, {}, {});
    WriteMeshSection(w, MeshSection::CentreMarkings, edge, std::vector<std::uint32_t>{3, 4, 2, 1});
    WriteLightSection(w, {}, {});
    WriteTileEnd(w);
    WritePavementEnd(w);
    doc.m_pLights.push_back(std::make_unique<LightRecord>());  // replaced by the file's
    Read(doc, w.bytes());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_TileGrid, kGrid);
    EXPECT_EQ(std::tuple(doc.m_Airport.lat, doc.m_Airport.lon), std::tuple(25.75, -80.5));

    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
    const GroundPolygon& p = *doc.m_pPolygons[0];
    EXPECT_EQ(std::tie(p.kind, p.state, p.points), std::tuple(PolygonKind::Pavement, 0, pave));

    ASSERT_EQ(doc.m_pMarkings.size(), 3u);
    EXPECT_EQ(std::tuple(doc.m_pMarkings[0]->kind, doc.m_pMarkings[1]->kind, doc.m_pMarkings[2]->kind),
              std::tuple(MarkingKind::Edge, MarkingKind::Edge, MarkingKind::Centre));
    // Two polygons sharing a vertex record share the point.
    EXPECT_EQ(doc.m_pMarkings[0]->points, (std::vector<DPoint>{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_EQ(doc.m_pMarkings[1]->points, (std::vector<DPoint>{{1, 0}, {2, 0}, {1, 1}}));
    EXPECT_EQ(doc.m_pMarkings[2]->points, (std::vector<DPoint>{{2, 0}, {1, 1}, {1, 0}}));

    ASSERT_EQ(doc.m_pLights.size(), 2u);
    EXPECT_EQ(*doc.m_pLights[0], (LightRecord{LightShape::Point, 1, 10.5f, -2.25f, 0, 0, 0}));
    EXPECT_EQ(*doc.m_pLights[1], (LightRecord{LightShape::Run, 0, 0, 0, 100.0f, 50.0f, 25.0f}));
}

TEST_F(PavementFileTest, TheOriginIsAppliedAtTheEndUnlessItSumsToZero) {
    doc.m_Airport.lat = 1.0;
    doc.m_Airport.lon = 2.0;
    Golden g = Header(3600.0, -3600.0);
    Read(doc, g.bytes);
    EXPECT_EQ(std::tuple(doc.m_Airport.lat, doc.m_Airport.lon), std::tuple(1.0, 2.0));

    Golden later = Header(36000.0, 1295000.0);
    later.tag("<orgn>").f64(-7200.0).f64(648000.0 + 3600.0).f64(0.0).u32(1);  // the last one counts
    Read(doc, later.bytes);
    EXPECT_DOUBLE_EQ(doc.m_Airport.lat, -2.0);
    EXPECT_DOUBLE_EQ(doc.m_Airport.lon, -179.0);
}

// An unknown tag or a damaged record stops the reading with a message; what
// came before stays.
TEST_F(PavementFileTest, AnUnknownTagOrADamagedRecordStopsAndWhatWasReadStays) {
    const struct {
        void (*tail)(Golden&);
        std::string message;
    } rows[] = {
        {[](Golden& g) { g.tag("<what>").tag("<tlxz>").u32(1).u32(1); }, "Unknown token: <what>"},
        {[](Golden& g) { g.tag("<lite>").u32(20).u32(1).u32(1).f32(1).f32(2).u32(1000).u32(1); },
         File("in.tms").string() + ": light of unknown shape 1000"},
    };
    for (const auto& row : rows) {
        Fresh f;
        Golden g = Header(36000.0, 1006200.0);
        g.tag("<pave>").u32(12 * 5 + 36);
        g.u32(20).u32(65536).u32(2).u32(0).u32(3);
        g.i32(0).i32(0).i32(0).i32(256).i32(0).i32(0).i32(0).i32(0).i32(256);
        g.u32(5).u32(3).u32(0).u32(65535).u32(0).u32(0).u32(0).u32(1).u32(2).u32(0);
        row.tail(g);
        Read(f.doc, g.bytes);
        EXPECT_EQ(f.messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(f.doc.m_TileGrid, kGrid);
        EXPECT_EQ(std::tuple(f.doc.m_pPolygons.size(), f.doc.m_Airport.lat, f.doc.m_Airport.lon),
                  std::tuple(1u, 10.0, -80.5));
    }
}

// The writer's buffers grow past the design's working sizes; the reader
// takes a section of any size the file holds.
TEST_F(PavementFileTest, AMeshSectionOfMoreVerticesThanTheDesignHoldsIsRead) {
    constexpr std::uint32_t v = 9000;
    Golden g;
    g.tag("<pave>").u32(12 * (v + 2) + 28);
    g.u32(20).u32(65536).u32(2).u32(0).u32(v);
    for (std::uint32_t i = 0; i < v; ++i) {
        g.i32(static_cast<std::int32_t>(i)).i32(0).i32(0);
    }
    g.u32(5).u32(1).u32(0).u32(65535).u32(0).u32(0).u32(v - 1).u32(0);
    Read(doc, g.bytes);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(doc.m_pPolygons.size(), 1u);
    EXPECT_EQ(doc.m_pPolygons[0]->points[0].x, (v - 1) / 256.0);
}

}  // namespace
}  // namespace rollpath::testing
