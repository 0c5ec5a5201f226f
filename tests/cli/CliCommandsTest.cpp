#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "RollpathVersion.h"
#include "cli/CliTestSupport.h"
#include "cli/Commands.h"
#include "support/JsonValue.h"
#include "support/TempDir.h"

namespace rollpath::cli {
namespace {

using rollpath::testing::JsonValue;
using rollpath::testing::ParseJson;
using rollpath::testing::TempDir;

TEST_F(CliTest, SampleInstallWritesTheLayoutAndSaysWhat) {
    const Outcome run = Call(&RunSampleInstall, {Fly("pod"), "--layout=pod"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::optional<JsonValue> json = ParseJson(run.out);
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["layout"].Text(), "pod");
    EXPECT_EQ((*json)["airports"].Number(), 24);
    EXPECT_EQ((*json)["runways"].Number(), 87);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "pod" / "System" / "Airport.pod"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "pod" / "System" / "Runway.pod"));
    EXPECT_FALSE(std::filesystem::exists(dir / "pod" / "System" / "Airport.epd"));
    EXPECT_FALSE(std::filesystem::exists(dir / "pod" / "DATABASE"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "pod" / "Data"));
}

TEST_F(CliTest, SampleInstallWritesEveryLayoutByDefault) {
    ASSERT_EQ(Call(&RunSampleInstall, {Fly("all")}).status, kExitSuccess);
    for (const char* file : {"System/Airport.epd", "System/Runway.epd", "System/Airport.pod",
                             "System/Runway.pod", "DATABASE/AIRPORT.DBD", "DATABASE/RUNWAY.DBD",
                             "DATABASE/APRTFAA.DBI", "DATABASE/APRTICAO.DBI", "DATABASE/RUNWAY.DBI"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / "all" / file)) << file;
    }
}

TEST_F(CliTest, InfoGivesTheSameAirportFromEveryLayout) {
    std::vector<std::string> outputs;
    for (const char* layout : {"loose", "epd", "pod"}) {
        InstallLayout(layout);
        const Outcome run = Call(&RunInfo, {"ksfo", "--fly-dir", Fly(layout)});
        ASSERT_EQ(run.status, kExitSuccess) << layout << run.err;
        EXPECT_EQ(run.err, "") << layout;
        outputs.push_back(run.out);
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(outputs[0], outputs[2]);

    const std::optional<JsonValue> json = ParseJson(outputs[0]);
    ASSERT_TRUE(json);
    const JsonValue& info = *json;
    EXPECT_EQ(info["code"].Text(), "KSFO");
    EXPECT_TRUE(info["airportLoaded"].Bool());
    EXPECT_EQ(info["airport"]["key"].Text(), "KSFO");
    EXPECT_EQ(info["airport"]["faaId"].Text(), "SFO");
    EXPECT_EQ(info["airport"]["name"].Text(), "San Francisco International");
    EXPECT_NEAR(info["airport"]["lat"].Number(), 37.618544, 1e-9);
    EXPECT_NEAR(info["airport"]["lon"].Number(), -122.375478, 1e-9);
    EXPECT_EQ(info["airport"]["elevation"].Number(), 10);

    const JsonValue& runways = info["runways"];
    ASSERT_EQ(runways.size(), 4u);
    EXPECT_EQ(runways[0]["name"].Text(), "10L/28R");
    EXPECT_EQ(runways[0]["surfaceName"].Text(), "Asphalt");
    EXPECT_EQ(runways[0]["displaced1"].Number(), 300);
    EXPECT_EQ(runways[0]["endAttr0"].Number(), 7);
    EXPECT_EQ(runways[0]["corners"].size(), 4u);

    const JsonValue& segments = info["segments"];
    ASSERT_EQ(segments.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const JsonValue& s = segments[i];
        EXPECT_EQ(s["type"].Number(), 0);
        EXPECT_EQ(s["width"].Number(), runways[i]["width"].Number());
        EXPECT_EQ(s["extent0"].Number(), 75);
        EXPECT_EQ(s["vertex0"].Number(), 2.0 * i);
        EXPECT_EQ(s["vertex1"].Number(), 2.0 * i + 1);
        const double seeded = std::hypot(s["p1"]["x"].Number() - s["p0"]["x"].Number(),
                                         s["p1"]["y"].Number() - s["p0"]["y"].Number());
        const double runway = std::hypot(runways[i]["end1"]["x"].Number() - runways[i]["end0"]["x"].Number(),
                                         runways[i]["end1"]["y"].Number() - runways[i]["end0"]["y"].Number());
        // Moves this short and near east-west take the departure, good to about 1 percent of 25 ft.
        EXPECT_NEAR(seeded, runway - 50.0, 0.5);
    }
}

TEST_F(CliTest, InfoOpensEverySampleAirport) {
    InstallLayout("epd");
    const char* codes[] = {"SFO", "KOSH", "BOS", "KJFK", "ORD", "KDEN", "SEA", "KLAX",
                           "PAO", "KBFI", "LHR", "LFPG", "FRA", "NZQN", "INN", "KTEB",
                           "MDW", "KSNA", "HKG", "NFFN", "HNL", "KLGA", "AWO", "W16"};
    for (const char* code : codes) {
        const Outcome run = Call(&RunInfo, {code, "--fly-dir", Fly("epd")});
        ASSERT_EQ(run.status, kExitSuccess) << code << run.err;
        ASSERT_TRUE(ParseJson(run.out)) << code;
    }
    const JsonValue sea = Info({"KSEA", "--fly-dir", Fly("epd")});
    EXPECT_EQ(sea["runways"].size(), 3u);
    const Outcome run = Call(&RunInfo, {"KSEA", "--fly-dir", Fly("epd")});
    EXPECT_EQ(run.err, "message: Runway lowe/high: no position data\n");
    // Soft runways come first, and a water runway is neither soft nor hard.
    const JsonValue lowi = Info({"LOWI", "--fly-dir", Fly("epd")});
    EXPECT_EQ(lowi["runways"][0]["surfaceName"].Text(), "Turf");
    const JsonValue nffn = Info({"NFFN", "--fly-dir", Fly("epd")});
    EXPECT_NEAR(nffn["airport"]["lon"].Number(), 177.441502, 1e-9);
}

TEST_F(CliTest, InfoFailuresAreStatusOneWithTheirMessages) {
    InstallLayout("pod");
    Outcome run = Call(&RunInfo, {"ZZZZ", "--fly-dir", Fly("pod")});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "message: Cannot find ZZZZ\n");

    run = Call(&RunInfo, {"KSFOXX", "--fly-dir", Fly("pod")});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "message: Airport codes have 3 to 5 letters and digits\n");

    run = Call(&RunInfo, {"KSFO", "--fly-dir", (dir / "nothing").string()});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "message: Cannot locate Fly! directory\n");
}

