#pragma once

// JSON forms of the document's parts, shared by the commands that print them.

#include "cli/Json.h"
#include "document/RollpathDoc.h"

namespace rollpath::cli {

void WritePoint(JsonWriter& json, const DPoint& point);
// key, identifiers, name, lat, lon (degrees), elevation.
void WriteAirportRecord(JsonWriter& json, const AirportRecord& airport);
// The runways in list order, with their LocalFeet ends and corners.
void WriteRunways(JsonWriter& json, const CRollpathDoc& doc);
// The segments in list order, each with its two vertex positions.
void WriteSegments(JsonWriter& json, const CRollpathDoc& doc);

// The whole model: the document's fields, the airport, the runways, every
// pool vertex with its junction pieces and lights, every segment with all its
// generated geometry, the ground polygons, the pieces and lights read from a
// pavement file, the touched-vertex list, the tile grid and the polygons the
// last Save could not triangulate. Deleted records are included (state -1).
void WriteDocument(JsonWriter& json, const CRollpathDoc& doc);

}  // namespace rollpath::cli
