#pragma once

// The records of a pavement file (.tms) in file order with their payloads; a
// mesh or light section is one record.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scenery/BinaryIO.h"
#include "scenery/TaggedRecords.h"

namespace rollpath {

enum class PavementTag {
    Begin,
    Origin,
    TileCount,
    TileSide,
    LowerLeft,
    Tile,
    Index,
    Pavement,
    EdgeMarkings,
    CentreMarkings,
    Lights,
    End,
};

// A vertex as stored: fixed point, 256 units per foot.
struct MeshVertexRecord {
    std::int32_t x = 0;
    std::int32_t height = 0;
    std::int32_t y = 0;
};

struct MeshPolygonRecord {
    // As stored: 5, n, 0, 65535, 0, 0. Only words[0] (not 0) and words[1]
    // (the corner count) mean anything to a reader.
    std::array<std::uint32_t, 6> words{};
    std::vector<std::uint32_t> indices;  // into the section's vertex table
};

struct MeshSectionRecord {
    int fieldsRead = 0;  // of the byte count and the five header words
    std::uint32_t byteCount = 0;
    std::array<std::uint32_t, 5> header{};  // 20, 65536, 2, 0, V
    std::vector<MeshVertexRecord> vertices;
    std::vector<MeshPolygonRecord> polygons;  // the whole ones read
};

struct LightEntryRecord {
    std::uint32_t shape = 0;  // 1 point, 2 run
    std::uint32_t lightClass = 0;
    std::array<float, 4> coords{};  // x, y, and for a run x1, y1
    float spacing = 0.0f;           // runs only
};

struct LightSectionRecord {
    int fieldsRead = 0;  // 1 once the byte count is decoded
    std::uint32_t byteCount = 0;
    std::vector<LightEntryRecord> lights;  // the whole ones read
};

struct PavementRecord {
    RecordTag tag;
    PavementTag kind = PavementTag::Begin;
    int fieldsRead = 0;                   // header records: payload fields decoded
    std::array<double, 3> values{};       // "<orgn>": lat, lon (arcseconds), 0.0; "<lowl>": x, 0.0, y
    std::uint32_t number = 0;             // "<orgn>": 1
    std::array<std::uint32_t, 2> pair{};  // "<tlxz>": columns, rows; "<indx>": column, row
    float side = 0.0f;                    // "<feet>"
    MeshSectionRecord mesh;               // "<pave>", "<edmk>", "<cntr>"
    LightSectionRecord lights;            // "<lite>"
};

class PavementFileDecoder {
public:
    // A mesh section with more than maxMeshVertices vertices stops decoding
    // with OverLimit before any of them is read.
    explicit PavementFileDecoder(std::span<const std::uint8_t> data,
                                 std::uint32_t maxMeshVertices = kNoCountLimit)
        : reader_(data), maxMeshVertices_(maxMeshVertices) {}

    // The next record; after any status but Record the decoder only gives End.
    DecodeStatus Next(PavementRecord& record);
    // How far decoding got: where the next record would start, or where the
    // data ended inside a record.
    std::size_t Offset() const { return reader_.offset(); }
    // What made the last step Malformed.
    const std::string& Problem() const { return problem_; }

private:
    DecodeStatus Stop(DecodeStatus status, std::string problem = {});
    DecodeStatus ReadMesh(MeshSectionRecord& mesh);
    DecodeStatus ReadLights(LightSectionRecord& lights);

    ByteReader reader_;
    std::uint32_t maxMeshVertices_;
    bool stopped_ = false;
    std::string problem_;
};

}  // namespace rollpath
