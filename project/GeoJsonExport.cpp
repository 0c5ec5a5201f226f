#include "project/GeoJsonExport.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <span>
#include <vector>

#include "document/AnsiText.h"
#include "document/AtomicFile.h"
#include "document/Utf8Path.h"
#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "pavement/LightRows.h"
#include "pavement/RunwayMarkings.h"
#include "pavement/SegmentPieces.h"

namespace rollpath {

namespace {

using nlohmann::json;

// 1e-7 degree is about half an inch: finer than anything the editor places.
double RoundDegrees(double degrees) {
    return std::round(degrees * 1e7) / 1e7;
}

class FeatureWriter {
public:
    explicit FeatureWriter(const CRollpathDoc& doc) : m_Doc(doc) {}

    json Position(const DPoint& p) const {
        double lat = 0.0;
        double lon = 0.0;
        LocalFeetToLatLon(m_Doc.m_Airport.lat, m_Doc.m_Airport.lon, p.x, p.y, lat, lon);
        return json::array({RoundDegrees(lon), RoundDegrees(lat)});
    }

    void Point(const DPoint& p, json properties) {
        Add({{"type", "Point"}, {"coordinates", Position(p)}}, std::move(properties));
    }

    void Line(std::span<const DPoint> points, json properties) {
        json coordinates = json::array();
        for (const DPoint& p : points) {
            coordinates.push_back(Position(p));
        }
        Add({{"type", "LineString"}, {"coordinates", std::move(coordinates)}}, std::move(properties));
    }

    // Outer rings run counter-clockwise as RFC 7946 asks; a ring turned for
    // that says so, so that its points are read back in their own order.
    void Area(std::span<const DPoint> ring, json properties, bool markTurned = false) {
        bool finite = !ring.empty();
        for (const DPoint& p : ring) {
            finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
        }
        if (!finite) {
            return;
        }
        // Positive area is clockwise with north up.
        const bool turn = PolygonArea(ring.data(), static_cast<int>(ring.size())) > 0.0;
        json coordinates = json::array();
        for (std::size_t i = 0; i < ring.size(); ++i) {
            coordinates.push_back(Position(turn ? ring[ring.size() - 1 - i] : ring[i]));
        }
        coordinates.push_back(coordinates.front());
        if (markTurned && turn) {
            properties["reversed"] = true;
        }
        Add({{"type", "Polygon"}, {"coordinates", json::array({std::move(coordinates)})}},
            std::move(properties));
    }

    json Take() { return {{"type", "FeatureCollection"}, {"features", std::move(m_Features)}}; }

private:
    void Add(json geometry, json properties) {
        m_Features.push_back(
            {{"type", "Feature"}, {"properties", std::move(properties)}, {"geometry", std::move(geometry)}});
    }

    const CRollpathDoc& m_Doc;
    json m_Features = json::array();
};

json Layer(const char* name) {
    return {{"layer", name}};
}

json Colored(const char* layer, const char* colour) {
    return {{"layer", layer}, {"colour", colour}};
}

void WriteRunways(const CRollpathDoc& doc, FeatureWriter& out) {
    for (const auto& r : doc.m_pRunways) {
        json properties = Layer("runway");
        properties["name"] = AnsiToUtf8(r->DisplayName());
        properties["length_ft"] = r->length;
        properties["width_ft"] = r->width;
        properties["surface"] = SurfaceName(r->SurfaceIndex());
        properties["closed"] = r->closed != 0;
        out.Area(r->corners, std::move(properties));
    }
}

void WriteNetwork(const CRollpathDoc& doc, FeatureWriter& out) {
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live() && polygon->count() >= 3) {
            json properties = Layer("polygon");
            properties["aeroway"] = "apron";
            properties["kind"] = polygon->kind;
            out.Area(polygon->points, std::move(properties), true);
        }
    }
    for (const auto& s : doc.m_pSegments) {
        if (!s->live() || !doc.IsLiveVertex(s->vertex0) || !doc.IsLiveVertex(s->vertex1)) {
            continue;
        }
        json properties = Layer("rollpath");
        if (s->type == SegmentType::Rollpath) {
            properties["aeroway"] = "taxiway";
        }
        properties["type"] = s->type;
        properties["width_ft"] = s->width;
        properties["flags"] = s->flags;
        properties["extent0"] = s->extent0;
        properties["extent1"] = s->extent1;
        properties["end0"] = EndClassName(s->endClass0);
        properties["end1"] = EndClassName(s->endClass1);
        const DPoint ends[2] = {doc.Vertex(s->vertex0).pos(), doc.Vertex(s->vertex1).pos()};
        out.Line(ends, std::move(properties));
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        if (doc.IsLiveVertex(k) && doc.Vertex(k).flags != 0) {
            json properties = Layer("vertex");
            properties["flags"] = doc.Vertex(k).flags;
            out.Point(doc.Vertex(k).pos(), std::move(properties));
        }
    }
}

