#pragma once

// For the Qt tests: a sample installation of the repository's airports in a
// temporary folder, and the pixels of the view widget.

#include <QColor>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "simdata/SampleCsv.h"
#include "simdata/SampleInstall.h"
#include "ui/ViewWidget.h"

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

// The device pixel of a world point in a view widget.
inline QPoint PixelOf(CViewWidget& widget, const DPoint& world) {
    LPoint l;
    widget.View().ProjectPoints(1, &world, &l, true);
    return QPoint(static_cast<int>(std::lround(l.x * widget.LogicalDpiX() / 1000.0)),
                  static_cast<int>(std::lround(-l.y * widget.LogicalDpiY() / 1000.0)));
}

inline bool SameRgb(const QImage& image, int x, int y, const QColor& color) {
    return image.valid(x, y) && image.pixelColor(x, y).rgb() == color.rgb();
}

}  // namespace rollpath::testing
