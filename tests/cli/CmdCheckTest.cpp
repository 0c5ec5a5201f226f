// rollpath-cli check and build --check on KPAO: the seeded airport, and a
// saved session with a polygon that crosses itself (an error) and a taxiway
// joined to nothing (warnings).

#include <set>

#include "cli/CliTestSupport.h"

namespace rollpath::cli {
namespace {

class CheckCommand : public CliTest {
protected:
    void SetUp() override { InstallLayout("loose"); }

    // The command's arguments: its first ones, then the folders and seed.
    Args With(Args args) const {
        args.insert(args.end(),
                    {"--fly-dir", Fly("loose"), "--project-dir", (dir / "project").string(), "--seed", "5"});
        return args;
    }

    // Saves KPAO with a bow tie north-east of the runway and a taxiway of
    // two segments far from it, and renders it.
    void SaveFaultyKpao() {
        const std::filesystem::path file = dir / "faulty.script";
        std::ofstream(file, std::ios::binary) << "new KPAO\nsize 1200 900\n"
                                                 "command polygon-tool\n"
                                                 "click 700 1100\nclick 1000 1400\nclick 1000 1100\n"
                                                 "click 700 1400\nrclick 700 1400\n"
                                                 "command rollpath-tool\n"
                                                 "click 1500 1500\nclick 1800 1500\nrclick 1800 1800\n"
                                                 "save\nrender "
                                              << (dir / "red.svg").string() << "\n";
        const Outcome run = Call(&RunScript, With({file.string()}));
        ASSERT_EQ(run.status, kExitSuccess) << run.err;
        // The Save says it could not triangulate the bow tie, and shows it in red.
        EXPECT_NE(run.err.find("message: Polygon triangulation error(s): shown in red."), std::string::npos)
            << run.err;
        EXPECT_NE(ReadText(dir / "red.svg").find("class=\"triangulation-errors\""), std::string::npos);
    }

    static std::set<std::string> Ids(const JsonValue& findings) {
        std::set<std::string> ids;
        for (std::size_t k = 0; k < findings.size(); ++k) {
            ids.insert(findings[k]["id"].get<std::string>());
        }
        return ids;
    }
};

TEST_F(CheckCommand, ASeededAirportPassesAFaultyOneFailsAndIsNotBuilt) {
    Outcome run = Call(&RunCheck, With({"KPAO"}));
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, "KPAO: 0 warnings\n");

    SaveFaultyKpao();
    run = Call(&RunCheck, With({"KPAO", "--format", "json"}));
    EXPECT_EQ(run.status, kExitFailure) << run.err;
    std::optional<JsonValue> json = ParseJson(run.out);
    ASSERT_TRUE(json) << run.out;
    EXPECT_EQ((*json)["errors"].get<double>(), 2.0);  // the bow tie; no Source and Sink
    EXPECT_EQ(Ids((*json)["findings"]), (std::set<std::string>{"unreachable", "polygon", "source-sink"}));

    // Opening does not need the pavement file; a build that writes makes it.
    const std::filesystem::path tms = dir / "loose" / "Data" / "KPAO.tms";
    ASSERT_TRUE(std::filesystem::remove(tms));
    run = Call(&RunBuild, With({"KPAO", "--check"}));
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_NE(run.err.find("check: error polygon (849.8, 1250.1): polygon 0 crosses or touches itself"),
              std::string::npos)
        << run.err;
    json = ParseJson(run.out);
    ASSERT_TRUE(json) << run.out;
    EXPECT_FALSE((*json)["saved"].get<bool>());
    EXPECT_EQ((*json)["check"]["counts"]["polygon"].get<double>(), 1.0);
    EXPECT_FALSE(std::filesystem::exists(tms));

    // Without errors (the checks that fail switched off) it writes.
    const std::filesystem::path ini = dir / "checks.ini";
    std::ofstream(ini) << "[Settings]\nDisabledChecks=polygon,source-sink\n";
    run = Call(&RunBuild, With({"KPAO", "--check", "--settings", ini.string()}));
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_NE(run.err.find("check: warning unreachable"), std::string::npos) << run.err;
    EXPECT_TRUE((*ParseJson(run.out))["saved"].get<bool>()) << run.out;
    EXPECT_TRUE(std::filesystem::exists(tms));
}

}  // namespace
}  // namespace rollpath::cli
