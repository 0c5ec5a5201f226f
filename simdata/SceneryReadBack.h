#pragma once

// The editor's own files that opening an airport reads back after the
// database: the polygon file, the network file and the side file, or only
// the pavement file when the airport is opened from it. The readers live in
// the scenery layer; whoever opens an airport passes them in. An empty
// function reads nothing, so the airport opens with its runways alone.

#include <filesystem>
#include <functional>

namespace rollpath {

class CRollpathDoc;

struct SceneryReadBack {
    // Path, then the airport's latitude and longitude in arcseconds as the
    // database stores them (the files' origins are compared against them).
    using GeoFileReader =
        std::function<void(CRollpathDoc&, const std::filesystem::path&, double latArcsec, double lonArcsec)>;
    using FileReader = std::function<void(CRollpathDoc&, const std::filesystem::path&)>;

    GeoFileReader readPolygonFile;  // .txp
    GeoFileReader readNetworkFile;  // .bgr; may move the benchmark by less than one arcsecond
    FileReader readSideFile;        // .txd, from the program's folder
    FileReader readPavementFile;    // .tms
};

}  // namespace rollpath