void WritePavement(const CRollpathDoc& doc, FeatureWriter& out) {
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (v.live() && (v.flags & VertexFlag::NoPolygon) == 0) {
            for (const GroundPolygon& junction : v.junctionPolys) {
                out.Area(junction.points, Layer("junction"));
            }
        }
    }
    for (const auto& s : doc.m_pSegments) {
        if (!s->live()) {
            continue;
        }
        std::array<DPoint, 5> extension;
        if (ExtensionPolygon(*s, extension)) {
            out.Area(extension, Layer("pavement"));
        }
        if (s->type == SegmentType::Rollpath && (s->flags & SegmentFlag::NoPolygon) == 0) {
            out.Area(s->outline, Layer("pavement"));
        }
    }
}

void WriteQuads(std::span<const Quad> quads, const char* colour, FeatureWriter& out) {
    for (const Quad& q : quads) {
        out.Area(q, Colored("marking", colour));
    }
}

void WriteMarkings(const CRollpathDoc& doc, FeatureWriter& out) {
    std::vector<Quad> pieces;
    for (const auto& r : doc.m_pRunways) {
        pieces.clear();
        BuildRunwayMarkings(*r, pieces);
        WriteQuads(pieces, r->closed != 0 ? "yellow" : "white", out);
    }
    if (doc.m_bLoadedFromTms != 0) {
        for (const auto& piece : doc.m_pMarkings) {
            if (piece->live()) {
                out.Area(piece->points, Colored("marking", "yellow"));
            }
        }
        return;
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (v.live() && (v.flags & VertexFlag::NoMarkings) == 0) {
            pieces.assign(v.centreQuads.begin(), v.centreQuads.end());
            pieces.insert(pieces.end(), v.edgeQuads.begin(), v.edgeQuads.end());
            WriteQuads(pieces, "yellow", out);
        }
    }
    for (const auto& s : doc.m_pSegments) {
        if (s->live() && (s->flags & (SegmentFlag::NoPolygon | SegmentFlag::NoMarkings)) == 0) {
            pieces.clear();
            AppendSegmentEdgeMarkings(*s, pieces);
            AppendSegmentCentreMarkings(doc, *s, false, pieces);
            WriteQuads(pieces, "yellow", out);
        }
    }
}

void WriteLightPoints(std::span<const DPoint> points, const char* colour, FeatureWriter& out) {
    for (const DPoint& p : points) {
        if (std::isfinite(p.x) && std::isfinite(p.y)) {
            out.Point(p, Colored("light", colour));
        }
    }
}

void WriteLights(const CRollpathDoc& doc, FeatureWriter& out) {
    std::vector<DPoint> points;
    double spacing = 0.0;
    if (doc.m_bLoadedFromTms != 0) {
        for (const auto& light : doc.m_pLights) {
            const char* colour = light->lightClass == LightClass::CentreLine ? "green" : "blue";
            const std::array<DPoint, 2> row{DPoint{light->x, light->y}, DPoint{light->x1, light->y1}};
            // A spacing from a damaged file is no int: such a run shows its first light.
            if (light->shape == LightShape::Run && light->spacing >= 1.0f && light->spacing < 1.0e6f) {
                LightPointsAlongLine(row, static_cast<int>(light->spacing), points, spacing);
            } else {
                points.assign(1, row[0]);
            }
            WriteLightPoints(points, colour, out);
        }
        return;
    }
    const int liteSpacing = doc.GetSettings().LiteSpacing;
    for (const auto& s : doc.m_pSegments) {
        if (!s->live() || s->type == SegmentType::RunwayCentreLine ||
            (s->flags & (SegmentFlag::NoPolygon | SegmentFlag::NoLighting)) != 0) {
            continue;
        }
        LightPointsAlongLine(s->centreLightLine, liteSpacing, points, spacing);
        WriteLightPoints(points, "green", out);
        for (const auto* row : {&s->rightLightLine, &s->leftLightLine}) {
            LightPointsAlongLine(*row, liteSpacing, points, spacing);
            WriteLightPoints(points, "blue", out);
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (v.live() && (v.flags & (VertexFlag::NoPolygon | VertexFlag::NoLighting)) == 0) {
            points.assign(v.lightPts0.begin(), v.lightPts0.end());
            WriteLightPoints(points, "green", out);
            points.assign(v.lightPts1.begin(), v.lightPts1.end());
            WriteLightPoints(points, "blue", out);
        }
    }
}

}  // namespace

std::string ExportGeoJson(const CRollpathDoc& doc) {
    FeatureWriter out(doc);
    WriteRunways(doc, out);
    WriteNetwork(doc, out);
    WritePavement(doc, out);
    WriteMarkings(doc, out);
    WriteLights(doc, out);
    return out.Take().dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

bool ExportGeoJsonFile(const CRollpathDoc& doc, const std::filesystem::path& target, MessageSink& messages,
                       FileSystem& files) {
    const std::string text = ExportGeoJson(doc);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return WriteFileOrReport(target, std::span(bytes, text.size()), Utf8FromPath(target.filename()), messages,
                             files);
}

}  // namespace rollpath
