// The commands of rollpath-cli called directly and run as the program:
// info, usage errors, export and import, build, dump; the folders a run
// uses; the JSON the commands write.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "RollpathVersion.h"
#include "cli/CliTestSupport.h"
#include "cli/Commands.h"
#include "cli/CommonOptions.h"
#include "cli/Json.h"
#include "support/SampleInstallation.h"
#include "support/TempDir.h"

namespace rollpath::cli {
namespace {

// Each layout's reading: the simdata tests; here the JSON the command writes.
TEST_F(CliTest, InfoGivesTheAirportOrFailsWithItsMessage) {
    InstallLayout("pod");
    const Outcome found = Call(&RunInfo, {"ksfo", "--fly-dir", Fly("pod")});
    ASSERT_EQ(found.status, kExitSuccess) << found.err;
    EXPECT_EQ(found.err, "");
    const std::optional<JsonValue> json = ParseJson(found.out);
    ASSERT_TRUE(json);
    const JsonValue& info = *json;
    EXPECT_EQ(info["airport"]["name"].get<std::string>(), "San Francisco International");
    EXPECT_EQ(info["runways"].size(), 4u);
    EXPECT_EQ(info["segments"].size(), 4u);

    // Failures are status one with their messages.
    Outcome run = Call(&RunInfo, {"ZZZZ", "--fly-dir", Fly("pod")});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "message: Cannot find ZZZZ\n");

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