TEST_F(CliTest, AllAirportsWritesEveryPositionedAirportOfTheFile) {
    const std::filesystem::path csv = dir / "runways.csv";
    std::ofstream(csv)
        << "airport_ident,length_ft,width_ft,surface,closed,le_ident,le_latitude_deg,"
           "le_longitude_deg,le_elevation_ft,le_displaced_threshold_ft,he_ident,he_latitude_deg,"
           "he_longitude_deg,he_elevation_ft,he_displaced_threshold_ft\n"
           "XA1,5000,100,CON,0,09,10.0,20.0,50,,27,10.0,20.02,60,\n"
           "XB2,5000,100,CON,0,09,,,,,27,,,,\n";
    const Outcome run =
        Call(&RunSampleInstall, {Fly("big"), "--all-airports", csv.string(), "--layout", "loose"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ((*ParseJson(run.out))["airports"].Number(), 1);
    const JsonValue info = Info({"xa1", "--fly-dir", Fly("big")});
    EXPECT_EQ(info["airport"]["name"].Text(), "XA1");
    EXPECT_EQ(info["airport"]["elevation"].Number(), 55);
    EXPECT_NEAR(info["airport"]["lon"].Number(), 20.01, 1e-12);
    EXPECT_EQ(info["runways"][0]["surfaceName"].Text(), "Concrete");
}

using Command = int (*)(const Args&, std::ostream&, std::ostream&);

struct UsageCase {
    const char* name;
    Command command;
    const char* synopsis;  // what follows "usage: rollpath-cli "
    Args args;
    const char* named;  // the argument or option the reason names
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, IsStatusTwoWithTheReasonAndTheSynopsis) {
    const UsageCase& c = GetParam();
    const Outcome run = Call(c.command, c.args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("rollpath-cli: ")) << run.err;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(std::string("\nusage: rollpath-cli ") + c.synopsis), std::string::npos) << run.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(
        UsageCase{"info_without_code", &RunInfo, "info", {"--fly-dir", "/x"}, "CODE"},
        UsageCase{"info_two_codes", &RunInfo, "info", {"KSFO", "KBOS"}, "KBOS"},
        UsageCase{"info_unknown_option", &RunInfo, "info", {"KSFO", "--tms"}, "--tms"},
        UsageCase{"info_option_without_value", &RunInfo, "info", {"KSFO", "--fly-dir"}, "--fly-dir"},
        UsageCase{"info_bad_seed", &RunInfo, "info", {"KSFO", "--seed", "x"}, "from 0 to 4294967295, not 'x'"},
        UsageCase{"info_negative_seed", &RunInfo, "info", {"KSFO", "--seed=-1"}, "not '-1'"},
        UsageCase{"install_without_dir", &RunSampleInstall, "sample-install", {}, "DIR"},
        UsageCase{"install_bad_layout", &RunSampleInstall, "sample-install", {"d", "--layout", "zip"}, "'zip'"},
        UsageCase{"install_two_dirs", &RunSampleInstall, "sample-install", {"d", "e"}, "e"},
        UsageCase{"install_common_option", &RunSampleInstall, "sample-install", {"d", "--fly-dir", "x"}, "--fly-dir"},
        UsageCase{"build_without_code", &RunBuild, "build", {}, "CODE"},
        UsageCase{"build_unknown_option", &RunBuild, "build", {"KPAO", "--bogus"}, "--bogus"},
        UsageCase{"build_two_codes", &RunBuild, "build", {"KPAO", "KSFO"}, "KSFO"},
        UsageCase{"build_all_without_list", &RunBuildAll, "build-all", {}, "RUNWAYS.csv"},
        UsageCase{"build_all_limit_not_a_number", &RunBuildAll, "build-all", {"r.csv", "--limit", "x"}, "--limit"},
        UsageCase{"build_all_two_lists", &RunBuildAll, "build-all", {"r.csv", "s.csv"}, "s.csv"},
        UsageCase{"render_no_output", &RunRender, "render", {"KSFO"}, "OUT"},
        UsageCase{"render_wrong_extension", &RunRender, "render", {"KSFO", "out.jpg"}, "out.jpg"},
        UsageCase{"render_bad_size", &RunRender, "render", {"KSFO", "o.svg", "--size", "0x100"}, "'0x100'"},
        UsageCase{"render_size_without_value", &RunRender, "render", {"KSFO", "o.svg", "--size"}, "--size"},
        UsageCase{"render_unknown_layer", &RunRender, "render", {"KSFO", "o.svg", "--show", "runways"}, "runways"},
        UsageCase{"render_three_names", &RunRender, "render", {"KSFO", "o.svg", "more"}, "more"},
        UsageCase{"dump_nothing", &RunDump, "dump", {}, "FILE"},
        UsageCase{"dump_two_files", &RunDump, "dump", {"a.bgr", "b.bgr"}, "b.bgr"},
        UsageCase{"script_nothing", &RunScript, "script", {}, "FILE"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Every command prints its usage for --help and -h, and nothing else.
TEST(CliHelp, EveryCommandPrintsItsUsage) {
    const std::pair<const char*, Command> commands[] = {{"sample-install", &RunSampleInstall},
                                                        {"info", &RunInfo},
                                                        {"build", &RunBuild},
                                                        {"build-all", &RunBuildAll},
                                                        {"dump", &RunDump},
                                                        {"render", &RunRender},
                                                        {"script", &RunScript}};
    for (const auto& [name, command] : commands) {
        for (const char* flag : {"--help", "-h"}) {
            const Outcome run = Call(command, {flag});
            EXPECT_EQ(run.status, kExitSuccess) << name << flag;
            EXPECT_TRUE(run.out.starts_with(std::string("usage: rollpath-cli ") + name + " ")) << run.out;
            EXPECT_EQ(run.err, "") << name;
        }
    }
}

TEST_F(CliTest, SampleInstallFailuresAreStatusOne) {
    Outcome run = Call(&RunSampleInstall, {Fly("x"), "--all-airports", (dir / "missing.csv").string()});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "rollpath-cli: cannot read " + (dir / "missing.csv").string() + "\n");

    std::ofstream(dir / "file") << "not a folder";
    run = Call(&RunSampleInstall, {(dir / "file").string()});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_TRUE(run.err.starts_with("rollpath-cli: cannot create ")) << run.err;
}

// --- The program itself --------------------------------------------------

TEST_F(CliTest, ProgramDispatchesAndReportsItsStatus) {
    Outcome run = Program({});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("build-all"), std::string::npos) << run.err;

    run = Program({"--help"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_NE(run.out.find("sample-install"), std::string::npos) << run.out;

    run = Program({"--version"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out, std::string("rollpath-cli ") + kRollpathVersion + "\n");

    run = Program({"build", "--help"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_TRUE(run.out.starts_with("usage: rollpath-cli build CODE")) << run.out;

    run = Program({"frobnicate"});
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("frobnicate"), std::string::npos) << run.err;

    run = Program({"sample-install", Fly("prog"), "--layout", "epd"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    std::ofstream(dir / "empty.ini").close();
    run = Program({"info", "KSFO", "--fly-dir", Fly("prog"), "--seed", "5", "--settings",
                   (dir / "empty.ini").string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, Call(&RunInfo, {"KSFO", "--fly-dir", Fly("prog")}).out);

    run = Program({"info", "NOWHERE", "--fly-dir", Fly("prog")});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "message: Airport codes have 3 to 5 letters and digits\n");
}

}  // namespace
}  // namespace rollpath::cli
