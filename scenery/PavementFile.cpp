#include "scenery/PavementFile.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "document/RollpathDoc.h"
#include "document/Utf8Path.h"
#include "scenery/BinaryIO.h"
#include "scenery/Origin.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/PavementSections.h"
#include "scenery/PlausibleValues.h"
#include "scenery/ReadProblems.h"

namespace rollpath {
namespace {

class PavementReader {
public:
    PavementReader(CRollpathDoc& doc, std::string name)
        : doc_(doc), name_(std::move(name)), problems_(doc.Messages(), name_) {}

    void Read(std::span<const std::uint8_t> bytes);

private:
    // Applies what the record holds (all of it, or what was read before the
    // data ended). A value no writer of ours writes leaves its record, or its
    // polygon or light, out with a message; reading goes on.
    void Apply(const PavementRecord& r);
    void ApplyMesh(const PavementRecord& r);
    void ApplyLights(const LightSectionRecord& lights);
    void Finish();
    void Skip(const std::string& problem) { problems_.Note(problem + "; it was left out"); }

    CRollpathDoc& doc_;
    std::string name_;
    ReadProblems problems_;
    std::optional<ArcsecondOrigin> origin_;
    bool sawLights_ = false;
    RecordList<LightRecord> lights_;
};

void PavementReader::Read(std::span<const std::uint8_t> bytes) {
    // No limit on a section's vertices: whatever the writer wrote is read.
    PavementFileDecoder decoder(bytes);
    PavementRecord r;
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        if (status == DecodeStatus::End || status == DecodeStatus::OverLimit) {
            break;
        }
        if (status == DecodeStatus::UnknownTag) {
            doc_.Messages().Show(UnknownTokenMessage(r.tag));
            break;
        }
        // A record cut short still gives what was read of it.
        Apply(r);
        if (status == DecodeStatus::Malformed) {
            problems_.Note(decoder.Problem());
            break;
        }
        if (status == DecodeStatus::Truncated) {
            break;
        }
    }
    Finish();
}

void PavementReader::Apply(const PavementRecord& r) {
    TileGrid& grid = doc_.m_TileGrid;
    switch (r.kind) {
        case PavementTag::Begin:
        case PavementTag::Tile:
        case PavementTag::Index:
        case PavementTag::End:
            return;
        case PavementTag::Origin:
            // A latitude without its longitude is no origin.
            if (r.fieldsRead >= 2) {
                if (!PlausibleOrigin(r.values[0], r.values[1])) {
                    return Skip("origin is not a latitude and longitude");
                }
                origin_ = ArcsecondOrigin{r.values[0], r.values[1]};
            }
            return;
        case PavementTag::TileCount:
            for (int i = 0; i < r.fieldsRead; ++i) {
                // A grid without tiles cannot hold the sections that follow.
                const std::uint32_t n = r.pair[static_cast<std::size_t>(i)];
                if (n == 0 || n > kMaxReadTileGridSide) {
                    return Skip("tile grid is not of 1 to 256 columns and rows");
                }
            }
            if (r.fieldsRead >= 1) {
                grid.columns = r.pair[0];
            }
            if (r.fieldsRead >= 2) {
                grid.rows = r.pair[1];
            }
            return;
        case PavementTag::TileSide:
            if (r.fieldsRead >= 1) {
                if (!(r.side > 0.0f) || !(r.side <= kMaxFileTileSide)) {
                    return Skip("tile side is not between 0 and 1000000 ft");
                }
                grid.side = r.side;
            }
            return;
        case PavementTag::LowerLeft:
            for (int i = 0; i < r.fieldsRead; ++i) {
                if (!PlausiblePavementPosition(r.values[static_cast<std::size_t>(i)])) {
                    return Skip("tile grid corner is not within 4000000 ft of the origin");
                }
            }
            for (int i = 0; i < r.fieldsRead; ++i) {
                grid.lowerLeft[static_cast<std::size_t>(i)] = r.values[static_cast<std::size_t>(i)];
            }
            return;
        case PavementTag::Pavement:
        case PavementTag::EdgeMarkings:
        case PavementTag::CentreMarkings:
            return ApplyMesh(r);
        case PavementTag::Lights:
            return ApplyLights(r.lights);
    }
}

void PavementReader::ApplyMesh(const PavementRecord& r) {
    const MeshSectionRecord& mesh = r.mesh;
    for (const MeshPolygonRecord& polygon : mesh.polygons) {
        std::vector<DPoint> points;
        points.reserve(polygon.indices.size());
        for (const std::uint32_t k : polygon.indices) {
            if (k >= mesh.vertices.size()) {
                break;
            }
            const MeshVertexRecord& v = mesh.vertices[k];
            points.push_back({v.x / kMeshUnitsPerFoot, v.y / kMeshUnitsPerFoot});
        }
        if (points.size() != polygon.indices.size()) {
            Skip("polygon refers to a missing vertex");
            continue;
        }
        if (r.kind == PavementTag::Pavement) {
            GroundPolygon& ground = doc_.AppendPolygon();
            ground.kind = PolygonKind::Pavement;
            ground.points = std::move(points);
        } else {
            auto marking = std::make_unique<MarkingPolygon>();
            marking->kind = r.kind == PavementTag::EdgeMarkings ? MarkingKind::Edge : MarkingKind::Centre;
            marking->points = std::move(points);
            doc_.m_pMarkings.push_back(std::move(marking));
        }
    }
}

void PavementReader::ApplyLights(const LightSectionRecord& lights) {
    sawLights_ = true;
    for (const LightEntryRecord& entry : lights.lights) {
        const bool placed = std::all_of(entry.coords.begin(), entry.coords.end(),
                                        [](float c) { return PlausiblePavementPosition(c); });
        if (!placed || !PlausiblePavementPosition(entry.spacing)) {
            Skip("light is not within 4000000 ft of the origin");
            continue;
        }
        auto light = std::make_unique<LightRecord>();
        light->shape = static_cast<int>(entry.shape);
        light->lightClass = static_cast<int>(entry.lightClass);
        light->x = entry.coords[0];
        light->y = entry.coords[1];
        light->x1 = entry.coords[2];
        light->y1 = entry.coords[3];
        light->spacing = entry.spacing;
        lights_.push_back(std::move(light));
    }
}

void PavementReader::Finish() {
    if (origin_ && origin_->lat + origin_->lon != 0.0) {
        MoveBenchmarkTo(doc_.m_Airport, *origin_);
    }
    // The file's lights form a new list.
    if (sawLights_) {
        doc_.m_pLights = std::move(lights_);
    }
}

}  // namespace

void ReadPavementFile(CRollpathDoc& doc, const std::filesystem::path& path) {
    if (const auto bytes = ReadWholeFile(path)) {
        ReadPavementFile(doc, *bytes, Utf8FromPath(path));
    }
}

void ReadPavementFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name) {
    PavementReader(doc, name).Read(bytes);
}

}  // namespace rollpath
