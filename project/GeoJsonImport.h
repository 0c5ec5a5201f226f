#pragma once

// GeoJSON import: map data (OpenStreetMap taxiway centre lines, aprons and
// holding positions) or our own export becomes rollpaths, ground polygons
// and holds of the open airport. The ways' vertices closer than the vertex
// sensitivity are joined, then the ordinary network rebuild splits crossings
// and joins ends as it does for a layout drawn by hand. Segments and polygons
// the airport has already are not added again, so that an export edited in
// a GIS tool adds only what is new. A file that cannot be
// imported, or would overrun the document's capacities, is refused with a
// message before anything changes.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/RollpathDoc.h"

namespace rollpath {

// Larger files are refused unread: the map data of the largest airports
// takes a few megabytes.
inline constexpr std::uintmax_t kMaxGeoJsonFileBytes = 64u * 1024u * 1024u;
// A holding position marks the nearest segment end at most this far away.
inline constexpr double kHoldReachFeet = 100.0;

struct GeoJsonImportOptions {
    double defaultWidth = 50.0;  // feet, for ways without a width of their own
};

struct GeoJsonImportSummary {
    int segments = 0;        // rollpath segments added (before the rebuild split any)
    int polygons = 0;        // ground polygons added (ones the airport has already are not)
    int holds = 0;           // holding positions that marked a segment
    int holdsUnmatched = 0;  // holding positions with no segment end within reach
    int wrongGeometry = 0;
    int beyondArea = 0;
    int otherFeatures = 0;
};

// The text of the file; nothing, with a message, when it cannot be read or
// is larger than kMaxGeoJsonFileBytes.
std::optional<std::string> ReadGeoJsonFile(const std::filesystem::path& path, MessageSink& messages);

// Adds the file's layout to the open airport and rebuilds its pavement. The
// caller makes the change one step of the history. Nothing, with a message,
// when the file is refused; the document is then as it was.
std::optional<GeoJsonImportSummary> ImportGeoJson(CRollpathDoc& doc, std::string_view text,
                                                  const GeoJsonImportOptions& options = {});

// "Imported 12 rollpath segments, 2 ground polygons and 1 hold." with what
// was skipped, for the user.
std::string ImportSummaryText(const GeoJsonImportSummary& summary);

}  // namespace rollpath
