#include "scenery/PavementFileDecoder.h"

#include <string_view>
#include <utility>

namespace rollpath {
namespace {

constexpr std::array<TagEntry<PavementTag>, 12> kPavementTags{{
    {"<bgno>", PavementTag::Begin},
    {"<orgn>", PavementTag::Origin},
    {"<tlxz>", PavementTag::TileCount},
    {"<feet>", PavementTag::TileSide},
    {"<lowl>", PavementTag::LowerLeft},
    {"<tile>", PavementTag::Tile},
    {"<indx>", PavementTag::Index},
    {"<pave>", PavementTag::Pavement},
    {"<edmk>", PavementTag::EdgeMarkings},
    {"<cntr>", PavementTag::CentreMarkings},
    {"<lite>", PavementTag::Lights},
    {"<endo>", PavementTag::End},
}};

constexpr std::size_t kMeshVertexSize = 12;
constexpr std::size_t kIndexSize = 4;

}  // namespace

DecodeStatus PavementFileDecoder::Stop(DecodeStatus status, std::string problem) {
    stopped_ = true;
    problem_ = std::move(problem);
    return status;
}

DecodeStatus PavementFileDecoder::Next(PavementRecord& record) {
    if (stopped_) {
        return DecodeStatus::End;
    }
    record = PavementRecord{};
    if (!ReadTag(reader_, record.tag)) {
        return Stop(DecodeStatus::End);
    }
    const std::optional<PavementTag> kind = FindTag(record.tag, kPavementTags);
    if (!kind) {
        return Stop(DecodeStatus::UnknownTag);
    }
    record.kind = *kind;

    int& n = record.fieldsRead;
    bool complete = true;
    switch (record.kind) {
        case PavementTag::Origin:
            complete =
                ReadFields(reader_, n, record.values[0], record.values[1], record.values[2], record.number);
            break;
        case PavementTag::TileCount:
        case PavementTag::Index:
            complete = ReadFields(reader_, n, record.pair[0], record.pair[1]);
            break;
        case PavementTag::TileSide:
            complete = ReadFields(reader_, n, record.side);
            break;
        case PavementTag::LowerLeft:
            complete = ReadFields(reader_, n, record.values[0], record.values[1], record.values[2]);
            break;
        case PavementTag::Pavement:
        case PavementTag::EdgeMarkings:
        case PavementTag::CentreMarkings:
            return ReadMesh(record.mesh);
        case PavementTag::Lights:
            return ReadLights(record.lights);
        case PavementTag::Begin:
        case PavementTag::Tile:
        case PavementTag::End:
            break;
    }
    return complete ? DecodeStatus::Record : Stop(DecodeStatus::Truncated);
}

DecodeStatus PavementFileDecoder::ReadMesh(MeshSectionRecord& mesh) {
    const bool complete = ReadFields(reader_, mesh.fieldsRead, mesh.byteCount, mesh.header[0], mesh.header[1],
                                     mesh.header[2], mesh.header[3], mesh.header[4]);
    if (!complete) {
        return Stop(DecodeStatus::Truncated);
    }
    const std::uint32_t vertexCount = mesh.header[4];
    if (vertexCount > maxMeshVertices_) {
        return Stop(DecodeStatus::OverLimit);
    }
    if (!reader_.Holds(vertexCount, kMeshVertexSize)) {
        return Stop(DecodeStatus::Malformed, "mesh section runs past the end of the file");
    }
    mesh.vertices.resize(vertexCount);
    for (MeshVertexRecord& v : mesh.vertices) {
        reader_.I32(v.x);
        reader_.I32(v.height);
        reader_.I32(v.y);
    }
    for (;;) {
        MeshPolygonRecord polygon;
        if (!reader_.U32(polygon.words[0])) {
            return Stop(DecodeStatus::Truncated);
        }
        if (polygon.words[0] == 0) {
            return DecodeStatus::Record;
        }
        for (std::size_t i = 1; i < polygon.words.size(); ++i) {
            if (!reader_.U32(polygon.words[i])) {
                return Stop(DecodeStatus::Truncated);
            }
        }
        const std::uint32_t n = polygon.words[1];
        if (!reader_.Holds(n, kIndexSize)) {
            return Stop(DecodeStatus::Malformed, "polygon runs past the end of the file");
        }
        polygon.indices.resize(n);
        for (std::uint32_t& k : polygon.indices) {
            reader_.U32(k);
        }
        mesh.polygons.push_back(std::move(polygon));
    }
}

DecodeStatus PavementFileDecoder::ReadLights(LightSectionRecord& lights) {
    if (!ReadFields(reader_, lights.fieldsRead, lights.byteCount)) {
        return Stop(DecodeStatus::Truncated);
    }
    for (;;) {
        LightEntryRecord light;
        if (!reader_.U32(light.shape)) {
            return Stop(DecodeStatus::Truncated);
        }
        if (light.shape == 0) {
            return DecodeStatus::Record;
        }
        // The shape says how many coordinates follow; only points (1) and
        // runs (2) exist.
        if (light.shape != 1 && light.shape != 2) {
            return Stop(DecodeStatus::Malformed, "light of unknown shape " + std::to_string(light.shape));
        }
        bool complete = reader_.U32(light.lightClass);
        const std::size_t coords = light.shape == 1 ? 2 : 4;
        for (std::size_t i = 0; complete && i < coords; ++i) {
            complete = reader_.F32(light.coords[i]);
        }
        if (complete && light.shape == 2) {
            complete = reader_.F32(light.spacing);
        }
        if (!complete) {
            return Stop(DecodeStatus::Truncated);
        }
        lights.lights.push_back(light);
    }
}

}  // namespace rollpath
