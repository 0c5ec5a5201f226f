// rollpath-cli script: headless editor sessions on KPAO (one runway through
// the benchmark, running north-west; the space north-east of it is free).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/CliTestSupport.h"

namespace rollpath::cli {
namespace {

class ScriptCommand : public CliTest {
protected:
    void SetUp() override { InstallLayout("loose"); }

    // Runs the script text.
    Outcome Script(const std::string& text) {
        const std::filesystem::path file = dir / "session.script";
        std::ofstream(file, std::ios::binary) << text;
        return Call(&RunScript,
                    {file.string(), "--fly-dir", Fly("loose"), "--project-dir", (dir / "project").string()});
    }
};

struct FailureCase {
    const char* name;
    const char* script;
    int status;
    const char* says;
};

TEST_F(ScriptCommand, UnknownCommandsAndFailedOpensStopTheScript) {
    const FailureCase cases[] = {
        {"unknown command", "new KPAO\n\n# comment\njump 1 2\nsave\n", kExitUsage,
         "session.script:4: unknown command 'jump'"},
        {"unknown menu command", "command fly\n", kExitUsage, ":1: unknown command 'fly'"},
        {"bad coordinates", "new KPAO\nclick a 2\n", kExitUsage, ":2: usage: click X Y [shift]"},
        {"unclosed quote", "dialog \"Width=3\n", kExitUsage, ":1: unclosed quote"},
        {"unknown key", "key Tab\n", kExitUsage, ":1: usage: key"},
        {"failed open", "new ZZZZ\nsave\n", kExitFailure, ":1: cannot open airport 'ZZZZ'"},
        {"open of a long code", "open TOOLONG\n", kExitFailure,
         "message: Airport codes have 3 to 5 letters and digits"},
    };
    for (const FailureCase& c : cases) {
        const Outcome run = Script(c.script);
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
    }
}

TEST_F(ScriptCommand, PointsFarOffTheAirportAreClickedWithoutOverflow) {
    // Found by fuzzing: world points far outside the view saturate in
    // logical units, and turning those into pixels overflowed.
    const Outcome run = Script(
        "new KPAO\nsize 1200 900\ncommand rollpath-tool\nclick 1e300 -1e300\nmove -1e300 1e300\n"
        "rclick 2e9 2e9\nclick 0 0 shift\n");
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
}

}  // namespace
}  // namespace rollpath::cli