    const std::filesystem::path svg = dir / "kpao.svg";
    run = Program(
        {"render", "KPAO", svg.string(), "--fly-dir", Fly("prog"), "--project-dir", (dir / "p").string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    const std::string picture = ReadText(svg);
    EXPECT_TRUE(picture.starts_with("<?xml")) << picture.substr(0, 100);
    EXPECT_NE(picture.find("<g class=\"runways\">"), std::string::npos);
    EXPECT_TRUE(picture.ends_with("</svg>\n"));
}

// The demo project's layout exports, and importing the export into the same
// airport adds nothing (that an import of an export gives back the network:
// the GeoJSON round trip of tests/project).
TEST_F(CliTest, DemoLayoutExportsAndImportsBack) {
    const std::string demo = (dir / "demo-project").string();
    ASSERT_EQ(Call(&RunSampleInstall, {Fly("demo"), "--demo-project", demo}).status, kExitSuccess);
    const std::string file = (dir / "kpao.geojson").string();
    const Args common{"--fly-dir", Fly("demo"), "--seed", "1", "--project-dir", demo};
    const auto with = [&common](Args args) {
        args.insert(args.end(), common.begin(), common.end());
        return args;
    };
    Outcome run = Call(&RunExport, with({"KPAO", file}));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    // The demo's rollpaths and polygon, not just the runway.
    EXPECT_GT((*ParseJson(ReadText(file)))["features"].size(), 10u);
    run = Call(&RunImport, with({"KPAO", file}));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ((*ParseJson(run.out))["imported"]["segments"].get<int>(), 0) << run.out;
}

// A build says which file it could not create (the files a build writes: the
// check command's build and the saved-work sessions).
TEST_F(CliTest, BuildSaysWhichFileItCannotCreate) {
    InstallLayout("pod");
    const Outcome failed =
        Call(&RunBuild, {"KPAO", "--fly-dir", Fly("pod"), "--output-dir", (dir / "no" / "such").string()});
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("message: Cannot create " + (dir / "no" / "such" / "KPAO.txp").string() +
                              ": No such file or directory"),
              std::string::npos)
        << failed.err;
}

// The program runs the sample session (rollpaths, a polygon, the Source and
// Sink), which writes its document and picture where it runs and is saved.
// rollpath-cli dump on every saved file, whole and cut short in its last
// record: always JSON, every record before the cut at the offset the whole
// file has it, and an "error" member exactly when the status is 1. Other
// cuts and damage: the fuzzers.

std::vector<double> Offsets(const JsonValue& json) {
    std::vector<double> offsets;
    for (const JsonValue& record : json["records"]) {
        offsets.push_back(record["offset"].get<double>());
    }
    return offsets;
}

TEST_F(CliTest, DumpShowsTheRecordsOfEverySavedFileAndThoseBeforeACut) {
    InstallLayout("pod");
    const std::filesystem::path script = dir / "saved.script";
    std::ofstream(script) << ReadText(rollpath::testing::SamplesDir() / "kpao-taxiway.script") << "\nsave\n";
    const std::filesystem::path work = dir / "work";
    std::filesystem::create_directories(work);
    const Outcome saved = Program(
        {"script", script.string(), "--fly-dir", Fly("pod"), "--project-dir", (dir / "prog").string()}, work);
    ASSERT_EQ(saved.status, kExitSuccess) << saved.err;
    // The sample session's own outputs, written beside where it runs.
    const std::optional<JsonValue> session = ParseJson(ReadText(work / "kpao-taxiway.json"));
    ASSERT_TRUE(session);
    EXPECT_EQ((*session)["document"]["segments"].size(), 4u);
    EXPECT_EQ((*session)["document"]["polygons"].size(), 1u);
    EXPECT_NE((*session)["document"]["source"].get<double>(), -1);
    EXPECT_NE((*session)["document"]["sink"].get<double>(), -1);
    EXPECT_TRUE(std::filesystem::is_regular_file(work / "kpao-taxiway.svg"));

    const std::filesystem::path data = dir / "pod" / "Data";
    for (const std::filesystem::path& file : {data / "KPAO.bgr", data / "KPAO.txp", data / "KPAO.tms",
                                              dir / "prog" / "KPAO.txd", dir / "prog" / "Rollpath.rpj"}) {
        const Outcome whole = Call(&RunDump, {file.string()});
        ASSERT_EQ(whole.status, kExitSuccess) << file << whole.err;
        const std::optional<JsonValue> full = ParseJson(whole.out);
        ASSERT_TRUE(full) << whole.out;
        const std::vector<double> starts = Offsets(*full);
        EXPECT_FALSE(starts.empty()) << file;

        // Cut short where its last record starts, and one byte after.
        const std::string bytes = ReadText(file);
        const std::filesystem::path cut = dir / ("cut" + file.extension().string());
        for (const std::size_t length :
             {static_cast<std::size_t>(starts.back()), static_cast<std::size_t>(starts.back()) + 1}) {
            SCOPED_TRACE(file.filename().string() + " cut at " + std::to_string(length));
            std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes.substr(0, length);
            const Outcome run = Call(&RunDump, {cut.string()});
            const std::optional<JsonValue> json = ParseJson(run.out);
            ASSERT_TRUE(json) << run.out;
            EXPECT_EQ(json->contains("error"), run.status == kExitFailure) << run.out;
            const std::vector<double> offsets = Offsets(*json);
            ASSERT_LE(offsets.size(), starts.size());
            EXPECT_TRUE(std::equal(offsets.begin(), offsets.end(), starts.begin()));
        }
    }
}

// The folder of the run, then the setting, then the executable's folder
// only when a "portable" file marks it, then the per-user folder: never the
// executable's folder just because it can be written.
TEST(CommonOptions, TheProgramFolderIsTheUsersUnlessNamedOrPortable) {
    testing::TempDir dir("rollpath-program-dir");
    const std::filesystem::path plain = dir / "plain";
    const std::filesystem::path portable = dir / "portable-install";
    std::filesystem::create_directories(plain);
    std::filesystem::create_directories(portable);
    std::ofstream(portable / "portable").close();
    const std::filesystem::path user = dir / "user";
    const struct {
        std::optional<std::string> run;
        std::string setting;
        std::filesystem::path executable;
        std::filesystem::path chosen;
    } rows[] = {
        {std::nullopt, "", plain, user},
        {std::nullopt, "", portable, portable},
        {std::nullopt, "", std::filesystem::path(), user},
        {std::nullopt, "/stored", portable, "/stored"},
        {"/run", "/stored", portable, "/run"},
        {"", "", plain, user},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ChooseProgramDir(row.run, row.setting, row.executable, user), row.chosen)
            << row.run.value_or("-") << " " << row.setting << " " << row.executable;
    }
    EXPECT_EQ(UserDataDir().filename(), "Rollpath");
}

// Names read from hostile files reach the output: it stays valid JSON.
TEST(JsonQuote, EscapesControlsAndReplacesWhatIsNoUtf8) {
    const struct {
        std::string input;
        std::string quoted;
    } rows[] = {
        {"\\DATABASE\\\"A\"", "\"\\\\DATABASE\\\\\\\"A\\\"\""},
        {std::string("\b\n\x01\x1f\x00", 5), "\"\\b\\n\\u0001\\u001f\\u0000\""},
        {"\xE2\x82\xAC\xF0\x9F\x9B\xAB", "\"\xE2\x82\xAC\xF0\x9F\x9B\xAB\""},
        {"45\xB0", "\"45\xEF\xBF\xBD\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JsonQuote(row.input), row.quoted);
    }
}

TEST(JsonNumber, IsShortestAndReadsBackExactly) {
    EXPECT_EQ(JsonNumber(75.0), "75");
    EXPECT_EQ(JsonNumber(-122.375478), "-122.375478");
    EXPECT_EQ(JsonNumber(-0.0), "0");
    EXPECT_EQ(JsonNumber(1e300), "1e+300");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        double value = 0.0;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        const std::string text = JsonNumber(value);
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), value == 0.0 ? 0.0 : value) << text;
    }
}

}  // namespace
}  // namespace rollpath::cli
