#pragma once

#include <string_view>

namespace rollpath::cli {

// The repository's samples/ files, compiled into the program so that a
// sample installation can be written from anywhere.
std::string_view SampleAirportsCsv();
std::string_view SampleRunwaysCsv();
// A hand-made taxiway layout of the sample airport KPAO (GeoJSON).
std::string_view SampleKpaoLayout();

}  // namespace rollpath::cli
