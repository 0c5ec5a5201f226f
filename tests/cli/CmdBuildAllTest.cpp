#include <fstream>

#include "cli/CliTestSupport.h"
#include "support/SampleInstallation.h"

namespace rollpath::cli {
namespace {

// The world run on the sample runways: the database written by
// `sample-install --all-airports` from the same CSV, every airport built.
class BuildAllTest : public CliTest {
protected:
    BuildAllTest() {
        const Outcome run =
            Call(&RunSampleInstall, {Fly("loose"), "--layout", "loose", "--all-airports", Csv()});
        EXPECT_EQ(run.status, kExitSuccess) << run.err;
    }
    static std::string Csv() { return (testing::SamplesDir() / "runways.csv").string(); }
};

// Airports built on several threads, and built again over their own files
// and list, give the same files as one thread building them once.
TEST_F(BuildAllTest, SeveralJobsAndASecondRunWriteTheSameFiles) {
    const auto build = [this](const std::string& name, const std::string& jobs) {
        std::filesystem::create_directories(dir / name / "out");
        const Outcome run = Call(
            &RunBuildAll, {Csv(), "--fly-dir", Fly("loose"), "--output-dir", (dir / name / "out").string(),
                           "--project-dir", (dir / name / "prog").string(), "--seed", "3", "--jobs", jobs});
        EXPECT_EQ(run.status, kExitSuccess) << run.err << run.out;
    };
    build("one", "1");
    build("three", "3");
    build("three", "3");
    std::size_t compared = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(dir / "one")) {
        if (file.is_regular_file()) {
            const std::filesystem::path other = dir / "three" / file.path().lexically_relative(dir / "one");
            EXPECT_EQ(ReadText(file.path()), ReadText(other)) << other;
            ++compared;
        }
    }
    EXPECT_GT(compared, 40u);
}

}  // namespace
}  // namespace rollpath::cli
