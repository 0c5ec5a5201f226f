#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommonOptions.h"

namespace rollpath::cli {
namespace {

// Parses every argument as a common option; the error of the first that is
// not one, or "not common: ARG".
std::string ParseAll(const std::vector<std::string>& args, CommonOptions& options) {
    for (std::size_t i = 0; i < args.size();) {
        std::string error;
        switch (ParseCommonOption(args, i, options, error)) {
            case OptionParse::Consumed:
                break;
            case OptionParse::NotCommon:
                return "not common: " + args[i];
            case OptionParse::Error:
                return error;
        }
    }
    return "";
}

TEST(CommonOptions, EveryOptionTakesItsValueEitherWay) {
    CommonOptions options;
    EXPECT_EQ(ParseAll({"--fly-dir", "/sim", "--output-dir=/out", "--project-dir", "/proj",
                        "--settings=a.ini", "--seed", "4294967295"},
                       options),
              "");
    EXPECT_EQ(options.flyDir, "/sim");
    EXPECT_EQ(options.outputDir, "/out");
    EXPECT_EQ(options.projectDir, "/proj");
    EXPECT_EQ(options.settingsFile, "a.ini");
    EXPECT_EQ(options.seed, 4294967295u);
}

TEST(CommonOptions, ValuesMayLookLikeOptionsOrBeEmpty) {
    CommonOptions options;
    EXPECT_EQ(ParseAll({"--fly-dir", "--output-dir", "--output-dir="}, options), "");
    EXPECT_EQ(options.flyDir, "--output-dir");
    EXPECT_EQ(options.outputDir, "");
}

TEST(CommonOptions, LaterOccurrenceWins) {
    CommonOptions options;
    EXPECT_EQ(ParseAll({"--seed", "1", "--seed=2"}, options), "");
    EXPECT_EQ(options.seed, 2u);
}

struct BadCase {
    std::vector<std::string> args;
    std::string error;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    for (const std::string& arg : c.args) {
        *os << arg << ' ';
    }
}

class CommonOptionsRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(CommonOptionsRefused, WithAReason) {
    CommonOptions options;
    EXPECT_EQ(ParseAll(GetParam().args, options), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Args, CommonOptionsRefused,
    ::testing::Values(BadCase{{"--fly-dir"}, "--fly-dir needs a value"},
                      BadCase{{"--seed"}, "--seed needs a value"},
                      BadCase{{"--seed", "-1"}, "--seed needs a whole number from 0 to 4294967295, not '-1'"},
                      BadCase{{"--seed", "4294967296"},
                              "--seed needs a whole number from 0 to 4294967295, not '4294967296'"},
                      BadCase{{"--seed=12x"}, "--seed needs a whole number from 0 to 4294967295, not '12x'"},
                      BadCase{{"--seed="}, "--seed needs a whole number from 0 to 4294967295, not ''"},
                      BadCase{{"--fly-directory", "x"}, "not common: --fly-directory"},
                      BadCase{{"KSFO"}, "not common: KSFO"}));

TEST(CommonOptions, ApplyFillsTheSettingsAndTheProgramFolder) {
    CommonOptions options;
    options.flyDir = "/sim";
    options.projectDir = "/proj";
    Settings settings;
    settings.OutputDir = "/kept";
    CRollpathDoc doc;
    ApplyCommonOptions(options, settings, doc);
    EXPECT_EQ(settings.FlyDir, "/sim");
    EXPECT_EQ(settings.OutputDir, "/kept");
    EXPECT_EQ(doc.ProgramDir(), std::filesystem::path("/proj"));

    ApplyCommonOptions(CommonOptions{}, settings, doc);
    EXPECT_EQ(doc.ProgramDir(), DefaultProgramDir());
    EXPECT_FALSE(DefaultProgramDir().empty());
}

}  // namespace
}  // namespace rollpath::cli
