#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RollpathVersion.h"
#include "cli/CliTestSupport.h"
#include "cli/Commands.h"

namespace rollpath::cli {
namespace {

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
    EXPECT_EQ(info["code"].get<std::string>(), "KSFO");
    EXPECT_TRUE(info["airportLoaded"].get<bool>());
    EXPECT_EQ(info["airport"]["key"].get<std::string>(), "KSFO");
    EXPECT_EQ(info["airport"]["faaId"].get<std::string>(), "SFO");
    EXPECT_EQ(info["airport"]["name"].get<std::string>(), "San Francisco International");
    EXPECT_NEAR(info["airport"]["lat"].get<double>(), 37.618544, 1e-9);
    EXPECT_NEAR(info["airport"]["lon"].get<double>(), -122.375478, 1e-9);
    EXPECT_EQ(info["airport"]["elevation"].get<double>(), 10);

    const JsonValue& runways = info["runways"];
    ASSERT_EQ(runways.size(), 4u);
    EXPECT_EQ(runways[0]["name"].get<std::string>(), "10L/28R");
    EXPECT_EQ(runways[0]["surfaceName"].get<std::string>(), "Asphalt");
    EXPECT_EQ(runways[0]["displaced1"].get<double>(), 300);
    EXPECT_EQ(runways[0]["endAttr0"].get<double>(), 7);
    EXPECT_EQ(runways[0]["corners"].size(), 4u);

    EXPECT_EQ(info["segments"].size(), 4u);
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
        UsageCase{"info_bad_seed", &RunInfo, "info", {"KSFO", "--seed", "x"}, "from 0 to 4294967295, not 'x'"},
        UsageCase{"install_bad_layout", &RunSampleInstall, "sample-install", {"d", "--layout", "zip"}, "'zip'"},
        UsageCase{"build_unknown_option", &RunBuild, "build", {"KPAO", "--bogus"}, "--bogus"},
        UsageCase{"build_all_limit_not_a_number", &RunBuildAll, "build-all", {"r.csv", "--limit", "x"}, "--limit"},
        UsageCase{"render_wrong_extension", &RunRender, "render", {"KSFO", "out.jpg"}, "out.jpg"},
        UsageCase{"render_unknown_layer", &RunRender, "render", {"KSFO", "o.svg", "--show", "runways"}, "runways"},
        UsageCase{"dump_two_files", &RunDump, "dump", {"a.bgr", "b.bgr"}, "b.bgr"},
        UsageCase{"script_nothing", &RunScript, "script", {}, "FILE"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

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

    run = Program({"build", "KPAO", "--fly-dir", Fly("prog"), "--project-dir", (dir / "p").string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    const std::filesystem::path tms = dir / "prog" / "Data" / "KPAO.tms";
    run = Program({"dump", tms.string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    ASSERT_TRUE(ParseJson(run.out)) << run.out;
    EXPECT_EQ((*ParseJson(run.out))["format"].get<std::string>(), "tms");
    run = Program({"dump", (dir / "none.txp").string()});
    EXPECT_EQ(run.status, kExitFailure);
    ASSERT_TRUE(ParseJson(run.out)) << run.out;
    EXPECT_EQ((*ParseJson(run.out))["error"]["kind"].get<std::string>(), "cannotOpen");

    const std::filesystem::path svg = dir / "kpao.svg";
    run = Program(
        {"render", "KPAO", svg.string(), "--fly-dir", Fly("prog"), "--project-dir", (dir / "p").string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    const std::string picture = ReadText(svg);
    EXPECT_TRUE(picture.starts_with("<?xml")) << picture.substr(0, 100);
    EXPECT_NE(picture.find("<g class=\"runways\">"), std::string::npos);
    EXPECT_TRUE(picture.ends_with("</svg>\n"));
}

// The demo project's layout exports; importing the export into the same
// airport adds nothing, and into a bare one gives back its segments.
TEST_F(CliTest, DemoLayoutExportsAndImportsBack) {
    const std::string demo = (dir / "demo-project").string();
    ASSERT_EQ(Call(&RunSampleInstall, {Fly("demo"), "--demo-project", demo}).status, kExitSuccess);
    const std::string file = (dir / "kpao.geojson").string();
    const Args common{"--fly-dir", Fly("demo"), "--seed", "1", "--project-dir"};
    const auto with = [&common](Args args, const std::string& project) {
        args.insert(args.end(), common.begin(), common.end());
        args.push_back(project);
        return args;
    };
    Outcome run = Call(&RunExport, with({"KPAO", file}, demo));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    run = Call(&RunImport, with({"KPAO", file}, demo));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ((*ParseJson(run.out))["imported"]["segments"].get<int>(), 0) << run.out;
    std::filesystem::remove_all(dir / "demo" / "Data");
    std::filesystem::create_directories(dir / "demo" / "Data");
    run = Call(&RunImport, with({"KPAO", file}, (dir / "bare").string()));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_GT((*ParseJson(run.out))["imported"]["segments"].get<int>(), 10) << run.out;
    EXPECT_EQ((*ParseJson(run.out))["imported"]["polygons"].get<int>(), 1) << run.out;
}

// A build writes every file; a second one opens the listed project and, with
// the same seed, writes the same bytes.
TEST_F(CliTest, BuildWritesEveryFileAndTheSameBytesTwice) {
    InstallLayout("pod");
    const Args args{"ksfo",   "--fly-dir", Fly("pod"), "--project-dir", (dir / "prog").string(),
                    "--seed", "11"};
    const Outcome first = Call(&RunBuild, args);
    ASSERT_EQ(first.status, kExitSuccess) << first.err;
    const std::optional<JsonValue> json = ParseJson(first.out);
    ASSERT_TRUE(json);
    EXPECT_TRUE((*json)["saved"].get<bool>());
    const std::filesystem::path files[] = {dir / "pod" / "Data" / "KSFO.txp",
                                           dir / "pod" / "Data" / "KSFO.bgr",
                                           dir / "pod" / "Data" / "KSFO.tms", dir / "prog" / "KSFO.txd"};
    std::vector<std::string> written;
    for (const auto& file : files) {
        written.push_back(ReadText(file));
        EXPECT_FALSE(written.back().empty()) << file;
    }
    EXPECT_EQ(ReadText(dir / "prog" / "Rollpath.rpj"),
              "[KSFO]\ntxp=KSFO.txp\nbgr=KSFO.bgr\nbmp=\"\" 0 0 100 0.000000\n");
    ASSERT_EQ(Call(&RunBuild, args).status, kExitSuccess);
    for (std::size_t k = 0; k < std::size(files); ++k) {
        EXPECT_EQ(ReadText(files[k]), written[k]) << files[k];
    }

    const Outcome failed =
        Call(&RunBuild, {"KPAO", "--fly-dir", Fly("pod"), "--output-dir", (dir / "no" / "such").string()});
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("message: Cannot create " + (dir / "no" / "such" / "KPAO.txp").string() +
                              ": No such file or directory"),
              std::string::npos)
        << failed.err;
}

}  // namespace
}  // namespace rollpath::cli
