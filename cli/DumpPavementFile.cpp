#include "cli/Dump.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/PavementSections.h"

namespace rollpath::cli {

namespace {

// What the byte count of a whole section should be: 12 x (V + 2) plus
// 24 + 4 n per polygon for a mesh, 16 per point, 28 per run and 4 for lights.
std::uint64_t MeshByteCount(const MeshSectionRecord& mesh) {
    std::uint64_t bytes = 12 * (static_cast<std::uint64_t>(mesh.vertices.size()) + 2);
    for (const MeshPolygonRecord& polygon : mesh.polygons) {
        bytes += 24 + 4 * static_cast<std::uint64_t>(polygon.indices.size());
    }
    return bytes;
}

std::uint64_t LightByteCount(const LightSectionRecord& lights) {
    std::uint64_t bytes = 4;
    for (const LightEntryRecord& light : lights.lights) {
        bytes += light.shape == 1 ? 16 : 28;
    }
    return bytes;
}

void WriteMeshVertex(JsonWriter& json, const MeshVertexRecord& v) {
    json.BeginObject();
    json.Field("x", v.x);
    json.Field("height", v.height);
    json.Field("y", v.y);
    json.Field("xFeet", v.x / kMeshUnitsPerFoot);
    json.Field("yFeet", v.y / kMeshUnitsPerFoot);
    json.EndObject();
}

void WriteMeshPolygon(JsonWriter& json, const MeshPolygonRecord& polygon) {
    json.BeginObject();
    json.Key("words").BeginArray();
    for (const std::uint32_t word : polygon.words) {
        json.Int(word);
    }
    json.EndArray();
    json.Key("indices").BeginArray();
    for (const std::uint32_t k : polygon.indices) {
        json.Int(k);
    }
    json.EndArray();
    json.EndObject();
}

void WriteMesh(JsonWriter& json, const MeshSectionRecord& mesh, bool complete) {
    if (mesh.fieldsRead >= 1) {
        json.Field("byteCount", mesh.byteCount);
    }
    if (complete) {
        json.Field("computedByteCount", MeshByteCount(mesh));
    }
    json.Key("header").BeginArray();
    for (int i = 1; i < mesh.fieldsRead; ++i) {
        json.Int(mesh.header[static_cast<std::size_t>(i - 1)]);
    }
    json.EndArray();
    if (mesh.fieldsRead >= 6) {
        json.Field("vertexCount", mesh.header[4]);
    }
    json.Key("vertices").BeginArray();
    for (const MeshVertexRecord& v : mesh.vertices) {
        WriteMeshVertex(json, v);
    }
    json.EndArray();
    json.Key("polygons").BeginArray();
    for (const MeshPolygonRecord& polygon : mesh.polygons) {
        WriteMeshPolygon(json, polygon);
    }
    json.EndArray();
}

void WriteLight(JsonWriter& json, const LightEntryRecord& light) {
    json.BeginObject();
    json.Field("shape", light.shape);
    json.Field("kind", light.shape == 1 ? "point" : "run");
    json.Field("class", light.lightClass);
    if (light.shape == 1) {
        json.Field("x", light.coords[0]);
        json.Field("y", light.coords[1]);
    } else {
        json.Field("x0", light.coords[0]);
        json.Field("y0", light.coords[1]);
        json.Field("x1", light.coords[2]);
        json.Field("y1", light.coords[3]);
        json.Field("spacing", light.spacing);
    }
    json.EndObject();
}

void WriteLights(JsonWriter& json, const LightSectionRecord& lights, bool complete) {
    if (lights.fieldsRead >= 1) {
        json.Field("byteCount", lights.byteCount);
    }
    if (complete) {
        json.Field("computedByteCount", LightByteCount(lights));
    }
    json.Key("lights").BeginArray();
    for (const LightEntryRecord& light : lights.lights) {
        WriteLight(json, light);
    }
    json.EndArray();
}

void WritePair(JsonWriter& json, const char* first, const char* second, const PavementRecord& r) {
    if (r.fieldsRead >= 1) {
        json.Field(first, r.pair[0]);
    }
    if (r.fieldsRead >= 2) {
        json.Field(second, r.pair[1]);
    }
}

void WritePayload(JsonWriter& json, const PavementRecord& r, bool complete) {
    switch (r.kind) {
        case PavementTag::Origin:
            WriteOriginFields(json, r.values, r.number, r.fieldsRead);
            break;
        case PavementTag::TileCount:
            WritePair(json, "columns", "rows", r);
            break;
        case PavementTag::TileSide:
            if (r.fieldsRead >= 1) {
                json.Field("side", r.side);
            }
            break;
        case PavementTag::LowerLeft:
            WriteTripleFields(json, r.values, r.fieldsRead);
            break;
        case PavementTag::Index:
            WritePair(json, "column", "row", r);
            break;
        case PavementTag::Pavement:
        case PavementTag::EdgeMarkings:
        case PavementTag::CentreMarkings:
            WriteMesh(json, r.mesh, complete);
            break;
        case PavementTag::Lights:
            WriteLights(json, r.lights, complete);
            break;
        case PavementTag::Begin:
        case PavementTag::Tile:
        case PavementTag::End:
            break;
    }
}

}  // namespace

std::optional<DumpStop> DumpPavementFile(JsonWriter& json, std::span<const std::uint8_t> data) {
    PavementFileDecoder decoder(data);
    PavementRecord record;
    return DumpTaggedRecords(json, data, decoder, record, [&](const PavementRecord& r, bool complete) {
        json.BeginObject();
        WriteRecordStart(json, r.tag, complete);
        WritePayload(json, r, complete);
        json.EndObject();
    });
}

}  // namespace rollpath::cli
