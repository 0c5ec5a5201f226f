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

}  // namespace rollpath::cli
