#pragma once

// The sample installation's input: the curated airport list and rows of a
// runways.csv (OurAirports columns: airport_ident, length_ft, width_ft,
// surface, closed, and per end (le = end 1, he = end 2) ident, latitude_deg,
// longitude_deg, elevation_ft, displaced_threshold_ft).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simdata/SampleAirport.h"

namespace rollpath {

// Rows of comma-separated fields; double quotes enclose fields that hold
// commas, quotes ("" inside) or line breaks. Line ends may be CRLF.
std::vector<std::vector<std::string>> ParseCsv(std::string_view text);

// The surface bit of a runways.csv surface text, ignoring case: ASP, ASPH...,
// BIT... and PEM are asphalt; CON... and PEM-CONCRETE concrete; TURF, GRASS and
// GRS turf; DIRT; GRVL and GRAVEL gravel; SAND; WATER; SNOW; ICE; MATS and PSP
// mats. Anything else has no bit (the surface shows as unknown).
int SurfaceBitsFromText(std::string_view surface);

// Our own convention for the per-end attribute, used by the runway markings:
// 7 for a hard runway of 7000 ft and more, 4 from 4000 ft, 1 for a shorter
// hard runway, 0 for any other.
int EndAttributeFor(int surfaceBits, int lengthFeet);

// The airports of sample-airports.csv with their runways from runways.csv,
// both in file order; the ident is the key. Nothing, with a reason, when a
// file lacks a column.
std::optional<std::vector<SampleAirport>> SampleAirportsFromCsv(std::string_view airportsCsv,
                                                                std::string_view runwaysCsv,
                                                                std::string& error);

// Every airport of a full runways.csv that has at least one runway with both
// end positions: benchmark the mean of those end positions, elevation the
// mean of the runway end elevations (rounded to even), key and name the ident,
// which is also the first identifier when it has at most 4 characters and the
// second when it has at most 5.
std::optional<std::vector<SampleAirport>> AllAirportsFromRunwaysCsv(std::string_view runwaysCsv,
                                                                    std::string& error);

}  // namespace rollpath
