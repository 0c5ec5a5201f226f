#pragma once

// Airports and runways as the sample installation writes them into the
// simulator's database layouts. Positions are degrees (longitudes west
// negative); the writers store them as the database does.

#include <string>
#include <vector>

namespace rollpath {

struct SampleRunway {
    int length = 0;   // feet
    int width = 0;    // feet
    int surface = 0;  // surface bit set
    int closed = 0;
    std::string id0;  // designators, at most 4 characters are stored
    std::string id1;
    // Zero on both ends when the position is unknown, which the reader drops.
    double lat0 = 0.0;
    double lon0 = 0.0;
    double lat1 = 0.0;
    double lon1 = 0.0;
    int displaced0 = 0;  // feet
    int displaced1 = 0;
    int endAttr0 = 0;
    int endAttr1 = 0;
};

struct SampleAirport {
    std::string key;     // at most 10 characters; selects the runways
    std::string faaId;   // at most 4 characters; empty when the airport has none
    std::string icaoId;  // at most 5 characters; empty when the airport has none
    std::string name;    // at most 40 characters
    double lat = 0.0;
    double lon = 0.0;
    int elevation = 0;  // feet
    std::vector<SampleRunway> runways;
};

}  // namespace rollpath
