#include "support/SampleInstallation.h"

#include <cstdlib>
#include <string>

#include "simdata/SampleCsv.h"
#include "support/FileBytes.h"

namespace rollpath::testing {

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
