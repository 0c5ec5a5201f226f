#pragma once

// Helpers of the pavement file writer tests: a document with recorded
// messages, the file's bytes, and the file decoded tile by tile with the
// structure checked on the way.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "document/RollpathDoc.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/PavementWriter.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/SceneryTestSupport.h"

namespace rollpath::testing {

struct DecodedMesh {
    std::uint32_t byteCount = 0;
    std::array<std::uint32_t, 5> header{};
    std::vector<DPoint> vertices;  // feet, as stored (1/256 ft)
    std::vector<std::vector<std::uint32_t>> polygons;

    std::vector<DPoint> Corners(std::size_t polygon) const {
        std::vector<DPoint> corners;
        for (const std::uint32_t k : polygons.at(polygon)) {
            corners.push_back(vertices.at(k));
        }
        return corners;
    }
};

struct DecodedTile {
    std::uint32_t column = 0;
    std::uint32_t row = 0;
    std::array<DecodedMesh, 3> meshes;  // pavement, edge markings, centre markings
    std::uint32_t lightByteCount = 0;
    std::vector<LightEntryRecord> lights;

    const DecodedMesh& pave() const { return meshes[0]; }
    const DecodedMesh& edmk() const { return meshes[1]; }
    const DecodedMesh& cntr() const { return meshes[2]; }
};

// The tiles of a file the writer produced; any break of the layout (a
// missing section, a count that disagrees with what follows, an index outside
// its table, bytes after the end) is a test failure.
inline std::vector<DecodedTile> DecodeTiles(const Bytes& bytes) {
    PavementFileDecoder decoder(bytes);
    std::vector<PavementRecord> records;
    PavementRecord record;
    DecodeStatus status;
    while ((status = decoder.Next(record)) == DecodeStatus::Record) {
        records.push_back(record);
    }
    EXPECT_EQ(status, DecodeStatus::End) << decoder.Problem();
    EXPECT_EQ(decoder.Offset(), bytes.size());
    const std::vector<PavementTag> header{PavementTag::Begin, PavementTag::Origin, PavementTag::TileCount,
                                          PavementTag::TileSide, PavementTag::LowerLeft};
    std::vector<DecodedTile> tiles;
    if (records.size() < header.size() + 1) {
        ADD_FAILURE() << "only " << records.size() << " records";
        return tiles;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
        EXPECT_EQ(records[i].kind, header[i]) << i;
    }
    EXPECT_EQ(records.back().kind, PavementTag::End);
    const std::vector<PavementTag> tile{
        PavementTag::Tile,         PavementTag::Begin,          PavementTag::Index,  PavementTag::Pavement,
        PavementTag::EdgeMarkings, PavementTag::CentreMarkings, PavementTag::Lights, PavementTag::End};
    std::size_t i = header.size();
    while (i + 1 < records.size()) {
        if (records.size() - 1 - i < tile.size()) {
            ADD_FAILURE() << "a tile cut short at record " << i;
            break;
        }
        for (std::size_t k = 0; k < tile.size(); ++k) {
            EXPECT_EQ(records[i + k].kind, tile[k]) << "record " << i + k;
        }
        DecodedTile t;
        t.column = records[i + 2].pair[0];
        t.row = records[i + 2].pair[1];
        for (std::size_t m = 0; m < 3; ++m) {
            const MeshSectionRecord& mesh = records[i + 3 + m].mesh;
            DecodedMesh& out = t.meshes[m];
            out.byteCount = mesh.byteCount;
            out.header = mesh.header;
            std::uint32_t expectedCount = 12 * (static_cast<std::uint32_t>(mesh.vertices.size()) + 2);
            for (const MeshVertexRecord& v : mesh.vertices) {
                EXPECT_EQ(v.height, 0);
                out.vertices.push_back({v.x / 256.0, v.y / 256.0});
            }
            for (const MeshPolygonRecord& p : mesh.polygons) {
                EXPECT_EQ(p.words, (std::array<std::uint32_t, 6>{
                                       5, static_cast<std::uint32_t>(p.indices.size()), 0, 65535, 0, 0}));
                for (const std::uint32_t k : p.indices) {
                    EXPECT_LT(k, mesh.vertices.size());
                }
                expectedCount += 24 + 4 * static_cast<std::uint32_t>(p.indices.size());
                out.polygons.push_back(p.indices);
            }
            EXPECT_EQ(mesh.header, (std::array<std::uint32_t, 5>{
                                       20, 65536, 2, 0, static_cast<std::uint32_t>(mesh.vertices.size())}));
            EXPECT_EQ(mesh.byteCount, expectedCount);
        }
        const LightSectionRecord& lights = records[i + 6].lights;
        t.lightByteCount = lights.byteCount;
        t.lights = lights.lights;
        std::uint32_t expectedLightBytes = 4;
        bool runSeen = false;
        for (const LightEntryRecord& light : lights.lights) {
            expectedLightBytes += light.shape == 1 ? 16 : 28;
            EXPECT_FALSE(light.shape == 1 && runSeen) << "a point after a run";
            runSeen = runSeen || light.shape == 2;
        }
        EXPECT_EQ(lights.byteCount, expectedLightBytes);
        tiles.push_back(std::move(t));
        i += tile.size();
    }
    return tiles;
}

// A document with its messages recorded, named KTST, at a chosen origin.
class TileWriterTest : public ::testing::Test {
protected:
    TileWriterTest() {
        doc.SetMessageSink(&messages);
        doc.SetSettings(&settings);
        doc.m_szTmsName = "KTST.tms";
        doc.m_Airport.lat = 37.5;
        doc.m_Airport.lon = -122.25;
        doc.SetTriangulationSeed(7);
    }

