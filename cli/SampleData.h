#pragma once

#include <string_view>

namespace rollpath::cli {

// The repository's samples/ files, compiled into the program so that a
// sample installation can be written from anywhere.
std::string_view SampleAirportsCsv();
std::string_view SampleRunwaysCsv();

}  // namespace rollpath::cli
