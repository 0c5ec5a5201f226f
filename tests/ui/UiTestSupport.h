#pragma once

// A sample installation of the repository's airports in a temporary folder,
// for the Qt tests.

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"

namespace rollpath::testing {

inline std::string ReadSampleFile(const std::string& name) {
    const char* dir = std::getenv("ROLLPATH_TEST_DATA");
    const std::filesystem::path path = std::filesystem::path(dir != nullptr ? dir : "samples") / name;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the loose database of every sample airport under flyDir (beside
// archives without airports, which locate the installation).
inline bool InstallSamples(const std::filesystem::path& flyDir, std::string& error) {
    const auto airports =
        SampleAirportsFromCsv(ReadSampleFile("sample-airports.csv"), ReadSampleFile("runways.csv"), error);
    return airports && WriteSampleInstallation(flyDir, *airports, SampleLayout::Loose, error);
}

inline bool SameRgb(const QImage& image, int x, int y, const QColor& color) {
    return image.valid(x, y) && image.pixelColor(x, y).rgb() == color.rgb();
}

}  // namespace rollpath::testing
