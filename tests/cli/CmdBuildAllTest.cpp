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
    Args BuildAllArgs(Args extra = {}) {
        Args args{Csv(), "--fly-dir", Fly("loose"), "--project-dir", (dir / "prog").string(), "--seed", "3"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
};

TEST_F(BuildAllTest, BuildsEveryAirportAndCountsTheMessages) {
    // An entry of an airport the run does not build stays in the list.
    std::filesystem::create_directories(dir / "prog");
    std::ofstream(dir / "prog" / "Rollpath.rpj")
        << "[ZZZZ]\ntxp=ZZZZ.txp\nbgr=ZZZZ.bgr\nbmp=\"\" 0 0 100 0.000000\n";
    const std::filesystem::path times = dir / "times.csv";
    const Outcome run = Call(&RunBuildAll, BuildAllArgs({"--times", times.string(), "--check"}));
    ASSERT_EQ(run.status, kExitSuccess) << run.err << run.out;
    const std::optional<JsonValue> json = ParseJson(run.out);
    ASSERT_TRUE(json) << run.out;
    const double attempted = (*json)["attempted"].Number();
    EXPECT_GT(attempted, 10.0);
    EXPECT_EQ((*json)["built"].Number(), attempted);
    EXPECT_EQ((*json)["failed"].Number(), 0.0);
    EXPECT_EQ((*json)["attempted"].Number() + (*json)["skipped"].Number(), (*json)["airports"].Number());
    EXPECT_GE((*json)["perAirportMs"]["max"].Number(), (*json)["perAirportMs"]["median"].Number());
    EXPECT_LE((*json)["slowest"].size(), 10u);
    // Every airport is in the times file, and its files were written.
    const std::string text = ReadText(times);
    EXPECT_EQ(static_cast<double>(std::count(text.begin(), text.end(), '\n')), attempted + 1.0);
    EXPECT_TRUE(std::filesystem::exists(dir / "loose" / "Data" / "KSFO.bgr"));
    // Every airport was checked; each check has its counts.
    const JsonValue& checks = (*json)["checks"];
    EXPECT_EQ(checks["airports"].Number(), attempted);
    EXPECT_EQ(checks["findings"].Members().size(), 9u);
    for (const auto& [id, airports] : checks["airportsWithFindings"].Members()) {
        EXPECT_LE(airports.Number(), checks["findings"][id].Number()) << id;
        EXPECT_EQ(static_cast<double>(checks["examples"][id].size()), std::min(airports.Number(), 10.0))
            << id;
    }
    // The project list holds every airport built, once, and the one it held.
    const std::string list = ReadText(dir / "prog" / "Rollpath.rpj");
    EXPECT_EQ(static_cast<double>(std::count(list.begin(), list.end(), '[')), attempted + 1.0);
    EXPECT_NE(list.find("[ZZZZ]\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "prog" / "KSFO.txd"));
}

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

TEST_F(BuildAllTest, LimitStopsEarlyAndMessagesAreCountedByKind) {
    // No output folder: every Save fails with the same kind of message.
    const Outcome run =
        Call(&RunBuildAll, BuildAllArgs({"--limit", "3", "--output-dir", (dir / "missing" / "x").string()}));
    const std::optional<JsonValue> json = ParseJson(run.out);
    ASSERT_TRUE(json) << run.out << run.err;
    EXPECT_EQ((*json)["attempted"].Number(), 3.0);
    if ((*json)["failed"].Number() > 0.0) {
        EXPECT_EQ(run.status, kExitFailure);
        double counted = 0.0;
        for (const auto& [kind, count] : (*json)["messages"].Members()) {
            EXPECT_EQ(kind.find("KSFO"), std::string::npos) << kind;  // codes are taken out
            counted += count.Number();
        }
        EXPECT_GE(counted, 3.0);
    }
}

TEST_F(BuildAllTest, AMissingListIsStatusOne) {
    EXPECT_EQ(Call(&RunBuildAll, {(dir / "none.csv").string()}).status, kExitFailure);
}

}  // namespace
}  // namespace rollpath::cli
