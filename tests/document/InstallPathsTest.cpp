// Names from the simulator's texts ("\System\Airport.pod") are found in an
// installation copied from a Windows disk, whatever their case.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/InstallPaths.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace rollpath {
namespace {

TEST(InstallPaths, EachNameIsFoundIgnoringCaseOrKeptAsWritten) {
    testing::TempDir fly;
    std::filesystem::create_directories(fly / "SYSTEM");
    std::ofstream(fly / "SYSTEM" / "Airport.POD") << "x";
    // Of several spellings the least name wins, unless one is exact (where
    // the file system tells names apart by case).
    std::filesystem::create_directories(fly / "data");
    const bool caseSensitive = !std::filesystem::exists(fly / "DATA");
    std::filesystem::create_directories(fly / "DATA");
    const char* const upperData = caseSensitive ? "DATA" : "data";
    const struct {
        const char* relative;
        std::filesystem::path expected;
        bool exists;
    } cases[] = {
        {"\\System\\airport.pod", fly / "SYSTEM" / "Airport.POD", true},
        {"\\\\SYSTEM\\", fly / "SYSTEM", true},
        {"\\system\\Missing\\x.bin", fly / "SYSTEM" / "Missing" / "x.bin", false},
        {"\\Data\\KSFO.bgr", fly / upperData / "KSFO.bgr", false},
        {"\\data", fly / "data", true},
        {"\\Systems", fly / "Systems", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveInstallPath(fly.path(), c.relative), c.expected) << c.relative;
        EXPECT_EQ(InstallPathExists(fly.path(), c.relative), c.exists) << c.relative;
    }
    EXPECT_EQ(ResolveInstallPath("", "\\tmp"), std::filesystem::path("/tmp"));
    EXPECT_TRUE(EqualsIgnoreCase("KsFo", "ksfO"));
    EXPECT_FALSE(EqualsIgnoreCase("KSF", "KSFO"));
    EXPECT_FALSE(EqualsIgnoreCase("XSFO", "KSFO"));  // the first letter counts too
    EXPECT_FALSE(EqualsIgnoreCase("A[", "a{"));      // only letters have a case
}

// The output setting wins over the data folder. A batch build keeps the
// output folder's listing between airports; files that other programs add or
// remove in between are still seen.
TEST(InstallPaths, SceneryFilesAreFoundInAnyCaseAsTheyComeAndGo) {
    testing::TempDir fly;
    std::filesystem::create_directory(fly / "DATA");
    std::filesystem::create_directory(fly / "out");
    Settings s;
    s.FlyDir = fly.path().string();
    EXPECT_EQ(OutputDirectory(s), fly / "DATA");
    EXPECT_EQ(OutputFilePath(s, "KSFO.tms"), fly / "DATA" / "KSFO.tms");
    s.OutputDir = (fly / "out").string();
    EXPECT_EQ(OutputDirectory(s), fly / "out");
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "KSFO.bgr");
    std::ofstream(fly / "out" / "ksfo.bgr") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "ksfo.bgr");
    std::filesystem::remove(fly / "out" / "ksfo.bgr");
    std::ofstream(fly / "out" / "Ksfo.BGR") << 'x';
    EXPECT_EQ(OutputFilePath(s, "KSFO.bgr"), fly / "out" / "Ksfo.BGR");
}

}  // namespace
}  // namespace rollpath
