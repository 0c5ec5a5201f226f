#include "scenery/PavementFile.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "document/RollpathDoc.h"
#include "scenery/BinaryIO.h"
#include "scenery/Origin.h"
#include "scenery/PavementFileDecoder.h"
#include "scenery/PavementSections.h"
#include "scenery/PlausibleValues.h"

namespace rollpath {
namespace {

class PavementReader {
public:
    PavementReader(CRollpathDoc& doc, const std::filesystem::path& path) : doc_(doc), name_(path.string()) {}

    void Read(std::span<const std::uint8_t> bytes);

private:
    // Applies what the record holds (all of it, or what was read before the
    // data ended); false when reading must stop.
    bool Apply(const PavementRecord& r);
    bool ApplyMesh(const PavementRecord& r);
    bool ApplyLights(const LightSectionRecord& lights);
    void Finish();
    bool Refuse(const std::string& problem) {
        doc_.Messages().Show(name_ + ": " + problem);
        return false;
    }

    CRollpathDoc& doc_;
    std::string name_;
    std::optional<ArcsecondOrigin> origin_;
    bool sawLights_ = false;
    RecordList<LightRecord> lights_;
};

void PavementReader::Read(std::span<const std::uint8_t> bytes) {
    PavementFileDecoder decoder(bytes, kMaxReadMeshVertices);
    PavementRecord r;
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        if (status == DecodeStatus::End) {
            break;
        }
        if (status == DecodeStatus::UnknownTag) {
            doc_.Messages().Show(UnknownTokenMessage(r.tag));
            break;
        }
        if (status == DecodeStatus::OverLimit) {
            Refuse("mesh section has more than 8096 vertices");
            break;
        }
        // A record cut short still gives what was read of it.
        if (!Apply(r)) {
            break;
        }
        if (status == DecodeStatus::Malformed) {
            Refuse(decoder.Problem());
            break;
        }
        if (status == DecodeStatus::Truncated) {
            break;
        }
    }
    Finish();
}

bool PavementReader::Apply(const PavementRecord& r) {
    TileGrid& grid = doc_.m_TileGrid;
    switch (r.kind) {
        case PavementTag::Begin:
        case PavementTag::Tile:
        case PavementTag::Index:
        case PavementTag::End:
            return true;
        case PavementTag::Origin:
            // A latitude without its longitude is no origin.
            if (r.fieldsRead >= 2) {
                if (!std::isfinite(r.values[0]) || !std::isfinite(r.values[1])) {
                    return Refuse("origin is not a finite number");
                }
                if (!PlausibleOrigin(r.values[0], r.values[1])) {
                    return Refuse("origin is not a latitude and longitude");
                }
                origin_ = ArcsecondOrigin{r.values[0], r.values[1]};
            }
            return true;
        case PavementTag::TileCount:
            for (int i = 0; i < r.fieldsRead; ++i) {
                if (r.pair[static_cast<std::size_t>(i)] > kMaxReadTileGridSide) {
                    return Refuse("tile grid of more than 256 columns or rows");
                }
                // A grid without tiles cannot hold the sections that follow.
                if (r.pair[static_cast<std::size_t>(i)] == 0) {
                    return Refuse("tile grid of no columns or rows");
                }
            }
            if (r.fieldsRead >= 1) {
                grid.columns = r.pair[0];
            }
            if (r.fieldsRead >= 2) {
                grid.rows = r.pair[1];
            }
            return true;
        case PavementTag::TileSide:
            if (r.fieldsRead >= 1) {
                if (!std::isfinite(r.side)) {
                    return Refuse("tile side is not a finite number");
                }
                if (!(r.side > 0.0f) || r.side > kMaxFileTileSide) {
                    return Refuse("tile side is not between 0 and 1000000 ft");
                }
                grid.side = r.side;
            }
            return true;
        case PavementTag::LowerLeft:
            for (int i = 0; i < r.fieldsRead; ++i) {
                const double v = r.values[static_cast<std::size_t>(i)];
                if (!std::isfinite(v)) {
                    return Refuse("tile grid corner is not a finite number");
                }
                if (!PlausiblePavementPosition(v)) {
                    return Refuse("tile grid corner is more than 4000000 ft from the origin");
                }
                grid.lowerLeft[static_cast<std::size_t>(i)] = v;
            }
            return true;
        case PavementTag::Pavement:
        case PavementTag::EdgeMarkings:
        case PavementTag::CentreMarkings:
            return ApplyMesh(r);
        case PavementTag::Lights:
            return ApplyLights(r.lights);
    }
    return true;
}

bool PavementReader::ApplyMesh(const PavementRecord& r) {
    const MeshSectionRecord& mesh = r.mesh;
    for (const MeshPolygonRecord& polygon : mesh.polygons) {
        std::vector<DPoint> points;
        points.reserve(polygon.indices.size());
        for (const std::uint32_t k : polygon.indices) {
            if (k >= mesh.vertices.size()) {
                return Refuse("polygon refers to a missing vertex");
            }
            const MeshVertexRecord& v = mesh.vertices[k];
            points.push_back({v.x / kMeshUnitsPerFoot, v.y / kMeshUnitsPerFoot});
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
    return true;
}

bool PavementReader::ApplyLights(const LightSectionRecord& lights) {
    sawLights_ = true;
    for (const LightEntryRecord& entry : lights.lights) {
        for (const float c : entry.coords) {
            if (!std::isfinite(c)) {
                return Refuse("light position is not a finite number");
            }
            if (!PlausiblePavementPosition(c)) {
                return Refuse("light position is more than 4000000 ft from the origin");
            }
        }
        if (!std::isfinite(entry.spacing)) {
            return Refuse("light spacing is not a finite number");
        }
        if (std::fabs(entry.spacing) > kMaxPavementPosition) {
            return Refuse("light spacing is more than 4000000 ft");
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
    return true;
}

void PavementReader::Finish() {
    if (origin_ && origin_->lat + origin_->lon != 0.0) {
        doc_.m_Airport.lat = LatitudeFromArcseconds(origin_->lat);
        doc_.m_Airport.lon = LongitudeFromArcseconds(origin_->lon);
    }
    // The file's lights form a new list.
    if (sawLights_) {
        doc_.m_pLights = std::move(lights_);
    }
}

}  // namespace

void ReadPavementFile(CRollpathDoc& doc, const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return;
    }
    PavementReader(doc, path).Read(*bytes);
}

}  // namespace rollpath
