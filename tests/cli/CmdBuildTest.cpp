#include "cli/CliTestSupport.h"

namespace rollpath::cli {
namespace {

class BuildTest : public CliTest {
protected:
    BuildTest() { InstallLayout("pod"); }

    Args BuildArgs(const std::string& code, Args extra = {}) {
        Args args{code, "--fly-dir", Fly("pod"), "--project-dir", (dir / "prog").string(), "--seed", "11"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    std::filesystem::path Data(const std::string& name) const { return dir / "pod" / "Data" / name; }
};

TEST_F(BuildTest, WritesEveryFileAndTheSameBytesTwice) {
    const Outcome first = Call(&RunBuild, BuildArgs("ksfo"));
    ASSERT_EQ(first.status, kExitSuccess) << first.err;
    const std::optional<JsonValue> json = ParseJson(first.out);
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["code"].Text(), "KSFO");
    EXPECT_TRUE((*json)["saved"].Bool());

    const std::string txp = ReadText(Data("KSFO.txp"));
    const std::string bgr = ReadText(Data("KSFO.bgr"));
    const std::string txd = ReadText(dir / "prog" / "KSFO.txd");
    const std::string tms = ReadText(Data("KSFO.tms"));
    EXPECT_FALSE(bgr.empty());
    EXPECT_EQ((*json)["files"]["tms"].Text(), Data("KSFO.tms").string());
    // The pavement file ends with the "<endo>" of the file.
    ASSERT_GE(tms.size(), 7u);
    EXPECT_EQ(tms.substr(tms.size() - 7), std::string("<endo>", 7));
    EXPECT_EQ(ReadText(dir / "prog" / "Rollpath.rpj"),
              "[KSFO]\ntxp=KSFO.txp\nbgr=KSFO.bgr\nbmp=\"\" 0 0 100 0.000000\n");

    // The second run opens the listed project and writes the same files.
    const Outcome second = Call(&RunBuild, BuildArgs("KSFO"));
    ASSERT_EQ(second.status, kExitSuccess) << second.err;
    EXPECT_EQ(ReadText(Data("KSFO.txp")), txp);
    EXPECT_EQ(ReadText(Data("KSFO.bgr")), bgr);
    EXPECT_EQ(ReadText(dir / "prog" / "KSFO.txd"), txd);
    // The same --seed triangulates the same way.
    EXPECT_EQ(ReadText(Data("KSFO.tms")), tms);
}

TEST_F(BuildTest, SettingsComeFromTheIniFile) {
    const std::filesystem::path ini = dir / "settings.ini";
    std::ofstream(ini) << "[Settings]\nOutputDir=" << (dir / "out").string() << "\n";
    std::filesystem::create_directories(dir / "out");
    const Outcome run = Call(&RunBuild, BuildArgs("KPAO", {"--settings", ini.string()}));
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "KPAO.bgr"));
    EXPECT_FALSE(std::filesystem::exists(Data("KPAO.bgr")));
}

TEST_F(BuildTest, FailuresAndUsage) {
    Outcome run = Call(&RunBuild, BuildArgs("ZZZZ"));
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_NE(run.err.find("message: Cannot find ZZZZ"), std::string::npos) << run.err;

    run = Call(&RunBuild, BuildArgs("KPAO", {"--settings", (dir / "missing.ini").string()}));
    EXPECT_EQ(run.status, kExitFailure);

    run = Call(&RunBuild, BuildArgs("KPAO", {"--output-dir", (dir / "no" / "such").string()}));
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_NE(run.err.find("message: Cannot create " + (dir / "no" / "such" / "KPAO.txp").string() +
                           ": No such file or directory"),
              std::string::npos)
        << run.err;
}

TEST_F(BuildTest, TheProgramBuildsToo) {
    const Outcome run =
        Program({"build", "KPAO", "--fly-dir", Fly("pod"), "--project-dir", (dir / "p").string()});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "p" / "Rollpath.rpj"));
}

}  // namespace
}  // namespace rollpath::cli
