#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "document/InstallPaths.h"
#include "scenery/Origin.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

struct LongitudeCase {
    double degrees;
    double stored;
};

TEST(Origin, NegativeLongitudesGetAFullCircle) {
    const LongitudeCase cases[] = {
        {-122.5, 855000.0}, {-80.5, 1006200.0}, {0.0, 0.0},
        {10.25, 36900.0},   {180.0, 648000.0},  {-179.5, 649800.0},
    };
    for (const LongitudeCase& c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(OriginToArcseconds(0.0, c.degrees).lon, c.stored);
        EXPECT_DOUBLE_EQ(LongitudeFromArcseconds(c.stored), c.degrees);
    }
    EXPECT_EQ(OriginToArcseconds(-33.5, 0.0).lat, -120600.0);
    EXPECT_EQ(LatitudeFromArcseconds(-120600.0), -33.5);
}

TEST(Origin, WithinOneArcsecondIsInclusive) {
    const double lat = 170000.0;
    const double lon = 855000.0;
    EXPECT_TRUE(OriginWithinOneArcsecond({lat + 1.0, lon}, lat, lon));
    EXPECT_TRUE(OriginWithinOneArcsecond({lat, lon - 1.0}, lat, lon));
    EXPECT_FALSE(OriginWithinOneArcsecond({lat + 1.01, lon}, lat, lon));
    EXPECT_FALSE(OriginWithinOneArcsecond({lat, lon - 1.01}, lat, lon));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(OriginWithinOneArcsecond({nan, lon}, lat, lon));
    EXPECT_FALSE(OriginWithinOneArcsecond({lat, nan}, lat, lon));
}

TEST(OutputDirectory, TheOutputSettingWinsOverTheSimulatorFolder) {
    Settings s;
    s.FlyDir = "/fly";
    s.OutputDir = "/out/scenery";
    EXPECT_EQ(OutputDirectory(s), std::filesystem::path("/out/scenery"));
    s.OutputDir.clear();
    EXPECT_EQ(OutputDirectory(s), std::filesystem::path("/fly") / "Data");
}

TEST(OutputDirectory, FindsTheDataFolderInAnyCase) {
    testing::TempDir fly;
    std::filesystem::create_directory(fly / "DATA");
    Settings s;
    s.FlyDir = fly.path().string();
    EXPECT_EQ(OutputDirectory(s), fly / "DATA");
    std::filesystem::create_directory(fly / "Data");
    EXPECT_EQ(OutputDirectory(s), fly / "Data");
}

// A batch build keeps the output folder's listing between airports; files
// that other programs add or remove in between are still seen.
TEST(OutputDirectory, FindsSceneryFilesInAnyCaseAsTheyComeAndGo) {
    testing::TempDir out;
    Settings s;
    s.OutputDir = out.path().string();
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), out / "KSFO.bgr");
    std::ofstream(out / "ksfo.bgr") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), out / "ksfo.bgr");
    std::filesystem::remove(out / "ksfo.bgr");
    std::ofstream(out / "Ksfo.BGR") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), out / "Ksfo.BGR");
}

}  // namespace
}  // namespace rollpath
