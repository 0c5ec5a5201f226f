#include "support/SampleInstallation.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "simdata/SampleCsv.h"

namespace rollpath::testing {

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::filesystem::path SamplesDir() {
    if (const char* env = std::getenv("ROLLPATH_TEST_DATA"); env != nullptr && *env != '\0') {
        return env;
    }
    return std::filesystem::path(ROLLPATH_SOURCE_DIR) / "samples";
}

bool WriteSampleInstallation(const std::filesystem::path& flyDir, SampleLayout layout) {
    const std::string airportsCsv = ReadText(SamplesDir() / "sample-airports.csv");
    const std::string runwaysCsv = ReadText(SamplesDir() / "runways.csv");
    std::string error;
    const auto airports = SampleAirportsFromCsv(airportsCsv, runwaysCsv, error);
    if (!airports) {
        return false;
    }
    return rollpath::WriteSampleInstallation(flyDir, *airports, layout, error);
}

}  // namespace rollpath::testing
