#pragma once

#include <string>
#include <string_view>

#include "document/Records.h"
#include "simdata/LittleEndian.h"

namespace rollpath {

// Arcseconds to degrees.
double ArcsecondsToDegrees(double arcseconds);

// A longitude above 180 degrees has 360 subtracted (the database counts east
// from 0 up to 360).
double ReduceLongitude(double degrees);

// The benchmark position as the airport record stores it, in arcseconds.
struct StoredPosition {
    double latArcsec = 0.0;
    double lonArcsec = 0.0;
};

// Fills key, identifiers, name, position (degrees) and elevation from an
// airport record and returns the position exactly as stored. A record shorter
// than its layout reads its missing fields as zero.
StoredPosition DecodeAirportRecord(ByteSpan record, AirportRecord& airport);

// A stored position the editor can place an airport at: finite, the latitude
// within the poles, the longitude within the stored circle (or the signed
// half circles). Anything else is a damaged record.
bool PlausibleStoredPosition(const StoredPosition& stored);

// Whether the code equals the record's first or second identifier, ignoring case.
bool AirportRecordMatches(ByteSpan record, std::string_view code);

// The key of the airport a runway record belongs to.
std::string RunwayAirportKey(ByteSpan record);

// The runway fields of a runway record; ends and corners in LocalFeet are
// placed later, when the airport is opened.
RunwayRecord DecodeRunwayRecord(ByteSpan record);

}  // namespace rollpath
