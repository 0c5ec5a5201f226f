#pragma once

// Reading a GeoJSON FeatureCollection (RFC 7946) into what an import adds to
// the airport: rollpath chains, ground polygons, hold positions and vertex
// flags, already in LocalFeet. Two kinds of features are understood: those
// of our own export (a `layer` property) and map data tagged as
// OpenStreetMap tags them (`aeroway=taxiway`, `apron`, `holding_position`).
// Nothing here touches the document.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Records.h"

namespace rollpath {

struct GeoJsonArea {
    double benchLat = 0.0;  // the airport benchmark, degrees
    double benchLon = 0.0;
    double maxDistanceNm = 50.0;  // features with a point further away are skipped
    double defaultWidth = 50.0;   // feet, for ways without a width of their own
};

struct PlannedChain {
    std::vector<DPoint> points;
    int type = SegmentType::Rollpath;
    float width = 50.0f;
    int flags = 0;
    double extent0 = 75.0;
    double extent1 = 75.0;
};

struct PlannedPolygon {
    int kind = PolygonKind::Ordinary;
    std::vector<DPoint> points;
};

struct PlannedHold {
    DPoint at;
    bool critical = false;
};

struct PlannedVertexFlags {
    DPoint at;
    int flags = 0;
};

struct GeoJsonPlan {
    std::vector<PlannedChain> chains;
    std::vector<PlannedPolygon> polygons;
    std::vector<PlannedHold> holds;
    std::vector<PlannedVertexFlags> vertexFlags;
    int wrongGeometry = 0;  // a known kind of feature with a geometry it cannot have
    int beyondArea = 0;     // a point further than the area's distance
    int otherFeatures = 0;  // runways, generated layers, untagged or other tags
};

// The deepest nesting of arrays and objects a file may have; real files need
// six levels.
inline constexpr int kMaxGeoJsonDepth = 64;

// The plan of a whole file, or the reason it is refused.
struct GeoJsonReadResult {
    std::optional<GeoJsonPlan> plan;
    std::string error;
};

GeoJsonReadResult ReadGeoJsonPlan(std::string_view text, const GeoJsonArea& area);

// A `width` tag in metres, or with a unit ("15", "15 m", "50 ft", "50'"),
// in feet; nothing when it is no width.
std::optional<double> ParseWidthTag(std::string_view text);

}  // namespace rollpath
