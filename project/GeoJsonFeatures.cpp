#include "project/GeoJsonFeatures.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "geometry/Geodesy.h"
#include "geometry/PortableMath.h"
#include "scenery/PlausibleValues.h"

namespace rollpath {

namespace {

using nlohmann::json;

constexpr double kFeetPerMetre = 1.0 / 0.3048;
// The flags a user sets; the others are made by pavement generation.
constexpr int kUserSegmentFlags = SegmentFlag::NoPolygon | SegmentFlag::NoMarkings | SegmentFlag::NoLighting |
                                  SegmentFlag::NoExit | SegmentFlag::NoFill | SegmentFlag::RunwayHold |
                                  SegmentFlag::CriticalHold | SegmentFlag::BlastPad;
constexpr int kUserVertexFlags = VertexFlag::NoPolygon | VertexFlag::NoMarkings | VertexFlag::NoLighting;

// A refusal of the whole file.
struct BadFile {
    std::string reason;
};

// The nesting of arrays and objects outside strings. nlohmann's parser keeps
// its own stack, but freeing a deeply nested value recurses.
bool NestingWithin(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) {
                return false;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The member of an object, or null: a reference into the document, not a
// copy of the (possibly large) geometry under it.
const json& Member(const json& object, const char* key) {
    static const json kNull;
    if (!object.is_object()) {
        return kNull;
    }
    const auto it = object.find(key);
    return it == object.end() ? kNull : *it;
}

// A tag of the feature: a property, or an entry of a `tags` object (the
// shape some converters give OpenStreetMap data).
std::string Tag(const json& properties, const char* key) {
    if (!properties.is_object()) {
        return {};
    }
    if (const auto it = properties.find(key); it != properties.end() && it->is_string()) {
        return it->get<std::string>();
    }
    if (const auto tags = properties.find("tags"); tags != properties.end() && tags->is_object()) {
        if (const auto it = tags->find(key); it != tags->end() && it->is_string()) {
            return it->get<std::string>();
        }
    }
    return {};
}

std::optional<double> FiniteNumber(const json& properties, const char* key) {
    if (!properties.is_object()) {
        return std::nullopt;
    }
    const auto it = properties.find(key);
    if (it == properties.end() || !it->is_number()) {
        return std::nullopt;
    }
    const double value = it->get<double>();
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

class FeatureReader {
public:
    FeatureReader(const GeoJsonArea& area, GeoJsonPlan& plan) : m_Area(area), m_Plan(plan) {}

    void Read(const json& feature, std::size_t number);

private:
    enum class Shape { Line, Area, Point };
    using Line = std::vector<DPoint>;

    // The lines, rings or points of a geometry; nothing when it is not of
    // the shape wanted (a closed line counts as an area).
    std::optional<std::vector<Line>> Parts(const json& geometry, Shape shape);
    std::vector<Line> Positions(const json& coordinates, int depth);
    DPoint Position(const json& position);
    bool WithinArea(const std::vector<Line>& parts) const;

    void AddChains(std::vector<Line>& parts, const PlannedChain& model);
    void AddPolygons(std::vector<Line>& parts, int kind, bool reversed);
    void ReadOwnLayer(const std::string& layer, const json& geometry, const json& properties);
    void ReadTagged(const json& geometry, const json& properties);

    const GeoJsonArea& m_Area;
    GeoJsonPlan& m_Plan;
    std::size_t m_nFeature = 0;
};

void FeatureReader::Read(const json& feature, std::size_t number) {
    m_nFeature = number;
    if (!feature.is_object() || Member(feature, "type") != "Feature") {
        throw BadFile{"feature " + std::to_string(number) + " is not a Feature"};
    }
    const json& geometry = Member(feature, "geometry");
    const json& properties = Member(feature, "properties");
    if (!geometry.is_null() && !geometry.is_object()) {
        throw BadFile{"feature " + std::to_string(number) + " has a geometry that is not an object"};
    }
    const std::string layer = Tag(properties, "layer");
    if (!layer.empty()) {
        ReadOwnLayer(layer, geometry, properties);
    } else {
        ReadTagged(geometry, properties);
    }
}

DPoint FeatureReader::Position(const json& position) {
    const auto where = [this] { return "feature " + std::to_string(m_nFeature); };
    if (!position.is_array() || position.size() < 2 || !position[0].is_number() || !position[1].is_number()) {
        throw BadFile{where() + " has a position that is not a pair of numbers"};
    }
    const double lon = position[0].get<double>();
    const double lat = position[1].get<double>();
    if (!std::isfinite(lon) || !std::isfinite(lat)) {
        throw BadFile{where() + " has a coordinate that is not a finite number"};
    }
    if (std::fabs(lon) > 180.0 || std::fabs(lat) > 90.0) {
        throw BadFile{where() + " has a position that is not a longitude and latitude"};
    }
    return DPoint{lon, lat};
}

// depth 1: an array of positions; 2: an array of those; 3: one more level.
std::vector<FeatureReader::Line> FeatureReader::Positions(const json& coordinates, int depth) {
    if (!coordinates.is_array()) {
        throw BadFile{"feature " + std::to_string(m_nFeature) + " has coordinates that are not an array"};
    }
    std::vector<Line> parts;
    if (depth == 1) {
        Line line;
        line.reserve(coordinates.size());
        for (const json& position : coordinates) {
            line.push_back(Position(position));
        }
        parts.push_back(std::move(line));
        return parts;
    }
    for (const json& inner : coordinates) {
        for (Line& line : Positions(inner, depth - 1)) {
            parts.push_back(std::move(line));
        }
    }
    return parts;
}

std::optional<std::vector<FeatureReader::Line>> FeatureReader::Parts(const json& geometry, Shape shape) {
    if (!geometry.is_object()) {
        return std::nullopt;
    }
    const json& type = Member(geometry, "type");
    const json& coordinates = Member(geometry, "coordinates");
    const auto closed = [](const Line& l) { return l.size() >= 4 && l.front() == l.back(); };
    switch (shape) {
        case Shape::Line:
            if (type == "LineString" || type == "MultiLineString") {
                return Positions(coordinates, type == "LineString" ? 1 : 2);
            }
            return std::nullopt;
        case Shape::Point:
            if (type == "Point") {
                return std::vector<Line>{Line{Position(coordinates)}};
            }
            if (type == "MultiPoint") {
                const std::vector<Line> line = Positions(coordinates, 1);
                std::vector<Line> points;
                for (const DPoint& p : line.front()) {
                    points.push_back(Line{p});
                }
                return points;
            }
            return std::nullopt;
        case Shape::Area:
            if (type == "Polygon" || type == "MultiPolygon") {
                // Outer rings only: a ground polygon has no holes.
                std::vector<Line> outer;
                if (type == "Polygon") {
                    std::vector<Line> rings = Positions(coordinates, 2);
                    if (!rings.empty()) {
                        outer.push_back(std::move(rings.front()));
                    }
                } else if (coordinates.is_array()) {
                    for (const json& polygon : coordinates) {
                        std::vector<Line> rings = Positions(polygon, 2);
                        if (!rings.empty()) {
                            outer.push_back(std::move(rings.front()));
                        }
                    }
                } else {
                    Positions(coordinates, 3);
                }
                return outer;
            }
            if (type == "LineString") {
                std::vector<Line> line = Positions(coordinates, 1);
                if (closed(line.front())) {
                    return line;
                }
            }
            return std::nullopt;
    }
    return std::nullopt;
}

bool FeatureReader::WithinArea(const std::vector<Line>& parts) const {
    for (const Line& line : parts) {
        for (const DPoint& p : line) {
            double course = 0.0;
            double distance = 0.0;
            CourseAndDistance(m_Area.benchLat, m_Area.benchLon, p.y, p.x, course, distance);
            if (!(distance <= m_Area.maxDistanceNm)) {
                return false;
            }
        }
    }
    return true;
}

DPoint ToFeet(const GeoJsonArea& area, const DPoint& lonLat) {
    return LatLonToLocalFeet(area.benchLat, area.benchLon, lonLat.y, lonLat.x);
}

// Points closer than this to the one before add no segment.
constexpr double kMinSegmentLength = 1.0;

void FeatureReader::AddChains(std::vector<Line>& parts, const PlannedChain& model) {
    for (const Line& line : parts) {
        PlannedChain chain = model;
        for (const DPoint& lonLat : line) {
            const DPoint p = ToFeet(m_Area, lonLat);
            if (chain.points.empty() ||
                math::Hypot(p.x - chain.points.back().x, p.y - chain.points.back().y) >= kMinSegmentLength) {
                chain.points.push_back(p);
            }
        }
        if (chain.points.size() >= 2) {
            m_Plan.chains.push_back(std::move(chain));
        } else {
            ++m_Plan.wrongGeometry;
        }
    }
}

void FeatureReader::AddPolygons(std::vector<Line>& parts, int kind, bool reversed) {
    for (Line& ring : parts) {
        if (ring.size() >= 2 && ring.front() == ring.back()) {
            ring.pop_back();
        }
        if (ring.size() < 3) {
            ++m_Plan.wrongGeometry;
            continue;
        }
        if (reversed) {
            std::reverse(ring.begin(), ring.end());
        }
        PlannedPolygon polygon;
        polygon.kind = kind;
        for (const DPoint& lonLat : ring) {
            polygon.points.push_back(ToFeet(m_Area, lonLat));
        }
        m_Plan.polygons.push_back(std::move(polygon));
    }
}

void FeatureReader::ReadOwnLayer(const std::string& layer, const json& geometry, const json& properties) {
    const Shape shape = layer == "rollpath" ? Shape::Line : layer == "polygon" ? Shape::Area : Shape::Point;
    if (layer != "rollpath" && layer != "polygon" && layer != "vertex") {
        ++m_Plan.otherFeatures;  // runways and generated pavement: made again here
        return;
    }
    std::optional<std::vector<Line>> parts = Parts(geometry, shape);
    if (!parts) {
        ++m_Plan.wrongGeometry;
        return;
    }
    if (!WithinArea(*parts)) {
        ++m_Plan.beyondArea;
        return;
    }
    if (layer == "rollpath") {
        PlannedChain model;
        model.type =
            FiniteNumber(properties, "type") == 0.0 ? SegmentType::RunwayCentreLine : SegmentType::Rollpath;
        const double width = FiniteNumber(properties, "width_ft").value_or(m_Area.defaultWidth);
        model.width = static_cast<float>(std::clamp(width, kMinRollpathWidth, kMaxRollpathWidth));
        model.flags =
            static_cast<int>(std::clamp(FiniteNumber(properties, "flags").value_or(0.0), 0.0, 65535.0)) &
            kUserSegmentFlags;
        const auto extent = [&properties](const char* key) {
            const double e = FiniteNumber(properties, key).value_or(75.0);
            return e >= 0.0 && e <= kMaxFileExtent ? e : 75.0;
        };
        model.extent0 = extent("extent0");
        model.extent1 = extent("extent1");
        AddChains(*parts, model);
    } else if (layer == "polygon") {
        const int kind = FiniteNumber(properties, "kind") == PolygonKind::Automatic ? PolygonKind::Automatic
                                                                                    : PolygonKind::Ordinary;
        const bool reversed = Member(properties, "reversed") == true;
        AddPolygons(*parts, kind, reversed);
    } else {
        const int flags =
            static_cast<int>(std::clamp(FiniteNumber(properties, "flags").value_or(0.0), 0.0, 255.0)) &
            kUserVertexFlags;
        for (const Line& point : *parts) {
            m_Plan.vertexFlags.push_back(PlannedVertexFlags{ToFeet(m_Area, point.front()), flags});
        }
    }
}

void FeatureReader::ReadTagged(const json& geometry, const json& properties) {
    const std::string aeroway = Tag(properties, "aeroway");
    const bool way = aeroway == "taxiway" || aeroway == "taxilane";
    const bool area = aeroway == "apron" || (way && Tag(properties, "area") == "yes");
    const bool hold = aeroway == "holding_position";
    if (!way && !area && !hold) {
        ++m_Plan.otherFeatures;
        return;
    }
    std::optional<std::vector<Line>> parts = Parts(geometry, area   ? Shape::Area
                                                             : hold ? Shape::Point
                                                                    : Shape::Line);
    if (!parts) {
        ++m_Plan.wrongGeometry;
        return;
    }
    if (!WithinArea(*parts)) {
        ++m_Plan.beyondArea;
        return;
    }
    if (area) {
        AddPolygons(*parts, PolygonKind::Ordinary, false);
    } else if (hold) {
        const bool critical = EqualsIgnoringCase(Tag(properties, "holding_position:type"), "ILS");
        for (const Line& point : *parts) {
            m_Plan.holds.push_back(PlannedHold{ToFeet(m_Area, point.front()), critical});
        }
    } else {
        PlannedChain model;
        const std::optional<double> width = ParseWidthTag(Tag(properties, "width"));
        const double feet = width.value_or(m_Area.defaultWidth);
        model.width = static_cast<float>(std::clamp(feet, kMinRollpathWidth, kMaxRollpathWidth));
        AddChains(*parts, model);
    }
}

}  // namespace

std::optional<double> ParseWidthTag(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || !std::isfinite(value) || value <= 0.0) {
        return std::nullopt;
    }
    std::string_view unit = text.substr(static_cast<std::size_t>(end - text.data()));
    while (!unit.empty() && unit.front() == ' ') {
        unit.remove_prefix(1);
    }
    while (!unit.empty() && unit.back() == ' ') {
        unit.remove_suffix(1);
    }
    if (unit.empty() || unit == "m" || EqualsIgnoringCase(unit, "metres") ||
        EqualsIgnoringCase(unit, "meters")) {
        return value * kFeetPerMetre;
    }
    if (unit == "'" || EqualsIgnoringCase(unit, "ft") || EqualsIgnoringCase(unit, "feet")) {
        return value;
    }
    return std::nullopt;
}

GeoJsonReadResult ReadGeoJsonPlan(std::string_view text, const GeoJsonArea& area) {
    GeoJsonReadResult result;
    if (!NestingWithin(text, kMaxGeoJsonDepth)) {
        result.error = "The file nests deeper than " + std::to_string(kMaxGeoJsonDepth) + " levels";
        return result;
    }
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& e) {
        result.error = "The file is not JSON (error at byte " + std::to_string(e.byte) + ")";
        return result;
    } catch (const json::exception&) {
        // The parser refuses numbers beyond a double's range.
        result.error = "The file holds a number that is not finite";
        return result;
    }
    const json& features = Member(document, "features");
    if (Member(document, "type") != "FeatureCollection" || !features.is_array()) {
        result.error = "The file is not a GeoJSON FeatureCollection";
        return result;
    }
    GeoJsonPlan plan;
    FeatureReader reader(area, plan);
    try {
        std::size_t number = 0;
        for (const json& feature : features) {
            reader.Read(feature, ++number);
        }
    } catch (const BadFile& bad) {
        result.error = "The file is not valid GeoJSON: " + bad.reason;
        return result;
    } catch (const json::exception&) {
        result.error = "The file is not valid GeoJSON";
        return result;
    }
    result.plan = std::move(plan);
    return result;
}

}  // namespace rollpath