    Bytes Encode() {
        ByteWriter writer;
        EncodePavementFile(doc, writer);
        return writer.bytes();
    }

    // An 8 by 8 grid of tiles of the given side from (x0, y0) north-east.
    void Grid(double x0, double y0, float side) {
        doc.m_TileGrid.columns = 8;
        doc.m_TileGrid.rows = 8;
        doc.m_TileGrid.side = side;
        doc.m_TileGrid.lowerLeft = {x0, 0.0, y0};
    }

    GroundPolygon& Polygon(std::vector<DPoint> points) {
        GroundPolygon& polygon = doc.AppendPolygon();
        polygon.kind = PolygonKind::Ordinary;
        polygon.points = std::move(points);
        return polygon;
    }

    // The header records of this document's file.
    Golden Header() const {
        Golden g;
        g.tag("<bgno>").tag("<orgn>").f64(37.5 * 3600).f64(1296000.0 - 122.25 * 3600).f64(0.0).u32(1);
        const TileGrid& grid = doc.m_TileGrid;
        g.tag("<tlxz>").u32(grid.columns).u32(grid.rows);
        g.tag("<feet>").f32(grid.side);
        g.tag("<lowl>").f64(grid.lowerLeft[0]).f64(0.0).f64(grid.lowerLeft[2]);
        return g;
    }

    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

// The piece the writer emits for a polygon wholly inside a tile: clockwise,
// so a counter-clockwise polygon comes back reversed.
inline std::vector<DPoint> ClockwisePiece(std::vector<DPoint> polygon) {
    if (PolygonArea(polygon.data(), static_cast<int>(polygon.size())) < 0.0) {
        ReversePolygon(polygon.data(), static_cast<int>(polygon.size()));
    }
    return polygon;
}

// As the mesh stores a position: 1/256 ft, rounded away from zero.
inline DPoint Stored(const DPoint& p) {
    return {RoundAwayFromZero(p.x * 256.0) / 256.0, RoundAwayFromZero(p.y * 256.0) / 256.0};
}

inline std::vector<DPoint> Stored(const std::vector<DPoint>& points) {
    std::vector<DPoint> stored;
    for (const DPoint& p : points) {
        stored.push_back(Stored(p));
    }
    return stored;
}

}  // namespace rollpath::testing
