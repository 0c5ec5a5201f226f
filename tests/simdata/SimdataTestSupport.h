#pragma once

// Helpers of the simulator-data tests: small airports, installations written
// with the sample writers into a temporary folder, and raw file access.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/RollpathDoc.h"
#include "simdata/SampleAirport.h"
#include "simdata/SampleInstall.h"
#include "support/FileBytes.h"
#include "support/SampleInstallation.h"
#include "support/TempDir.h"

namespace rollpath::testing {

inline SampleRunway MakeRunway(std::string id0, std::string id1, double lat0, double lon0, double lat1,
                               double lon1, int length = 6000, int width = 150, int surface = 1 << kAsphalt) {
    // Open, with no displaced thresholds or end attributes.
    return {length, width, surface, 0, std::move(id0), std::move(id1), lat0, lon0, lat1, lon1};
}

inline SampleAirport MakeAirport(std::string key, std::string faaId, std::string icaoId, std::string name,
                                 double lat, double lon, std::vector<SampleRunway> runways = {}) {
    return {std::move(key),    std::move(faaId), std::move(icaoId), std::move(name), lat, lon, 100,
            std::move(runways)};
}

// A field with two east-west runways near 37 N 122 W (west longitudes are
// stored above 180 degrees).
inline SampleAirport TestField(std::string key = "TESTKEY001", std::string faa = "TST",
                               std::string icao = "KTST") {
    return MakeAirport(std::move(key), std::move(faa), std::move(icao), "Test Field", 37.5, -122.25,
                       {MakeRunway("09", "27", 37.5, -122.26, 37.5, -122.24),
                        MakeRunway("18", "36", 37.51, -122.25, 37.49, -122.25, 4000, 75, 1 << kTurf)});
}

// A document reading an installation in a temporary folder, with its
// messages recorded.
class InstallTest : public ::testing::Test {
protected:
    InstallTest() {
        settings.FlyDir = dir.path().string();
        doc.SetSettings(&settings);
        doc.SetMessageSink(&messages);
        doc.SetProgramDir(dir / "program");
    }

    void Install(const std::vector<SampleAirport>& airports, SampleLayout layout) {
        std::string error;
        ASSERT_TRUE(WriteSampleInstallation(dir.path(), airports, layout, error)) << error;
    }

    // One of the database readers; the benchmark it gives is kept below.
    int Read(int (*read)(CRollpathDoc&, const std::string&, double&, double&), const std::string& code) {
        latArcsec = lonArcsec = -1.0;
        return read(doc, code, latArcsec, lonArcsec);
    }

    // With the platform's separators, as the code's paths have them.
    std::filesystem::path FlyPath(const std::string& relative) const {
        return (dir / relative).make_preferred();
    }

    TempDir dir{"rollpath-simdata"};
    Settings settings;
    RecordingMessageSink messages;
    CRollpathDoc doc;
    double latArcsec = -1.0;
    double lonArcsec = -1.0;
};

}  // namespace rollpath::testing
