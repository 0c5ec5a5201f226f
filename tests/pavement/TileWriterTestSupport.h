#pragma once

// Helpers of the pavement file writer tests: a document with recorded
// messages, the file's bytes, and the file decoded tile by tile with its
// layout checked on the way.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "document/RollpathDoc.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/PavementWriter.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/SceneryTestSupport.h"
#include "support/NetworkBuilder.h"

namespace rollpath::testing {

using Pieces = std::vector<std::vector<DPoint>>;

struct DecodedTile {
    std::array<Pieces, 3> meshes;  // corners in feet: pavement, edge markings, centre markings

    const Pieces& pave() const { return meshes[0]; }
    const Pieces& edmk() const { return meshes[1]; }
    const Pieces& cntr() const { return meshes[2]; }
};

// The tiles of a file the writer produced. A record out of place, an index
// outside its table or bytes after the end fail the test; the layout within
// a section (byte counts, constant words, lights in order) is the section
// writer's, pinned byte by byte beside it.
inline std::vector<DecodedTile> DecodeTiles(const Bytes& bytes) {
    PavementFileDecoder decoder(bytes);
    std::vector<PavementRecord> r;
    for (PavementRecord record; decoder.Next(record) == DecodeStatus::Record;) {
        r.push_back(record);
    }
    EXPECT_EQ(decoder.Offset(), bytes.size()) << decoder.Problem();
    std::vector<DecodedTile> tiles;
    if (r.size() < 6 || (r.size() - 6) % 8 != 0 || r[4].kind != PavementTag::LowerLeft ||
        r.back().kind != PavementTag::End) {
        ADD_FAILURE() << "not a header, whole tiles and the end: " << r.size() << " records";
        return tiles;
    }
    for (std::size_t i = 5; i + 1 < r.size(); i += 8) {
        const std::array<PavementTag, 8> layout{PavementTag::Tile,         PavementTag::Begin,
                                                PavementTag::Index,        PavementTag::Pavement,
                                                PavementTag::EdgeMarkings, PavementTag::CentreMarkings,
                                                PavementTag::Lights,       PavementTag::End};
        for (std::size_t k = 0; k < 8; ++k) {
            EXPECT_EQ(r[i + k].kind, layout[k]) << "record " << i + k;
        }
        DecodedTile t;
        for (std::size_t m = 0; m < 3; ++m) {
            const MeshSectionRecord& mesh = r[i + 3 + m].mesh;
            for (const MeshPolygonRecord& p : mesh.polygons) {
                std::vector<DPoint> corners;
                for (const std::uint32_t k : p.indices) {
                    if (k >= mesh.vertices.size()) {
                        ADD_FAILURE() << "index " << k << " of " << mesh.vertices.size();
                        return tiles;
                    }
                    corners.push_back({mesh.vertices[k].x / 256.0, mesh.vertices[k].y / 256.0});
                }
                t.meshes[m].push_back(corners);
            }
        }
        tiles.push_back(std::move(t));
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
    void Grid(double x0, double y0, float side) { doc.m_TileGrid = TileGrid{8, 8, side, {x0, 0.0, y0}}; }

    GroundPolygon& Polygon(std::vector<DPoint> points) { return AddPolygon(doc, std::move(points)); }

    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
};

// What a polygon wholly inside a tile becomes in the file: clockwise, each
// corner at 1/256 ft, rounded away from zero.
inline std::vector<DPoint> Written(std::vector<DPoint> polygon) {
    if (PolygonArea(polygon.data(), static_cast<int>(polygon.size())) < 0.0) {
        ReversePolygon(polygon.data(), static_cast<int>(polygon.size()));
    }
    for (DPoint& p : polygon) {
        p = {RoundAwayFromZero(p.x * 256.0) / 256.0, RoundAwayFromZero(p.y * 256.0) / 256.0};
    }
    return polygon;
}

}  // namespace rollpath::testing
